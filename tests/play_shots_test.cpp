#include <gtest/gtest.h>

#include "lib/script.h"

namespace veloria::play {
namespace {

TEST(PlayShotsDuring, ParsesOneFileName) {
    ScriptLine s = ParseScriptLine("shots-during flash.png  # the battle start");
    ASSERT_EQ(Command::ShotsDuring, s.command);
    ASSERT_EQ(1u, s.args.size());
    EXPECT_EQ("flash.png", s.args[0]);
    EXPECT_EQ(Command::Bad, ParseScriptLine("shots-during").command);
    EXPECT_EQ(Command::Bad, ParseScriptLine("shots-during a.png b.png").command);
    // The single-frame command is untouched by its longer neighbour.
    EXPECT_EQ(Command::Shot, ParseScriptLine("shot a.png").command);
}

TEST(PlayShotsDuring, NumbersGoBeforeTheExtension) {
    EXPECT_EQ("flash-1.png", NumberedShotName("flash.png", 1));
    EXPECT_EQ("flash-12.png", NumberedShotName("flash.png", 12));
    EXPECT_EQ("/tmp/a.b/flash-2.png", NumberedShotName("/tmp/a.b/flash.png", 2));
    // No extension, or a dot only in a directory name or at the start of the file name.
    EXPECT_EQ("flash-3", NumberedShotName("flash", 3));
    EXPECT_EQ("out.d/flash-4", NumberedShotName("out.d/flash", 4));
    EXPECT_EQ("shots/.hidden-5", NumberedShotName("shots/.hidden", 5));
    EXPECT_EQ(".hidden-6", NumberedShotName(".hidden", 6));
}

}  // namespace
}  // namespace veloria::play
