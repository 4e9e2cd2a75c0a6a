#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "InputTestSupport.h"
#include "engine/input/InputControllers.h"

namespace {

using Input::InputControllers;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;

const std::string kFirst = R"({ "areas": [ { "name": "ANYWHERE" }, { "name": "SHARED" }, { "name": "FIRST_ONLY" } ],
  "switches": [ { "areas": ["*ALL*"], "triggers": [ { "type": "ENTERLEAVE" } ],
                  "actions": { "press": [ { "name": "ENTER", "param": "[AREA_NAME]" } ] } } ] })";
const std::string kSecond = R"({ "areas": [ { "name": "ANYWHERE" }, { "name": "SHARED" } ],
  "switches": [ { "areas": ["*ALL*"], "triggers": [ { "type": "ENTERLEAVE" } ],
                  "actions": { "press": [ { "name": "ENTER2", "param": "[AREA_NAME]" } ] } } ] })";

class InputControllersTest : public ::testing::Test {
protected:
    InputControllersTest() {
        std::string pattern = ::testing::TempDir() + "zelmo-input-XXXXXX";
        if (mkdtemp(pattern.data()) == nullptr) ADD_FAILURE() << "cannot create " << pattern;
        folder = pattern;
        EXPECT_TRUE(controllers.loadSchema("data/InputConfig.fbs"));
        controllers.setActionHandler(handler);
    }
    ~InputControllersTest() override {
        std::error_code ignored;
        std::filesystem::remove_all(folder, ignored);
    }

    std::string write(const std::string& name, const std::string& contents) {
        const std::string path = folder + "/" + name;
        std::ofstream(path) << contents;
        return path;
    }

    std::string folder;
    std::shared_ptr<RecordingHandler> handler = std::make_shared<RecordingHandler>();
    InputControllers controllers;
};

TEST_F(InputControllersTest, TheSelectionFollowsTheAreaNameToTheNextController) {
    ASSERT_TRUE(controllers.load("FIRST", write("first.json", kFirst), nullptr));
    ASSERT_TRUE(controllers.load("SECOND", write("second.json", kSecond), nullptr));
    EXPECT_EQ(controllers.getCurrent(), nullptr);
    EXPECT_EQ(controllers.getCurrentAreaName(), "");

    controllers.setCurrent("FIRST");
    EXPECT_EQ(controllers.getCurrentAreaName(), "ANYWHERE");
    controllers.getCurrent()->gotoArea("SHARED");
    handler->take();
    controllers.setCurrent("SECOND");
    EXPECT_EQ(controllers.getCurrentName(), "SECOND");
    EXPECT_EQ(controllers.getCurrentAreaName(), "SHARED");
    EXPECT_THAT(handler->take(), ElementsAre("ENTER2(SHARED)"));

    controllers.setCurrent("FIRST");
    controllers.getCurrent()->gotoArea("FIRST_ONLY");
    controllers.setCurrent("SECOND");
    EXPECT_EQ(controllers.getCurrentAreaName(), "ANYWHERE");
}

TEST_F(InputControllersTest, MakingTheCurrentControllerCurrentAgainReentersItsArea) {
    ASSERT_TRUE(controllers.load("FIRST", write("first.json", kFirst), nullptr));
    controllers.setCurrent("FIRST");
    controllers.getCurrent()->gotoArea("SHARED");
    handler->take();
    controllers.setCurrent("FIRST");
    EXPECT_THAT(handler->take(), ElementsAre("ENTER(SHARED)"));
}

const std::string kPointed = R"({ "areas": [
    { "name": "ANYWHERE", "rect": { "x": 0, "y": 0, "width": 100, "height": 100 } },
    { "name": "CHOICE", "rect": { "x": 0, "y": 0, "width": 50, "height": 100 } } ] })";

