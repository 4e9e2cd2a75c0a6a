#include <gtest/gtest.h>

#include "engine/shell/AppContext.h"
#include "game/startup/PlaceholderState.h"

namespace {

// The title's stand-in reads the keyboard once a frame, in the frame's update.
TEST(PlaceholderState, AnEscapeTapBetweenTwoFramesCountsOnceAndAHeldKeyOnlyOnce) {
    AppContext context(false, 640, 480, true, 60, 0);
    Zelmo::PlaceholderState title(context, "", "QUIT");
    EXPECT_EQ(title.update(16), "");

    context.onKey(Devices::KEY_ESCAPE, true, 0);
    context.onKey(Devices::KEY_ESCAPE, false, 0);
    EXPECT_EQ(title.update(16), "QUIT");
    context.update(16);
    EXPECT_EQ(title.update(16), "");

    context.onKey(Devices::KEY_ESCAPE, true, 0);
    context.update(16);
    EXPECT_EQ(title.update(16), "") << "a held key is not pressed again every frame";
}

}  // namespace
