// Animated drawings advanced headless: when steps end, how points follow each other, the order
// of events and what triggers do with them, and the faults that stop the process.
#include <gmock/gmock.h>

#include "DrawingSupport.h"

namespace {

DrawingPoint& pointOf(DrawingLibrary& drawing, const std::string& name, const std::string& object = "obj") {
    DrawingPoint* point = drawing.object(object)->point(name);
    EXPECT_NE(point, nullptr) << name;
    return *point;
}

// Point "p" of a line group, from (0, 0), with the given steps.
std::string onePoint(const std::string& steps) {
    return R"("lines": [{ "points": [{ "name": "p", "steps": [)" + steps + "] }] }]";
}

}  // namespace

TEST_F(DrawingTest, AStepEndsOnceItsLongerChannelHasRunAndTheNextStartsThere) {
    auto drawing = load(single(onePoint(R"({ "dx": 10, "duration_x": 2 }, { "dy": 5, "duration_y": 1 })")));
    DrawingPoint& p = pointOf(*drawing, "p");
    evaluateAt(*drawing, "obj", 1.0f);
    EXPECT_FLOAT_EQ(p.x, 5.0f) << "a channel with a duration and no easer moves linearly";
    EXPECT_EQ(p.step, 0u);
    evaluateAt(*drawing, "obj", 2.0f);
    EXPECT_EQ(p.step, 0u) << "the step runs up to and including its end";
    evaluateAt(*drawing, "obj", 2.01f);
    EXPECT_EQ(p.step, 1u);
    EXPECT_FLOAT_EQ(p.x, 10.0f);
    evaluateAt(*drawing, "obj", 2.5f);
    EXPECT_NEAR(p.y, 2.5f, 1e-4f) << "the second step started at 2 s";
    EXPECT_FLOAT_EQ(p.x, 10.0f);
}

TEST_F(DrawingTest, NamedEasersShapeTheMoveAndAZeroLengthEaseJumpsToItsEnd) {
    auto drawing = load(single(onePoint(R"({ "dx": 10, "duration_x": 2, "ease_x": "inQuad" },
                                           { "dy": 4, "ease_y": "outBounce" })")));
    DrawingPoint& p = pointOf(*drawing, "p");
    evaluateAt(*drawing, "obj", 1.0f);
    EXPECT_FLOAT_EQ(p.x, 2.5f) << "inQuad at half time";
    evaluateAt(*drawing, "obj", 2.01f);
    evaluateAt(*drawing, "obj", 2.02f);
    EXPECT_FLOAT_EQ(p.y, 4.0f);
    EXPECT_EQ(p.step, 2u);
}

TEST_F(DrawingTest, AStepWithNoDurationsEndsAtOnceWithItsEvent) {
    auto drawing = load(single(onePoint(R"({ "dx": 3, "event": "A" })"), R"("triggers": [
        { "event": "A", "object_on": "DRAWDONE" }])"));
    drawing->update(0.0f);
    EXPECT_EQ(pointOf(*drawing, "p").step, 1u);
    EXPECT_TRUE(drawing->done());
}

TEST_F(DrawingTest, AFollowingChannelWaitsForTheFollowedPointsStepToEnd) {
    // "lead" is in its step 1 (2 s to 5 s in x); "tail" follows its x with a step of no length.
    auto drawing = load(single(R"("lines": [{ "points": [
        { "name": "lead", "steps": [{ "dx": 1, "duration_x": 2 }, { "dx": 3, "duration_x": 3 }] },
        { "name": "tail", "x": 50, "steps": [{ "dy": 1, "duration_y": 2 }, { "ref_x": "lead" }] }] }])"));
    DrawingPoint& tail = pointOf(*drawing, "tail");
    evaluateAt(*drawing, "obj", 2.01f);
    evaluateAt(*drawing, "obj", 2.02f);
    ASSERT_EQ(tail.step, 1u);
    evaluateAt(*drawing, "obj", 3.5f);
    EXPECT_NEAR(tail.x, 2.5f, 1e-3f) << "follows the lead's x while waiting";
    EXPECT_EQ(tail.step, 1u);
    evaluateAt(*drawing, "obj", 5.0f);
    EXPECT_EQ(tail.step, 1u);
    evaluateAt(*drawing, "obj", 5.01f);
    EXPECT_EQ(tail.step, 2u);
    EXPECT_FLOAT_EQ(tail.x, 4.0f);
}

