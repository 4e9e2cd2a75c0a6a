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
        for (auto* l_receiver : m_receivers) handlers->push_back(handlerFor(l_receiver));
    }

    void removeSender(HandlerList<T>* handlers) {
        auto l_it = std::find(m_senders.begin(), m_senders.end(), handlers);
        if (l_it != m_senders.end()) m_senders.erase(l_it);
    }

    void addReceiver(EventReceiver<T>* receiver) {
        m_receivers.push_back(receiver);
        for (auto* l_handlers : m_senders) l_handlers->push_back(handlerFor(receiver));
    }

    void removeReceiver(EventReceiver<T>* receiver) {
        for (auto* l_handlers : m_senders) {
            auto l_it = std::find_if(l_handlers->begin(), l_handlers->end(),
                                     [receiver](const Handler<T>& h) { return h.receiver == receiver; });
            if (l_it != l_handlers->end()) l_handlers->erase(l_it);
        }
        auto l_it = std::find(m_receivers.begin(), m_receivers.end(), receiver);
        if (l_it != m_receivers.end()) m_receivers.erase(l_it);
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