// Each time a controller becomes current, its screen opens under a pointer that may lie anywhere:
// the pointer chooses only once it moves there. Where nothing has reported the pointer yet, the
// first report tells where it lies.
TEST_F(InputControllersTest, ThePointerChoosesOnlyOnceItMovesOnTheNewScreen) {
    ASSERT_TRUE(controllers.load("FIRST", write("first.json", kFirst), nullptr));
    ASSERT_TRUE(controllers.load("POINTED", write("pointed.json", kPointed), nullptr));
    controllers.setCurrent("POINTED");
    controllers.getCurrent()->onMouse(10, 50, 0, 0, false);
    EXPECT_EQ(controllers.getCurrentAreaName(), "ANYWHERE");
    controllers.getCurrent()->onMouse(11, 50, 0, 0, false);
    EXPECT_EQ(controllers.getCurrentAreaName(), "CHOICE");
    for (int opened = 0; opened < 2; ++opened) {
        controllers.setCurrent("FIRST");
        controllers.setCurrent("POINTED");
        controllers.getCurrent()->onMouse(11, 50, 0, 0, false);
        EXPECT_EQ(controllers.getCurrentAreaName(), "ANYWHERE") << "reported again where it lay";
    }
}

// A head tracker moves the pointer once onto a choice and holds it there: that one move, the first
// report on the new screen, chooses, as the pointer was last seen elsewhere on the screen before.
TEST_F(InputControllersTest, ASingleMoveOntoAChoiceOfTheNewScreenChoosesIt) {
    ASSERT_TRUE(controllers.load("FIRST", write("first.json", kFirst), nullptr));
    ASSERT_TRUE(controllers.load("POINTED", write("pointed.json", kPointed), nullptr));
    controllers.setCurrent("FIRST");
    controllers.getCurrent()->onMouse(80, 50, 0, 0, false);
    controllers.setCurrent("POINTED");
    controllers.getCurrent()->onMouse(10, 50, 0, 0, false);
    EXPECT_EQ(controllers.getCurrentAreaName(), "CHOICE");

    // Last seen on this screen: after a screen where it made no report, it still lies there.
    controllers.setCurrent("FIRST");
    controllers.setCurrent("POINTED");
    controllers.getCurrent()->onMouse(10, 50, 0, 0, false);
    EXPECT_EQ(controllers.getCurrentAreaName(), "ANYWHERE");
    controllers.getCurrent()->onMouse(12, 50, 0, 0, false);
    EXPECT_EQ(controllers.getCurrentAreaName(), "CHOICE");
}

TEST_F(InputControllersTest, AnUnknownCurrentNameLeavesNoCurrentController) {
    ASSERT_TRUE(controllers.load("FIRST", write("first.json", kFirst), nullptr));
    controllers.setCurrent("FIRST");
    controllers.setCurrent("NOSUCH");
    EXPECT_EQ(controllers.getCurrent(), nullptr);
    EXPECT_EQ(controllers.getCurrentAreaName(), "");
}

TEST_F(InputControllersTest, LoadingAgainReplacesTheControllerOfThatName) {
    ASSERT_TRUE(controllers.load("FIRST", write("first.json", kFirst), nullptr));
    controllers.setCurrent("FIRST");
    ASSERT_TRUE(controllers.load("FIRST", write("second.json", kSecond), nullptr));
    const Input::InputController* replaced = controllers.find("FIRST");
    ASSERT_NE(replaced, nullptr);
    EXPECT_EQ(replaced->getCurrentAreaName(), "");
    EXPECT_EQ(controllers.find("SECOND"), nullptr);
}

TEST_F(InputControllersTest, AFileThatDoesNotParseFailsWithTheParsersLineAndColumn) {
    EXPECT_FALSE(controllers.load("BROKEN", write("broken.json", "{ \"areas\": [ { \"name\": } ] }"), nullptr));
    EXPECT_THAT(controllers.loadError(), ::testing::StartsWith("Failed to create input BROKEN from: /"));
    EXPECT_THAT(controllers.loadError(), HasSubstr("broken.json:1: 24: error: "));
    EXPECT_EQ(controllers.find("BROKEN"), nullptr);
}

TEST_F(InputControllersTest, AControllerThatDoesNotLoadIsNotRegistered) {
    const std::string path = write("empty.json", R"({ "switches": [ { "areas": ["X"] } ] })");
    EXPECT_FALSE(controllers.load("EMPTY", path, nullptr));
    EXPECT_EQ(controllers.loadError(), "Failed to create input EMPTY from: " + path + ": switch 0: no triggers");
    EXPECT_EQ(controllers.find("EMPTY"), nullptr);
    EXPECT_TRUE(controllers.load("FIRST", write("first.json", kFirst), nullptr));
    EXPECT_EQ(controllers.loadError(), "");
}

