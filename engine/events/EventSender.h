#pragma once
#include "engine/events/EventReceiver.h"
#include "engine/events/EventRegistry.h"

namespace EVT {

// Delivers events of type T synchronously to every receiver of the type, in registration
// order. No receiver may be created or destroyed during a send.
template <typename T>
class EventSender {
public:
    EventSender() { EventRegistry<T>::instance().addSender(&m_handlers); }
    virtual ~EventSender() { EventRegistry<T>::instance().removeSender(&m_handlers); }
    EventSender(const EventSender&) = delete;
    EventSender& operator=(const EventSender&) = delete;

    virtual void send(const T& event) {
        for (const auto& l_handler : m_handlers) l_handler.dispatch(l_handler.receiver, event);
    }

private:
    HandlerList<T> m_handlers;
};

}  // namespace EVT