TEST_F(DrawingTest, AStepFollowingInBothChannelsEndsOnlyOnceAFollowedPointHasNoStepLeft) {
    auto drawing = load(single(R"("lines": [{ "points": [
        { "name": "a", "steps": [{ "dx": 1, "duration_x": 1 }] },
        { "name": "b", "steps": [{ "dy": 1, "duration_y": 3 }] },
        { "name": "c", "steps": [{ "ref_x": "a", "ref_y": "b", "event": "C" }] }] }])",
                               R"("triggers": [{ "event": "C", "object_on": "DRAWDONE" }])"));
    evaluateAt(*drawing, "obj", 2.0f);
    EXPECT_EQ(pointOf(*drawing, "a").step, 1u);
    EXPECT_FALSE(drawing->done()) << "x no longer follows but y still does";
    // Evaluation order matters: "c" is evaluated after "b" in the same update.
    evaluateAt(*drawing, "obj", 3.01f);
    EXPECT_TRUE(drawing->done());
    EXPECT_FLOAT_EQ(pointOf(*drawing, "c").y, 1.0f);
}

TEST_F(DrawingTest, AFinishedPointKeepsFollowingItsReferences) {
    auto drawing = load(single(R"("lines": [{ "points": [
        { "name": "a", "steps": [{ "dx": 10, "dy": 20, "duration_x": 1, "duration_y": 1 }] },
        { "follow_x": "a", "follow_y": "a", "x": 99, "y": 99 }] }])"));
    evaluateAt(*drawing, "obj", 0.5f);
    const auto& points = drawing->object("obj")->lineGroups()[0]->points;
    EXPECT_FLOAT_EQ(points[1]->x, 5.0f);
    EXPECT_FLOAT_EQ(points[1]->y, 10.0f);
}

TEST_F(DrawingTest, EventsOfOneUpdateRunTheirTriggersInEvaluationOrder) {
    // The origin first, then polygon groups, then line groups: "A" shows "x", then "B" hides it.
    // The other way round "x" would stay visible; an event with no trigger changes nothing.
    auto drawing = load(single(R"("lines": [{ "points": [{ "steps": [{ "event": "B" }] }] }],
                                  "polygons": [{ "points": [{ "steps": [{ "event": "Z" }] }] }])",
                               R"("steps": [{ "event": "A" }], "triggers": [
                                    { "event": "A", "object_on": "x" }, { "event": "B", "object_off": "x" }])",
                               R"({ "name": "x", "definition": "D", "visible": false })"));
    drawing->update(0.0f);
    EXPECT_FALSE(drawing->object("x")->visible());
}

TEST_F(DrawingTest, InvisibleObjectsAndGroupsWaitAndStepsSwitchGroups) {
    auto drawing = load(single(R"("lines": [
        { "name": "shown", "points": [{ "name": "s", "steps": [
            { "dx": 1, "duration_x": 1, "group_on": "hidden", "group_off": "shown" }] }] },
        { "name": "hidden", "visible": false, "points": [{ "name": "h", "steps": [{ "dx": 1, "duration_x": 4 }] }] }])",
                               "", R"({ "name": "later", "definition": "D", "visible": false })"));
    evaluateAt(*drawing, "obj", 0.9f);
    EXPECT_EQ(pointOf(*drawing, "h").x, 0.0f) << "an invisible group's points are not moved";
    evaluateAt(*drawing, "obj", 1.01f);
    EXPECT_TRUE(drawing->object("obj")->group("hidden")->visible);
    EXPECT_FALSE(drawing->object("obj")->group("shown")->visible);
    evaluateAt(*drawing, "obj", 2.01f);
    EXPECT_NEAR(pointOf(*drawing, "h").x, 2.01f / 4.0f, 1e-4f) << "on the object's clock, which ran all along";
    EXPECT_EQ(drawing->object("later")->clock(), 0.0f) << "an invisible object's clock stands still";
}

TEST_F(DrawingTest, TheOriginMovesTheObjectAndItsStepsMayFollowItsPoints) {
    auto drawing = load(single(R"("lines": [{ "points": [{ "name": "p", "steps": [{ "dx": 8, "duration_x": 1 }] }] }])",
                               R"("x": 10, "y": 20, "steps": [{ "dy": 5, "duration_y": 1 }, { "ref_x": "p" }])"));
    evaluateAt(*drawing, "obj", 0.5f);
    const DrawingPoint& origin = drawing->object("obj")->origin();
    EXPECT_FLOAT_EQ(origin.x, 10.0f);
    EXPECT_FLOAT_EQ(origin.y, 22.5f);
    evaluateAt(*drawing, "obj", 1.01f);
    evaluateAt(*drawing, "obj", 1.02f);
    EXPECT_FLOAT_EQ(origin.x, 8.0f) << "the second step follows p's x";
}

