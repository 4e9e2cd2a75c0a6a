#pragma once
#include "engine/events/EventRegistry.h"

namespace EVT {

// Base of every class that receives events of type T; a class receives several types by
// deriving from several of these. Registration lasts exactly as long as the object.
template <typename T>
class EventReceiver {
public:
    EventReceiver() { EventRegistry<T>::instance().addReceiver(this); }
    virtual ~EventReceiver() { EventRegistry<T>::instance().removeReceiver(this); }
    EventReceiver(const EventReceiver&) = delete;
    EventReceiver& operator=(const EventReceiver&) = delete;

    virtual void receive(const T& event) = 0;
};

}  // namespace EVT
