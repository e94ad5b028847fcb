#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <string>

#include "content/reader.h"
#include "lib/content_text.h"
#include "platform/diagnostics/stderr_diagnostics.h"
#include "presentation/platform_record.h"
#include "test_support.h"

namespace veloria {
namespace {

// A platform that only counts (and prints) warnings; the files are named by full path.
struct Reading {
    StderrDiagnostics warnings;
    Platform platform;
    Reading() { platform.diagnostics = &warnings; }
};

TEST(ContentReader, IntegersSkipWhiteSpaceAndStopAtTheFirstNonNumber) {
    TempDir dir;
    Reading w;
    std::string path = dir.Write("n.txt", " 12\n-3\t+4  x 5\n");
    ContentReader r(w.platform, path.c_str());
    ASSERT_TRUE(r.IsOpen());
    int32_t a = 0, b = 0, c = 0, d = 77;
    EXPECT_TRUE(r.ReadInt(&a));
    EXPECT_TRUE(r.ReadInt(&b));
    EXPECT_TRUE(r.ReadInt(&c));
    EXPECT_EQ(12, a);
    EXPECT_EQ(-3, b);
    EXPECT_EQ(4, c);
    int before = w.warnings.Count();
    EXPECT_FALSE(r.ReadInt(&d));
    EXPECT_EQ(77, d) << "a failed read leaves the field as it was";
    EXPECT_EQ(before + 1, w.warnings.Count());
    EXPECT_FALSE(r.ReadInt(&d)) << "the stream does not move past something that is no number";
}

TEST(ContentReader, FilesOfNumbersOnlySkipABadWordWholeAndReadOn) {
    TempDir dir;
    Reading w;
    std::string path = dir.Write("w.txt", "1 2x9 +\n-x 3 -4\n");
    ContentReader r(w.platform, path.c_str());
    r.SkipBadWords();
    int32_t v[5] = {0, 50, 60, 70, 0};
    int before = w.warnings.Count();
    testing::internal::CaptureStderr();
    for (int32_t& x : v) r.ReadInt(&x);
    std::string err = testing::internal::GetCapturedStderr();
    EXPECT_EQ(1, v[0]);
    EXPECT_EQ(50, v[1]) << "'2x9' is one value, left as it was";
    EXPECT_EQ(60, v[2]) << "so is a lone sign";
    EXPECT_EQ(70, v[3]);
    EXPECT_EQ(3, v[4]) << "reading goes on after the bad words";
    EXPECT_EQ(before + 3, w.warnings.Count());
    EXPECT_NE(std::string::npos, err.find("w.txt:1: '2x9' is not a number; skipped"));
    EXPECT_NE(std::string::npos, err.find("w.txt:2: '-x' is not a number; skipped"));
}

TEST(ContentReader, LinesAreCutToTheirBufferAndKeepTheEndOfLineWhenItFits) {
    TempDir dir;
    Reading w;
    std::string path = dir.Write("l.txt", "7\nshort\nabcdefghij\nlast");
    ContentReader r(w.platform, path.c_str());
    int32_t n = 0;
    ASSERT_TRUE(r.ReadInt(&n));
    char buf[8];
    ASSERT_TRUE(r.ReadLine(buf, sizeof(buf)));
    EXPECT_STREQ("short\n", buf);
    ASSERT_TRUE(r.ReadLine(buf, sizeof(buf)));
    EXPECT_STREQ("abcdefg", buf);
    ASSERT_TRUE(r.ReadLine(buf, sizeof(buf)));
    EXPECT_STREQ("hij\n", buf);
    ASSERT_TRUE(r.ReadLine(buf, sizeof(buf)));
    EXPECT_STREQ("last", buf);
    EXPECT_FALSE(r.ReadLine(buf, sizeof(buf)));
    EXPECT_STREQ("last", buf);
}

TEST(ContentReader, ALineThatExactlyFillsItsBufferDoesNotLeaveAnEmptyLineBehind) {
    TempDir dir;
    Reading w;
    std::string path = dir.Write("f.txt", "1234567\nnext\n12345678\n");
    ContentReader r(w.platform, path.c_str());
    char buf[8];
    ASSERT_TRUE(r.ReadLine(buf, sizeof(buf)));
    EXPECT_STREQ("1234567", buf);
    ASSERT_TRUE(r.ReadLine(buf, sizeof(buf)));
    EXPECT_STREQ("next\n", buf) << "the line break of the full line is not a line of its own";
    ASSERT_TRUE(r.ReadLine(buf, sizeof(buf)));
    EXPECT_STREQ("1234567", buf);
    ASSERT_TRUE(r.ReadLine(buf, sizeof(buf)));
    EXPECT_STREQ("8\n", buf) << "a longer line still goes on in the next read";
}

TEST(ContentReader, IndicesOutsideTheirRangeAreSkippedWithAWarningNamingTheLine) {
    TempDir dir;
    Reading w;
    std::string path = dir.Write("i.txt", "1\n2\n99\n3\n");
    ContentReader r(w.platform, path.c_str());
    int32_t v = -1;
    EXPECT_TRUE(r.ReadIndex(&v, 0, 5, "slot"));
    EXPECT_TRUE(r.ReadIndex(&v, 0, 5, "slot"));
    int before = w.warnings.Count();
    testing::internal::CaptureStderr();
    EXPECT_FALSE(r.ReadIndex(&v, 0, 5, "slot"));
    std::string err = testing::internal::GetCapturedStderr();
    EXPECT_EQ(2, v);
    EXPECT_EQ(before + 1, w.warnings.Count());
    EXPECT_NE(std::string::npos, err.find("i.txt:3:")) << err;
    EXPECT_TRUE(r.ReadIndex(&v, 0, 5, "slot")) << "reading goes on after a skipped value";
    EXPECT_EQ(3, v);
}

TEST(ContentReader, HugeNumbersAreClampedAndAMissingFileReadsNothing) {
    TempDir dir;
    Reading w;
    std::string path = dir.Write("h.txt", "99999999999999999999 -99999999999");
    ContentReader r(w.platform, path.c_str());
    int32_t a = 0, b = 0;
    testing::internal::CaptureStderr();
    EXPECT_TRUE(r.ReadInt(&a));
    EXPECT_TRUE(r.ReadInt(&b));
    testing::internal::GetCapturedStderr();
    EXPECT_EQ(INT32_MAX, a);
    EXPECT_EQ(INT32_MIN, b);

    ContentReader missing(w.platform, (dir.path + "/none.txt").c_str());
    EXPECT_FALSE(missing.IsOpen());
    int32_t x = 5;
    char line[4] = "ab";
    EXPECT_FALSE(missing.ReadInt(&x));
    EXPECT_FALSE(missing.ReadLine(line, sizeof(line)));
    EXPECT_EQ(5, x);
    EXPECT_STREQ("ab", line);
}

TEST(ContentReader, ValuesAndLinesRunOnAcrossTheReadBlocksAndUnderARoot) {
    // The file is read 4096 bytes at a time: a number, a line break and a line that straddle
    // the seams must read as one, and the line count must stay right.
    TempDir dir;
    Reading w;
    std::string text(4094, ' ');
    text += "1234\n";  // the number starts 2 bytes before the first seam
    text += std::string(8192 - text.size() - 3, 'x') + "\nab\n7";
    dir.Write("data/b.txt", text);
    w.platform.contentRoot = dir.path.c_str();
    ContentReader r(w.platform, "data/b.txt");
    ASSERT_TRUE(r.IsOpen());
    int32_t n = 0;
    ASSERT_TRUE(r.ReadInt(&n));
    EXPECT_EQ(1234, n);
    std::string long_line;
    char buf[5000];
    ASSERT_TRUE(r.ReadLine(buf, sizeof(buf)));
    long_line = buf;
    EXPECT_EQ(std::string(8192 - 4099 - 3, 'x') + "\n", long_line);
    ASSERT_TRUE(r.ReadLine(buf, sizeof(buf)));
    EXPECT_STREQ("ab\n", buf);
    EXPECT_EQ(4, r.Line());
    int32_t seven = 0;
    EXPECT_TRUE(r.ReadInt(&seven));
    EXPECT_EQ(7, seven);
    EXPECT_TRUE(r.AtEnd());
    testing::internal::CaptureStderr();
    r.Warn("odd");
    EXPECT_EQ("data/b.txt:4: odd\n", testing::internal::GetCapturedStderr())
        << "warnings name the content name, not the full path";
}

TEST(ContentReader, TheCheckerReadsEveryNumberAsTheGameDoes) {
    // veloria-check's strict reader keeps lines and words the game's reader does not, but a
    // number must come out the same in both, clamping included.
    const char* const kWords[] = {"0",
                                  "-0",
                                  "+7",
                                  "007",
                                  "2147483647",
                                  "2147483648",
                                  "-2147483648",
                                  "-2147483649",
                                  "99999999999",
                                  "-4294967296",
                                  "12x",
                                  "-3\t",
                                  "-19999999999999999999999999999999999999999999999999999999999",
                                  "+",
                                  "x"};
    TempDir dir;
    Reading w;
    for (const char* word : kWords) {
        const std::string text = std::string(word) + " 5\n";
        dir.Write("n.txt", text);
        ContentReader r(w.platform, (dir.path + "/n.txt").c_str());
        check::ContentText t(dir.path, "n.txt");
        int32_t game = 0, checker = 0;
        testing::internal::CaptureStderr();
        const bool gameRead = r.ReadInt(&game);
        testing::internal::GetCapturedStderr();
        ASSERT_EQ(gameRead, t.Int(&checker)) << word;
        EXPECT_EQ(game, checker) << word;
    }
}

}  // namespace
}  // namespace veloria
