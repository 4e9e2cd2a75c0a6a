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
        for (const auto& handler : m_handlers) handler.dispatch(handler.receiver, event);
    }

private:
    HandlerList<T> m_handlers;
};

}  // namespace EVT
