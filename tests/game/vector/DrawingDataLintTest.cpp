// The shipped animated drawings: each drawing the configuration names loads, every easer name
// exists, every name a drawing refers to resolves as the library resolves it, and the drawing
// can end. Faults are reported with the file and the field, without stopping the process.
#include <flatbuffers/idl.h>
#include <gmock/gmock.h>
#include <gtest/gtest-spi.h>

#include <algorithm>
#include <fstream>
#include <set>
#include <sstream>

#include "data/VectorDrawing_generated.h"
#include "engine/data/Info.h"
#include "engine/tween/Easing.h"
#include "engine/util/FlatText.h"
#include "game/config/ConfigReaders.h"
#include "tests/game/config/ShippedConfig.h"

namespace {

constexpr int MaxLayers = 4;  // the screens stack one display per layer

template <typename T>
using TableList = flatbuffers::Vector<flatbuffers::Offset<T>>;

bool easerExists(const std::string& name) {
    return std::any_of(std::begin(Tween::easerTable), std::end(Tween::easerTable),
                       [&](const Tween::EaserEntry& entry) { return name == entry.name; });
}

// Checks one drawing file, adding a failure per fault.
class DrawingLint {
public:
    DrawingLint(std::string file, const Vector::DrawingRoot& root) : file_(std::move(file)), root_(root) {}

    void run() {
        std::map<std::string, const Vector::DrawingDef*> definitions;
        forEach(root_.definitions(), [&](const Vector::DrawingDef& def, const std::string& at) {
            EXPECT_TRUE(definitions.emplace(Util::toStdString(def.name()), &def).second)
                << file_ << ": " << at << " repeats the name \"" << Util::toStdString(def.name()) << "\"";
        });
        std::set<std::string> objects;
        forEach(root_.placements(), [&](const Vector::PlacementDef& placement, const std::string& at) {
            EXPECT_TRUE(objects.insert(Util::toStdString(placement.name())).second)
                << file_ << ": " << at << " repeats the object name \"" << Util::toStdString(placement.name()) << "\"";
        });
        bool ends = false;
        forEach(root_.placements(), [&](const Vector::PlacementDef& placement, const std::string& at) {
            const std::string definition = Util::toStdString(placement.definition());
            const auto def = definitions.find(definition);
            if (def == definitions.end()) {
                ADD_FAILURE() << file_ << ": " << at << ".definition \"" << definition << "\" is defined nowhere";
                return;
            }
            EXPECT_TRUE(placement.layer() >= 0 && placement.layer() < MaxLayers)
                << file_ << ": " << at << ".layer " << placement.layer() << " is not one of 0 to " << MaxLayers - 1;
            checkObject(*def->second, placement, at);
            forEach(
                placement.triggers(),
                [&](const Vector::TriggerDef& trigger, const std::string& where) {
                    const std::string on = Util::toStdString(trigger.object_on());
                    const std::string off = Util::toStdString(trigger.object_off());
                    const std::string scope = Util::toStdString(trigger.scope());
                    ends |= on == "DRAWDONE";
                    EXPECT_TRUE(on.empty() || on == "DRAWDONE" || objects.count(on) > 0)
                        << file_ << ": " << at << where << ".object_on \"" << on << "\" names no object";
                    EXPECT_TRUE(off.empty() || objects.count(off) > 0)
                        << file_ << ": " << at << where << ".object_off \"" << off << "\" names no object";
                    EXPECT_TRUE(scope.empty() || scope == "on" || scope == "off")
                        << file_ << ": " << at << where << ".scope \"" << scope << "\" is neither \"on\" nor \"off\"";
                },
                ".triggers");
        });
        EXPECT_TRUE(ends) << file_ << ": no trigger ends the drawing with \"DRAWDONE\"";
    }

private:
    template <typename T, typename F>
    static void forEach(const TableList<T>* list, F check, const std::string& field = "") {
        const std::string name = field.empty() ? fieldOf<T>() : field;
        for (flatbuffers::uoffset_t i = 0; list != nullptr && i < list->size(); ++i) {
            check(*list->Get(i), name + "[" + std::to_string(i) + "]");
        }
    }

    template <typename T>
    static std::string fieldOf() {
        if constexpr (std::is_same_v<T, Vector::DrawingDef>) {
            return "definitions";
        } else {
            return "placements";
        }
    }

    // Resolves names in the order the library builds the object: line groups, then polygon
    // groups, each point's name known before its own references; the origin's steps last.
    void checkObject(const Vector::DrawingDef& def, const Vector::PlacementDef& placement, const std::string& at) {
        const std::string object = at + " (definition \"" + Util::toStdString(def.name()) + "\")";
        std::set<std::string> points;
        std::set<std::string> groups;
        std::vector<std::pair<std::string, std::string>> switched;  // group name, where
        for (const auto& [list, field] : {std::make_pair(def.lines(), std::string(".lines")),
                                          std::make_pair(def.polygons(), std::string(".polygons"))}) {
            forEach(
                list,
                [&](const Vector::GroupDef& group, const std::string& g) {
                    groups.insert(Util::toStdString(group.name()));
                    forEach(
                        group.points(),
                        [&](const Vector::PointDef& point, const std::string& p) {
                            const std::string where = object + g + p;
                            points.insert(Util::toStdString(point.name()));
                            expectPoint(points, point.follow_x(), where + ".follow_x");
                            expectPoint(points, point.follow_y(), where + ".follow_y");
                            checkSteps(point.steps(), points, where, switched);
                        },
                        ".points");
                },
                field);
        }
        forEach(
            def.texts(),
            [&](const Vector::TextDef& text, const std::string& t) {
                EXPECT_TRUE(text.sweep_speed() > 0.0f && text.sweep_rate() > 0.0f)
                    << file_ << ": " << object << t << " sweeps with a speed or rate that is not positive";
            },
            ".texts");
        checkSteps(placement.steps(), points, at + " (origin)", switched);
        for (const auto& [name, where] : switched) {
            EXPECT_TRUE(groups.count(name) > 0)
                << file_ << ": " << where << " switches \"" << name << "\", which is no group of its object";
        }
    }

