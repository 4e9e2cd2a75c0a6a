#pragma once
#include "engine/devices/NameTable.h"
#include "engine/util/NonCopyable.h"
#include "engine/util/Singleton.h"

namespace Devices {

// Names of mouse button sets ("LMB", "RMB+MMB" ...).
class MouseStrings : public Util::Singleton<MouseStrings>, Util::NonCopyable {
public:
    const NameTable& getNames() const { return m_names; }

private:
    friend class Util::Singleton<MouseStrings>;
    MouseStrings();

    NameTable m_names;
};

}  // namespace Devices
