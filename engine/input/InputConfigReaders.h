#pragma once
#include <flatbuffers/flatbuffers.h>

#include <string>
#include <vector>

#include "engine/devices/KeyCodes.h"
#include "engine/input/Switch.h"
#include "engine/input/TriggerId.h"

namespace Input {

namespace Config {
struct ActionsDef;
struct ColoursDef;
struct TimingDef;
struct TriggerDef;
}  // namespace Config

// The tables of a vector-of-tables field in order; empty for an absent field.
template <typename T>
std::vector<const T*> toTableList(const flatbuffers::Vector<flatbuffers::Offset<T>>* tables) {
    std::vector<const T*> list;
    if (tables == nullptr) return list;
    list.reserve(tables->size());
    for (const T* table : *tables) list.push_back(table);
    return list;
}

// A key number: hexadecimal after "0x", else decimal. A text that is no number, or a number
// that is no key code (below 0 or above 255), is a fatal stop.
KeyCode parseNumber(const std::string& text);

// A key as configuration files write it: empty gives 0, one character its own code, a key
// name ("KEY_SPACE") its code, anything else a number (parseNumber).
KeyCode keyCodeOfText(const std::string& text);

// An EXTERNAL trigger is resolved here, through TriggerId::externals.
TriggerId triggerFromTable(const Config::TriggerDef& table);

// A missing table sets every timing value and the debounce time to 0.
void readTriggerTiming(TriggerId& trigger, const Config::TimingDef* timing);
// Replaces the switch's four action lists; a missing table empties them.
void readSwitchActions(Switch& target, const Config::ActionsDef* actions);
// A missing table leaves the switch's colours as they were.
void readSwitchColours(Switch& target, const Config::ColoursDef* colours);

}  // namespace Input
