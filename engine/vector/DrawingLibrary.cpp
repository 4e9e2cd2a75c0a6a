// Loading a drawing and advancing it: objects built from their definitions, points stepped on
// their objects' clocks, and the triggers run for the events they send.
#include "engine/vector/DrawingLibrary.h"

#include <algorithm>
#include <fstream>

#include "data/VectorDrawing_generated.h"
#include "engine/util/Fatal.h"
#include "engine/util/FlatText.h"
#include "engine/util/Text.h"
#include "engine/util/Colour.h"

namespace {

const char* const DrawDone = "DRAWDONE";

template <typename T>
using TableList = flatbuffers::Vector<flatbuffers::Offset<T>>;

// Builds the parts of one object from the data, resolving names within the object.
class ObjectBuilder {
public:
    explicit ObjectBuilder(DrawingObject& object) : m_object(object) {}

    void addDefinition(const Vector::DrawingDef& def) {
        addGroups(def.lines(), m_object.lineGroups());
        addGroups(def.polygons(), m_object.polygonGroups());
        if (def.texts() != nullptr) {
            for (const Vector::TextDef* text : *def.texts()) {
                m_object.texts().push_back(makeText(*text));
            }
        }
    }

    // Steps of the origin; they may follow the object's points, all of which exist by now.
    void addOriginSteps(const TableList<Vector::StepDef>* steps) { addSteps(m_object.origin(), steps); }

    void addTriggers(const TableList<Vector::TriggerDef>* triggers) {
        if (triggers == nullptr) {
            return;
        }
        for (const Vector::TriggerDef* trigger : *triggers) {
            m_object.triggers().push_back(
                DrawingTrigger{Util::toStdString(trigger->event()), Util::toStdString(trigger->object_on()),
                               Util::toStdString(trigger->object_off()), Util::toStdString(trigger->scope())});
        }
    }

    // Steps switch groups by name, and a group may come after the step that names it.
    void checkGroupNames() const {
        for (const std::string& name : m_switchedGroups) {
            if (m_object.group(name) == nullptr) {
                Util::fatal("Group not found:" + name);
            }
        }
    }

private:
    void addGroups(const TableList<Vector::GroupDef>* defs, std::vector<std::unique_ptr<DrawingGroup>>& groups) {
        if (defs == nullptr) {
            return;
        }
        for (const Vector::GroupDef* def : *defs) {
            auto group = std::make_unique<DrawingGroup>();
            group->name = Util::toStdString(def->name());
            group->visible = def->visible();
            group->thickness = def->thickness();
            group->colour = def->colour();
            m_object.registerGroup(*group);
            if (def->points() != nullptr) {
                for (const Vector::PointDef* point : *def->points()) {
                    group->points.push_back(makePoint(*point));
                }
            }
            groups.push_back(std::move(group));
        }
    }

    std::unique_ptr<DrawingPoint> makePoint(const Vector::PointDef& def) {
        auto point = std::make_unique<DrawingPoint>();
        // Registered first, so that the point can follow itself.
        m_object.registerPoint(*point, Util::toStdString(def.name()));
        point->refX = reference(def.follow_x());
        point->refY = reference(def.follow_y());
        point->baseX = def.x();
        point->baseY = def.y();
        addSteps(*point, def.steps());
        point->x = point->baseX;
        point->y = point->baseY;
        return point;
    }

    void addSteps(DrawingPoint& point, const TableList<Vector::StepDef>* defs) {
        if (defs == nullptr) {
            return;
        }
        float beginX = point.baseX;
        float beginY = point.baseY;
        float start = 0.0f;
        for (const Vector::StepDef* def : *defs) {
            DrawingStep step;
            step.refX = reference(def->ref_x());
            step.refY = reference(def->ref_y());
            step.easeX = easer(def->ease_x(), step.refX, def->duration_x());
            step.easeY = easer(def->ease_y(), step.refY, def->duration_y());
            step.start = start;
            step.beginX = beginX;
            step.beginY = beginY;
            step.changeX = def->dx();
            step.changeY = def->dy();
            step.durationX = def->duration_x();
            step.durationY = def->duration_y();
            step.event = Util::toStdString(def->event());
            step.groupOn = Util::toStdString(def->group_on());
            step.groupOff = Util::toStdString(def->group_off());
            for (const std::string* name : {&step.groupOn, &step.groupOff}) {
                if (!name->empty()) {
                    m_switchedGroups.push_back(*name);
                }
            }
            point.steps.push_back(std::move(step));
            beginX += def->dx();
            beginY += def->dy();
            start += std::max(def->duration_x(), def->duration_y());
        }
    }

