#pragma once
#include "engine/devices/NameTable.h"
#include "engine/util/NonCopyable.h"
#include "engine/util/Singleton.h"

namespace Devices {

// Display names of keys (shown on screens, stored in settings) and of modifier sets.
class KeyboardStrings : public Util::Singleton<KeyboardStrings>, Util::NonCopyable {
public:
    const NameTable& getKeyNames() const { return m_keyNames; }
    const NameTable& getModifierNames() const { return m_modifierNames; }

private:
    friend class Util::Singleton<KeyboardStrings>;
    KeyboardStrings();

    NameTable m_modifierNames;
    NameTable m_keyNames;
};

}  // namespace Devices