// Numbers of an input file that would bring down the overlay's drawing, put a choice where no
// pointer reaches it or stop the screen answering: (field, value) -> the one line the player sees.
TEST_F(InputControllersTest, NumbersOutOfRangeFailNamingTheFileAreaAndField) {
    struct Case {
        std::string field;  // of the area PLAY, the root or the switch's trigger timing
        std::string value;
        std::string line;  // after "Failed to create input PLAY from: <path>: "; empty: loads
    };
    const std::vector<Case> cases = {
        {"rect", R"({"x": 80, "y": 0, "width": 20, "height": 100})", ""},
        {"rect", R"({"x": 50, "y": 50, "width": 100, "height": 100}, "centred": true)", ""},
        {"rect", R"({"x": nan, "y": 10, "width": 20, "height": 10})",
         "area 1 PLAY field rect.x: must be a finite number"},
        {"rect", R"({"x": 10, "y": inf, "width": 20, "height": 10})",
         "area 1 PLAY field rect.y: must be a finite number"},
        {"rect", R"({"x": 10, "y": 10, "width": -nan, "height": 10})",
         "area 1 PLAY field rect.width: must be a finite number"},
        {"rect", R"({"x": 40, "y": 10, "width": -20, "height": 10})", "area 1 PLAY field rect.width: must be above 0"},
        {"rect", R"({"x": 10, "y": 10, "width": 20, "height": 0})", "area 1 PLAY field rect.height: must be above 0"},
        {"rect", R"({"x": 500, "y": 10, "width": 20, "height": 10})",
         "area 1 PLAY field rect: must lie within the window, 0 to 100 percent"},
        {"rect", R"({"x": 10, "y": 95, "width": 20, "height": 10})",
         "area 1 PLAY field rect: must lie within the window, 0 to 100 percent"},
        {"rect", R"({"x": 5, "y": 50, "width": 20, "height": 10}, "centred": true)",
         "area 1 PLAY field rect: must lie within the window, 0 to 100 percent"},
        {"cool_down", "nan", "field cool_down: must be 0 to 60000"},
        {"cool_down", "-5", "field cool_down: must be 0 to 60000"},
        {"timing", R"({"hold": -1})", "switch 0: trigger 0 timing hold: must be 0 to 60000"},
        {"timing", R"({"dwell": 2000000000})", "switch 0: trigger 0 timing dwell: must be 0 to 60000"},
        {"timing", R"({"debounce": -40})", "switch 0: trigger 0 timing debounce: must be 0 to 60000"},
    };
    for (const Case& c : cases) {
        const std::string area = c.field == "rect" ? R"(, "rect": )" + c.value : "";
        const std::string root = c.field == "cool_down" ? R"("cool_down": )" + c.value + ", " : "";
        const std::string timing = c.field == "timing" ? R"(, "timing": )" + c.value : "";
        const std::string path = write("play.json", "{ " + root + R"("areas": [ { "name": "ANYWHERE" },
            { "name": "PLAY")" + area + R"( } ],
          "switches": [ { "areas": ["PLAY"], "triggers": [ { "type": "KEY", "key": "a")" +
                                                        timing + " } ] } ] }");
        const bool loaded = controllers.load("PLAY", path, nullptr);
        EXPECT_EQ(loaded, c.line.empty()) << c.field << " " << c.value;
        EXPECT_EQ(controllers.loadError(),
                  c.line.empty() ? "" : "Failed to create input PLAY from: " + path + ": " + c.line)
            << c.field << " " << c.value;
    }
}

TEST_F(InputControllersTest, ControllersSendToTheSharedHandler) {
    ASSERT_TRUE(controllers.load("FIRST", write("first.json", kFirst), nullptr));
    controllers.setCurrent("FIRST");
    controllers.getCurrent()->gotoArea("SHARED");
    EXPECT_THAT(handler->take(), ElementsAre("ENTER(SHARED)"));
}

TEST(InputControllersDeathTest, AnUnreadableFileStopsTheProgram) {
    InputControllers controllers;
    ASSERT_TRUE(controllers.loadSchema("data/InputConfig.fbs"));
    EXPECT_EXIT(controllers.load("GONE", "data/no-such-input.json", nullptr), ::testing::ExitedWithCode(1),
                "Failed to load: data/no-such-input.json");
}

}  // namespace
