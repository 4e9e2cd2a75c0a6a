#pragma once
#include <algorithm>
#include <vector>

namespace EVT {

template <typename T>
class EventReceiver;

// One (receiver, dispatch) pair in a sender's list: sending walks a contiguous list of these,
// with no lookup and no allocation.
template <typename T>
struct Handler {
    EventReceiver<T>* receiver;
    void (*dispatch)(EventReceiver<T>*, const T&);
};

template <typename T>
using HandlerList = std::vector<Handler<T>>;

// Ties every live sender of one event type to every live receiver of it. All binding happens
// here, when senders and receivers come and go; delivery follows the receivers' registration
// order whichever was created first.
template <typename T>
class EventRegistry {
public:
    static EventRegistry& instance() {
        static EventRegistry s_registry;
        return s_registry;
    }

    void addSender(HandlerList<T>* handlers) {
        m_senders.push_back(handlers);
        for (auto* receiver : m_receivers) handlers->push_back(handlerFor(receiver));
    }

    void removeSender(HandlerList<T>* handlers) {
        auto it = std::find(m_senders.begin(), m_senders.end(), handlers);
        if (it != m_senders.end()) m_senders.erase(it);
    }

    void addReceiver(EventReceiver<T>* receiver) {
        m_receivers.push_back(receiver);
        for (auto* handlers : m_senders) handlers->push_back(handlerFor(receiver));
    }

    void removeReceiver(EventReceiver<T>* receiver) {
        for (auto* handlers : m_senders) {
            auto it = std::find_if(handlers->begin(), handlers->end(),
                                   [receiver](const Handler<T>& h) { return h.receiver == receiver; });
            if (it != handlers->end()) handlers->erase(it);
        }
        auto it = std::find(m_receivers.begin(), m_receivers.end(), receiver);
        if (it != m_receivers.end()) m_receivers.erase(it);
    }

    size_t senderCount() const { return m_senders.size(); }
    size_t receiverCount() const { return m_receivers.size(); }

private:
    EventRegistry() = default;

    static Handler<T> handlerFor(EventReceiver<T>* receiver) {
        return {receiver, [](EventReceiver<T>* r, const T& event) { r->receive(event); }};
    }

    std::vector<HandlerList<T>*> m_senders;
    std::vector<EventReceiver<T>*> m_receivers;
};

}  // namespace EVT