TEST_F(DrawingTest, TriggersSwitchObjectsAndTheDoneFlagStays) {
    auto drawing = load(single(onePoint(R"({ "dx": 1, "duration_x": 1, "event": "E" })"),
                               R"("triggers": [{ "event": "E", "object_on": "next", "object_off": "obj" },
                                               { "event": "E", "object_on": "DRAWDONE" }])",
                               R"({ "name": "next", "definition": "D", "visible": false, "layer": 3 })"));
    EXPECT_EQ(drawing->highestLayer(), 3);
    evaluateAt(*drawing, "obj", 1.01f);
    EXPECT_TRUE(drawing->object("next")->visible());
    EXPECT_FALSE(drawing->object("obj")->visible());
    EXPECT_TRUE(drawing->done());
    drawing->update(16.0f);
    EXPECT_TRUE(drawing->done());
}

TEST_F(DrawingTest, AnObjectNamedDrawDoneIsSwitchedOnInsteadOfEndingTheDrawing) {
    auto drawing =
        load(single(onePoint(R"({ "event": "E" })"), R"("triggers": [{ "event": "E", "object_on": "DRAWDONE" }])",
                    R"({ "name": "DRAWDONE", "definition": "D", "visible": false })"));
    drawing->update(0.0f);
    EXPECT_FALSE(drawing->done());
    EXPECT_TRUE(drawing->object("DRAWDONE")->visible());
}

TEST_F(DrawingTest, EventsAreMatchedWholeAfterTrimming) {
    auto drawing =
        load(single(onePoint(R"({ "event": " GO " }, { "event": "GONE" })"),
                    R"("triggers": [{ "event": "GO", "object_on": "x" }, { "event": "G", "object_on": "DRAWDONE" }])",
                    R"({ "name": "x", "definition": "D", "visible": false })"));
    drawing->update(0.0f);
    drawing->update(0.0f);
    EXPECT_TRUE(drawing->object("x")->visible());
    EXPECT_FALSE(drawing->done());
}

struct FatalCase {
    const char* name;
    std::string json;
    const char* line;
};

void PrintTo(const FatalCase& c, std::ostream* out) { *out << c.name; }

class DrawingFault : public DrawingTest, public ::testing::WithParamInterface<FatalCase> {};

TEST_P(DrawingFault, StopsTheProcessWithItsLine) {
    const FatalCase& c = GetParam();
    EXPECT_EXIT(
        {
            auto drawing = load(c.json);
            for (int frame = 0; frame < 3; ++frame) {
                drawing->update(1000.0f);
            }
        },
        ::testing::ExitedWithCode(1), c.line);
}

INSTANTIATE_TEST_SUITE_P(
    Drawings, DrawingFault,
    ::testing::Values(
        FatalCase{"UnknownDefinition", R"({ "placements": [{ "name": "o", "definition": "nothing" }] })",
                  "Object instance not found:nothing"},
        FatalCase{"UnknownPoint", single(R"("lines": [{ "points": [{ "follow_x": "ghost" }] }])"),
                  "Ref'ed point not found:ghost"},
        FatalCase{"PointNamedLater", single(R"("lines": [{ "points": [
                      { "steps": [{ "ref_y": "late" }] }, { "name": "late" }] }])"),
                  "Ref'ed point not found:late"},
        FatalCase{"UnknownEaser", single(onePoint(R"({ "dx": 1, "duration_x": 1, "ease_x": "inWobble" })")),
                  "Easer inWobble unknown"},
        FatalCase{"UnknownGroup", single(onePoint(R"({ "group_on": "nowhere" })")), "Group not found:nowhere"},
        FatalCase{"OnTriggerOfNoObject",
                  single(onePoint(R"({ "event": "E" })"), R"("triggers": [{ "event": "E", "object_on": "x" }])"),
                  "ON trigger x not found in obj obj"},
        FatalCase{"OffTriggerOfNoObject",
                  single(onePoint(R"({ "event": "E" })"), R"("triggers": [{ "event": "E", "object_off": "y" }])"),
                  "OFF trigger y not found in obj obj"},
        FatalCase{"NotJson", "{ this is not a drawing", "Failed to load drawing: "}),
    [](const ::testing::TestParamInfo<FatalCase>& info) { return std::string(info.param.name); });

TEST_F(DrawingTest, AMissingDrawingOrSchemaStopsTheProcess) {
    EXPECT_EXIT(factory.create(folder.path("absent")), ::testing::ExitedWithCode(1),
                "Failed to load drawing: .*absent");
    EXPECT_EXIT(Vector::DrawingFactory(folder.path("none.fbs")), ::testing::ExitedWithCode(1),
                "Failed to load: .*none.fbs");
}
