#include <flatbuffers/flatbuffers.h>

#include <cmath>

#include "engine/util/FlatText.h"
#include "game/config/ConfigReaders.h"
#include "game/world/RobotFactory.h"
#include "game/world/RobotModes.h"

// Loading and checking the robot kinds.
namespace Zelmo {
namespace {

// Other parts of the program and the kinds' data tools name these fields by position.
constexpr flatbuffers::voffset_t slot(int field) { return flatbuffers::voffset_t(4 + 2 * field); }
static_assert(RobotDef::VT_WALK == slot(9) && RobotDef::VT_SCAN == slot(21));
static_assert(RobotDef::VT_MAZE_WEIGHT_B_BLOCKED == slot(20) && RobotDef::VT_SOUND_OFFSCREEN_LIMIT == slot(35));
static_assert(RobotData::VT_ROBOTS == slot(0));

const std::string kSchema = "data/Robots.fbs";
// Cells are compared after shifting tiles by this many bits.
constexpr int kMaxCellShift = 15;

std::string kindError(const std::string& fileName, const RobotDef* def, const std::string& what) {
    return fileName + ": robot type " + std::to_string(def->type()) + ": " + what;
}

}  // namespace

RobotFactory& RobotFactory::instance() {
    static RobotFactory s_factory;
    return s_factory;
}

bool RobotFactory::init() { return load("data/" + readRobotDataName()); }

bool RobotFactory::load(const std::string& dataName) {
    m_defs.clear();
    m_error.clear();
    const std::string fileName = Game::resolveDataName(dataName);
    if (!m_info.loadSchema(kSchema, {"data"})) {
        m_error = kSchema + ": the schema does not parse";
        return false;
    }
    if (!m_info.loadData(dataName)) {
        m_error = fileName + ": the robot data does not load";
        return false;
    }
    const auto* robots = flatbuffers::GetRoot<RobotData>(m_info.data())->robots();
    if (robots) {
        for (const RobotDef* def : *robots) m_defs[def->type()] = def;
    }
    m_error = checkKinds(fileName);
    if (!m_error.empty()) m_defs.clear();
    return m_error.empty();
}

const RobotDef* RobotFactory::def(uint32_t type) const {
    const auto found = m_defs.find(type);
    return found == m_defs.end() ? nullptr : found->second;
}

std::string RobotFactory::checkKinds(const std::string& fileName) const {
    for (const auto& [type, def] : m_defs) {
        // A knock-back is divided by the mass; a mass of NaN would leave a robot that cannot die.
        if (!(std::isfinite(def->mass()) && def->mass() > 0.0f)) {
            return kindError(fileName, def, "mass is not a finite number above 0");
        }
        const std::string walk = Util::toStdString(def->walk());
        if (!isWalkModeName(walk)) return kindError(fileName, def, "walk \"" + walk + "\" is no walk behaviour");
        const std::string scan = Util::toStdString(def->scan());
        if (!isScanModeName(scan)) return kindError(fileName, def, "scan \"" + scan + "\" is no scan behaviour");
        if (def->junction_memory() < 0) return kindError(fileName, def, "junction_memory is below 0");
        if (def->cell_shift() < 0 || def->cell_shift() > kMaxCellShift) {
            return kindError(fileName, def, "cell_shift is not within 0 to " + std::to_string(kMaxCellShift));
        }
    }
    return {};
}

}  // namespace Zelmo
