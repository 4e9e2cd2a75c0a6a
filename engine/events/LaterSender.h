#pragma once
#include <memory>
#include <vector>

#include <flatbuffers/flatbuffers.h>

#include "engine/events/EventSender.h"
#include "engine/util/NonCopyable.h"
#include "engine/util/Singleton.h"

namespace EVT {

// A deferred sender: finished messages queue up and go out at the next flush, which the main
// loop calls once a frame. RootT is the message root table; its value() is the event of type T.
template <typename T, typename RootT>
class LaterSender : public Util::Singleton<LaterSender<T, RootT>>,
                    public Util::NonCopyable,
                    public EventSender<T> {
public:
    void queue(std::unique_ptr<flatbuffers::FlatBufferBuilder> finished) { m_queue.push_back(std::move(finished)); }

    void flush() {
        if (m_queue.empty()) return;
        for (const auto& builder : m_queue) {
            const auto* root = flatbuffers::GetRoot<RootT>(builder->GetBufferPointer());
            this->send(*static_cast<const T*>(root->value()));
        }
        m_queue.clear();
    }

private:
    friend class Util::Singleton<LaterSender<T, RootT>>;
    LaterSender() = default;

    std::vector<std::unique_ptr<flatbuffers::FlatBufferBuilder>> m_queue;
};

}  // namespace EVT
