#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "game/world/CombatComps.h"
#include "game/world/DisplayComps.h"
#include "game/world/FXsComp.h"
#include "game/world/LifeComps.h"
#include "tests/game/world/WorldHarness.h"

namespace {

using WorldTest::WorldHarness;
using Zelmo::GameLogic;
using Zelmo::TextInfoSys;

// The shipped levels: a game starts on the last one and ends on the boss level 0.
constexpr int kFirstLevel = 8;
constexpr int kMiddleLevel = 3;
constexpr int kBossLevel = 0;

std::string textOf(const ecs::Entity& message) {
    return message.isValid() ? message.get<Zelmo::TextComp>().text : std::string("(none)");
}

// Every message text living in the world, oldest first.
std::vector<std::string> shownTexts(GameLogic& logic) {
    logic.world().refresh();
    std::vector<std::string> texts;
    for (const ecs::Entity& message : logic.textInfoSys().entities()) texts.push_back(textOf(message));
    return texts;
}

// The message's life ends as its lifetime's end ends it: marked, then removed by the next pass.
void endLife(WorldHarness& harness, const ecs::Entity& message) {
    Zelmo::markForKill(message);
    harness.step(2);
}

TEST(TextInfo, EachLevelStartsWithItsNumberAndTheGoalOfTheFirstAndTheBossLevel) {
    struct Case {
        int level;
        std::vector<std::string> texts;
        std::string goal;
        std::string door;
    };
    const Case cases[] = {
        {kFirstLevel, {"LEVEL\n  8", "PUNCH DOOR TO BREAK OUT"}, "(none)", "PUNCH DOOR TO BREAK OUT"},
        {kMiddleLevel, {"LEVEL\n  3"}, "(none)", "(none)"},
        {kBossLevel, {"LEVEL\n  0", "DEFEAT ORAC"}, "DEFEAT ORAC", "(none)"},
    };
    for (const Case& c : cases) {
        WorldHarness harness;
        harness.startLevel(c.level);
        GameLogic& logic = harness.logic();
        EXPECT_EQ(shownTexts(logic), c.texts) << "level " << c.level;
        EXPECT_EQ(textOf(logic.textInfoSys().goalSlot()), c.goal) << "level " << c.level;
        EXPECT_EQ(textOf(logic.textInfoSys().doorSlot()), c.door) << "level " << c.level;
    }
}

TEST(TextInfo, AGameOfOneLevelShowsTheDoorAndNotTheBoss) {
    WorldHarness harness;
    harness.startLevel(kBossLevel);
    TextInfoSys& texts = harness.logic().textInfoSys();
    texts.showLevelStart(0, 0);
    EXPECT_EQ(textOf(texts.doorSlot()), "PUNCH DOOR TO BREAK OUT");
    EXPECT_FALSE(texts.goalSlot().isValid());
}

TEST(TextInfo, AMessageFadesOverItsFiveSecondsKeepingItsColour) {
    WorldHarness harness;
    harness.startLevel(kMiddleLevel);
    const ecs::Entity message = harness.logic().textInfoSys().showMessage("HELLO", 50.0f, 30.0f, 0x7f00af00, 0.5f);
    const Zelmo::VectorComp& look = message.get<Zelmo::VectorComp>();
    EXPECT_EQ(look.lifetime, 5000.0f);
    const Zelmo::FXsComp& effects = message.get<Zelmo::FXsComp>();
    ASSERT_EQ(effects.colourChains.size(), 1u);
    const auto& step = effects.colourChains[0].steps.at(0);
    EXPECT_EQ(effects.colourChains[0].target, &look.colour);
    EXPECT_EQ(step.duration, 5000.0f);
    EXPECT_EQ(step.easer, &Penner::Cubic::easeIn);
    EXPECT_EQ(step.colours.from, 0x7f00af00u);
    EXPECT_EQ(step.colours.to, 0x0000af00u);
}

TEST(TextInfo, PrisonerCountsSayOneWithoutThePluralAndNothingWhenNoneAreLeft) {
    struct Case {
        int left;
        std::string prisonersLeft;
        std::string rescue;
    };
    const Case cases[] = {
        {0, "(none)", "(none)"},
        {1, "1 PRISONER LEFT", "RESCUE 1 PRISONER"},
        {3, "3 PRISONERS LEFT", "RESCUE 3 PRISONERS"},
    };
    for (const Case& c : cases) {
        WorldHarness harness;
        harness.startLevel(kMiddleLevel);
        TextInfoSys& texts = harness.logic().textInfoSys();
        texts.showPrisonersLeft(c.left);
        EXPECT_EQ(textOf(texts.goalSlot()), c.prisonersLeft) << c.left;
        if (texts.goalSlot().isValid()) endLife(harness, texts.goalSlot());
        texts.showRescued(c.left);
        EXPECT_EQ(textOf(texts.goalSlot()), c.rescue) << c.left;
    }
}

TEST(TextInfo, ANewPrisonerMessageWaitsForTheLastOneToGoThenTakesItsSlot) {
    WorldHarness harness;
    harness.startLevel(kMiddleLevel);
    TextInfoSys& texts = harness.logic().textInfoSys();
    texts.showPrisonersLeft(3);
    const ecs::Entity first = texts.goalSlot();
    texts.showPrisonersLeft(2);
    texts.showRescued(2);
    EXPECT_EQ(texts.goalSlot(), first);
    EXPECT_EQ(shownTexts(harness.logic()), (std::vector<std::string>{"LEVEL\n  3", "3 PRISONERS LEFT"}));

    endLife(harness, first);
    texts.showPrisonersLeft(2);
    EXPECT_EQ(textOf(texts.goalSlot()), "2 PRISONERS LEFT");
}

TEST(TextInfo, TheDoorMessageHoldsBackTheLiftsMessageButNotTheCountOfARescue) {
    WorldHarness harness;
    harness.startLevel(kFirstLevel);
    TextInfoSys& texts = harness.logic().textInfoSys();
    const ecs::Entity door = texts.doorSlot();
    texts.showRescued(2);
    EXPECT_FALSE(texts.goalSlot().isValid());
    texts.showPrisonersLeft(2);
    EXPECT_EQ(textOf(texts.goalSlot()), "2 PRISONERS LEFT");
    EXPECT_EQ(texts.doorSlot(), door);

    endLife(harness, texts.goalSlot());
    texts.showRescued(2);
    EXPECT_FALSE(texts.goalSlot().isValid());
    endLife(harness, door);
    texts.showRescued(2);
    EXPECT_EQ(textOf(texts.goalSlot()), "RESCUE 2 PRISONERS");
}

TEST(TextInfo, TheGameTellsOfRescuesAndOfPrisonersLeftBehindAtTheLift) {
    WorldHarness harness;
    harness.startLevel(kMiddleLevel);
    GameLogic& logic = harness.logic();
    const int prisoners = logic.prisonersLeft();
    ASSERT_GE(prisoners, 3);

    logic.checkLevelEnd();
    EXPECT_EQ(textOf(logic.textInfoSys().goalSlot()), "RESCUE " + std::to_string(prisoners) + " PRISONERS");
    endLife(harness, logic.textInfoSys().goalSlot());

    struct Prisoners : ecs::System {
        Prisoners() : System(ecs::componentMask<Zelmo::MazeMapDisplayComp, Zelmo::BeamComp>()) {}
    } chained;
    logic.world().addSystem(chained);
    logic.world().refresh();
    ASSERT_FALSE(chained.entities().empty());
    logic.rescuePrisoner(chained.entities().front());
    EXPECT_EQ(textOf(logic.textInfoSys().goalSlot()), std::to_string(prisoners - 1) + " PRISONERS LEFT");
}

}  // namespace
