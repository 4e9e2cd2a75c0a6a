#include <flatbuffers/flatbuffers.h>

#include <cmath>

#include "data/VectorGraphics_generated.h"
#include "engine/util/FlatText.h"
#include "engine/vector/GameVectors.h"
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
// The largest kind is drawn at 1.6; four times the drawing still fits the collision grid's cells
// a few times over.
constexpr float kMaxScale = 4.0f;

std::string kindError(const std::string& fileName, const RobotDef* def, const std::string& what) {
    return fileName + ": robot type " + std::to_string(def->type()) + ": " + what;
}

// The first of the kind's times, speeds and sizes that is not a finite number of 0 or more.
std::string negativeOrEndless(const RobotDef* def) {
    const std::pair<const char*, float> values[] = {{"health", def->health()},
                                                    {"footstep_memory", def->footstep_memory()},
                                                    {"footstep_speed", def->footstep_speed()},
                                                    {"speed", def->speed()},
                                                    {"attention_window", def->attention_window()},
                                                    {"beam_turn_time", def->beam_turn_time()}};
    for (const auto& [field, value] : values) {
        if (!(std::isfinite(value) && value >= 0.0f))
            return std::string(field) + " is not a finite number of 0 or more";
    }
    return "";
}

}  // namespace

int RobotFactory::firstFrameShape(int animation) {
    const Vector::AnimationDef* def = animation >= 0 ? GameVectors::instance().animation(uint32_t(animation)) : nullptr;
    if (!def || !def->frames() || def->frames()->size() == 0) return -1;
    return def->frames()->Get(0)->shape();
}

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
        // A scale that is not a number reaches the collision grid as an undefined cell index.
        if (!(std::isfinite(def->scale()) && def->scale() >= 0.0f && def->scale() <= kMaxScale)) {
            return kindError(fileName, def, "scale is not 0 (random) or a number up to 4");
        }
        // A robot is drawn, boxed and probed by this shape: without one it would walk unseen.
        const int shape = firstFrameShape(def->animation());
        if (shape < 0 || !GameVectors::instance().shape(uint32_t(shape), 0)) {
            return kindError(fileName, def,
                             "animation " + std::to_string(def->animation()) + " names no drawing with a shape");
        }
        const std::string endless = negativeOrEndless(def);
        if (!endless.empty()) return kindError(fileName, def, endless);
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
