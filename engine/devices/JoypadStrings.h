#pragma once
#include "engine/devices/NameTable.h"
#include "engine/util/NonCopyable.h"
#include "engine/util/Singleton.h"

namespace Devices {

// Names of every combination of the twelve named joypad bits, joined by '+' in bit order
// ("UP+DN", "UP+B1"); the empty set reads as "NONE".
class JoypadStrings : public Util::Singleton<JoypadStrings>, Util::NonCopyable {
public:
    const NameTable& getNames() const { return m_names; }

private:
    friend class Util::Singleton<JoypadStrings>;
    JoypadStrings();

    NameTable m_names;
};

}  // namespace Devices