    void checkSteps(const TableList<Vector::StepDef>* steps, const std::set<std::string>& points,
                    const std::string& where, std::vector<std::pair<std::string, std::string>>& switched) {
        forEach(
            steps,
            [&](const Vector::StepDef& step, const std::string& s) {
                const std::string at = where + s;
                expectPoint(points, step.ref_x(), at + ".ref_x");
                expectPoint(points, step.ref_y(), at + ".ref_y");
                expectEaser(step.ease_x(), step.duration_x(), at + ".ease_x");
                expectEaser(step.ease_y(), step.duration_y(), at + ".ease_y");
                EXPECT_TRUE(step.duration_x() >= 0.0f && step.duration_y() >= 0.0f)
                    << file_ << ": " << at << " has a negative duration";
                for (const auto* name : {step.group_on(), step.group_off()}) {
                    if (!Util::toStdString(name).empty()) {
                        switched.emplace_back(Util::toStdString(name), at);
                    }
                }
            },
            ".steps");
    }

    void expectPoint(const std::set<std::string>& points, const flatbuffers::String* name, const std::string& at) {
        const std::string text = Util::toStdString(name);
        EXPECT_TRUE(text.empty() || points.count(text) > 0)
            << file_ << ": " << at << " \"" << text << "\" names no point defined before it in its object";
    }

    void expectEaser(const flatbuffers::String* name, float duration, const std::string& at) {
        const std::string text = Util::toStdString(name);
        if (text.empty()) {
            return;
        }
        EXPECT_TRUE(easerExists(text)) << file_ << ": " << at << " \"" << text << "\" is no easer";
        EXPECT_GT(duration, 0.0f) << file_ << ": " << at << " eases over no time";
    }

    std::string file_;
    const Vector::DrawingRoot& root_;
};

class ShippedDrawings : public ShippedConfig {
protected:
    static void lint(const std::string& field, const std::string& name) {
        ASSERT_FALSE(name.empty()) << "data/config: game." << field << " names no drawing";
        const std::string file = Game::resolveDataName("data/" + name);
        ASSERT_TRUE(std::ifstream(file).good()) << "data/config: game." << field << " \"" << name << "\" has no file";
        Game::Info info;
        ASSERT_TRUE(info.loadSchema("data/VectorDrawing.fbs"));
        ASSERT_NE(info.loadData("data/" + name), nullptr) << file << ": " << info.getParser()->error_;
        DrawingLint(file, *Vector::GetDrawingRoot(info.data())).run();
    }
};

}  // namespace

TEST_F(ShippedDrawings, TheIntroResolvesEveryNameAndEnds) {
    lint("intro_drawing", Zelmo::readGameTable().introDrawing);
}

TEST_F(ShippedDrawings, TheGameOverDrawingsResolveEveryNameAndEnd) {
    lint("lost_drawing", Zelmo::readGameTable().lostDrawing);
    lint("won_drawing", Zelmo::readGameTable().wonDrawing);
}

TEST(DrawingLintCheck, NamesEachFaultOfABrokenDrawing) {
    const std::string broken = R"({ "definitions": [{ "name": "D", "lines": [{ "name": "g", "points": [
        { "name": "a", "follow_x": "b", "steps": [{ "dx": 1, "duration_x": 1, "ease_x": "inWobble" },
                                                { "dy": 1, "ease_y": "outBounce", "group_on": "nothing" }] },
        { "name": "b" }] }],
        "texts": [{ "text": "X", "sweep_speed": 0 }] }],
      "placements": [{ "name": "o", "definition": "D", "layer": 4,
                       "triggers": [{ "event": "E", "object_on": "ghost", "scope": "maybe" }] },
                     { "name": "o", "definition": "missing" }] })";
    Game::Info info;
    ASSERT_TRUE(info.loadSchema("data/VectorDrawing.fbs"));
    ASSERT_NE(info.storeData(broken, false), nullptr) << info.getParser()->error_;
    ::testing::TestPartResultArray results;
    {
        ::testing::ScopedFakeTestPartResultReporter reporter(
            ::testing::ScopedFakeTestPartResultReporter::INTERCEPT_ONLY_CURRENT_THREAD, &results);
        DrawingLint("broken.json", *Vector::GetDrawingRoot(info.data())).run();
    }
    std::vector<std::string> messages;
    for (int i = 0; i < results.size(); ++i) {
        messages.push_back(results.GetTestPartResult(i).message());
    }
    const char* const expected[] = {
        "placements[1] repeats the object name \"o\"",
        "placements[1].definition \"missing\" is defined nowhere",
        "placements[0].layer 4 is not one of 0 to 3",
        ".lines[0].points[0].follow_x \"b\" names no point defined before it",
        ".points[0].steps[0].ease_x \"inWobble\" is no easer",
        ".points[0].steps[1].ease_y eases over no time",
        "switches \"nothing\", which is no group of its object",
        ".texts[0] sweeps with a speed or rate that is not positive",
        ".triggers[0].object_on \"ghost\" names no object",
        ".triggers[0].scope \"maybe\" is neither",
        "no trigger ends the drawing",
    };
    for (const char* fault : expected) {
        EXPECT_THAT(messages, ::testing::Contains(::testing::HasSubstr(fault)));
    }
    EXPECT_EQ(messages.size(), std::size(expected));
}