    // A channel that moves for a while with neither an easer nor a point to follow moves linearly.
    static Tween::EaseFn easer(const flatbuffers::String* name, const DrawingPoint* ref, float duration) {
        const Tween::EaseFn ease = Tween::findEaser(Util::toStdString(name));
        return ease == nullptr && ref == nullptr && duration != 0.0f ? Tween::findEaser("inLinear") : ease;
    }

    const DrawingPoint* reference(const flatbuffers::String* name) const {
        const std::string text = Util::toStdString(name);
        if (text.empty()) {
            return nullptr;
        }
        const DrawingPoint* point = m_object.point(text);
        if (point == nullptr) {
            Util::fatal("Ref'ed point not found:" + text);
        }
        return point;
    }

    static std::unique_ptr<DrawingText> makeText(const Vector::TextDef& def) {
        auto text = std::make_unique<DrawingText>();
        text->visible = def.visible();
        text->x = def.x();
        text->y = def.y();
        text->text = Util::toStdString(def.text());
        text->style.colour = Util::rgbaToAbgr(def.colour());
        text->style.scale = def.scale();
        text->style.filled = def.fill();
        text->style.thickness = def.thickness();
        text->sweepMode = def.sweep();
        text->sweepSpeed = def.sweep_speed();
        text->sweepRate = def.sweep_rate();
        text->beamEndX = def.beam_x();
        text->beamEndY = def.beam_y();
        text->sweep.beamColour = Util::rgbaToAbgr(def.beam_colour());
        text->sweep.upperSide = def.downward();
        return text;
    }

    DrawingObject& m_object;
    std::vector<std::string> m_switchedGroups;
};

}  // namespace

DrawingLibrary::DrawingLibrary(std::shared_ptr<flatbuffers::Parser> parser, const std::string& dataName)
    : m_info(std::move(parser)) {
    const std::string file = Game::resolveDataName(dataName);
    if (!std::ifstream(file) || m_info.loadData(dataName) == nullptr) {
        Util::fatal("Failed to load drawing: " + dataName);
    }
    const Vector::DrawingRoot* root = Vector::GetDrawingRoot(m_info.data());
    if (root->definitions() != nullptr) {
        for (const Vector::DrawingDef* def : *root->definitions()) {
            m_definitions[Util::toStdString(def->name())] = def;
        }
    }
    if (root->placements() != nullptr) {
        for (const Vector::PlacementDef* placement : *root->placements()) {
            place(*placement);
        }
    }
}

DrawingLibrary::~DrawingLibrary() = default;

void DrawingLibrary::place(const Vector::PlacementDef& placement) {
    const std::string definition = Util::toStdString(placement.definition());
    const auto def = m_definitions.find(definition);
    if (def == m_definitions.end()) {
        Util::fatal("Object instance not found:" + definition);
    }
    auto object = std::make_unique<DrawingObject>(Util::toStdString(placement.name()), placement.x(), placement.y(),
                                                  placement.visible(), placement.layer());
    ObjectBuilder builder(*object);
    builder.addDefinition(*def->second);
    builder.addOriginSteps(placement.steps());
    builder.addTriggers(placement.triggers());
    builder.checkGroupNames();
    m_objectsByName[object->name()] = object.get();
    m_highestLayer = std::max(m_highestLayer, object->layer());
    m_objects.push_back(std::move(object));
}

DrawingObject* DrawingLibrary::object(const std::string& name) const {
    const auto found = m_objectsByName.find(name);
    return found != m_objectsByName.end() ? found->second : nullptr;
}

void DrawingLibrary::update(float elapsedMs) {
    for (const auto& object : m_objects) {
        if (!object->visible()) {
            continue;
        }
        runTriggers(*object, object->updatePoints());
        object->advanceClock(elapsedMs / 1000.0f);
    }
}

void DrawingLibrary::runTriggers(DrawingObject& object, const std::string& events) {
    std::vector<std::string> list;
    Util::split(events, ",", list);
    for (const std::string& event : list) {
        for (const DrawingTrigger& trigger : object.triggers()) {
            if (trigger.event != event) {
                continue;
            }
            if (!trigger.onObject.empty()) {
                if (DrawingObject* target = this->object(trigger.onObject)) {
                    target->setVisible(true);
                } else if (trigger.onObject == DrawDone) {
                    m_done = true;
                } else {
                    Util::fatal("ON trigger " + trigger.onObject + " not found in obj " + object.name());
                }
            }
            if (!trigger.offObject.empty()) {
                DrawingObject* target = this->object(trigger.offObject);
                if (target == nullptr) {
                    Util::fatal("OFF trigger " + trigger.offObject + " not found in obj " + object.name());
                }
                target->setVisible(false);
            }
            if (!trigger.scope.empty()) {
                object.setSweepMode(trigger.scope == "on");
            }
        }
    }
}
