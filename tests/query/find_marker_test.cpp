#include "query/find_marker.h"

#include <gtest/gtest.h>
#include <string>

namespace quorlen {
namespace {

TEST(FindMarker, FindsOnlyOnCharacterBoundariesOfTheWholeText) {
    // 性别 in GBK: D0 D4 B1 F0.
    const std::string_view xingbie = "\xD0\xD4\xB1\xF0";
    struct Case {
        const char* name;
        std::string_view text;
        std::string_view marker;
        int start;
        bool ignoreCase;
        int expected;
    } cases[] = {
        {"first", "abcabc", "c", 1, false, 3},
        {"from start", "abcabc", "c", 4, false, 6},
        {"start zero", "abcabc", "c", 0, false, 3},
        {"start negative", "abcabc", "c", -5, false, 3},
        {"start past end", "abcabc", "c", 7, false, -1},
        {"empty marker", "abc", "", 1, false, -1},
        {"empty text", "", "a", 1, false, -1},
        {"marker longer than rest", "abcabc", "bc", 6, false, -1},
        {"straddling two characters", xingbie, "\xD4\xB1", 1, false, -1},
        {"whole characters", xingbie, xingbie, 1, false, 1},
        {"case sensitive", "Profile", "profile", 1, false, -1},
        {"ignore case", "Profile", "profile", 1, true, 1},
        {"ignore case non-letter", "[x", "{x", 1, true, -1},
        // Boundaries are counted from the first byte, not from the start position:
        // starting on the second byte of 中 (D6 D0) still does not make D0 a lead byte.
        {"start on a second byte", "\xD6\xD0\xD6\xD0", "\xD0\xD6", 2, false, -1},
        {"found after misaligned hits", "\xD6\xD0\xD6\xD0x\xD0\xD6", "\xD0\xD6", 1, false, 6},
        // 0x80 stands alone here, so the byte after it begins a character.
        {"0x80 is one byte", "\x80\xD6\xD0", "\xD6\xD0", 1, false, 2},
        {"0x81 is a lead", "\x81\xD6\xD0", "\xD6\xD0", 1, false, -1},
        // The A of 癅 (B0 41) must match exactly even when ignoring case.
        {"marker second byte exact", "\xB0\x61", "\xB0\x41", 1, true, -1},
        {"marker second byte equal", "x\xB0\x41", "\xB0\x41", 1, true, 2},
        {"text lead byte not folded", "\xC1", "\xE1", 1, true, -1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FindMarker(c.text, c.marker, c.start, c.ignoreCase), c.expected) << c.name;
}

TEST(CutBetween, WalksThroughTheTextAndResetsThePositionOnFailure) {
    const std::string_view text = "[x][y]";
    int position = 1;
    EXPECT_EQ(CutBetween(text, "[", "]", position), "x");
    EXPECT_EQ(position, 4);
    EXPECT_EQ(CutBetween(text, "[", "]", position), "y");
    EXPECT_EQ(position, 7);
    EXPECT_EQ(CutBetween(text, "[", "]", position), "");
    EXPECT_EQ(position, 0);
    // From 0 the next cut starts at the top again.
    EXPECT_EQ(CutBetween(text, "[", "]", position), "x");

    struct Case {
        const char* name;
        std::string_view text;
        std::string_view front;
        std::string_view back;
        int position;
        std::string_view expected;
        int positionAfter;
    } cases[] = {
        {"back right after front", "a<>b", "<", ">", 1, "", 4},
        {"no back after front", "a]b[c", "[", "]", 1, "", 0},
        {"no front", "abc", "[", "]", 1, "", 0},
        {"back searched after front", "]x[abc]", "[", "]", 0, "abc", 8},
        {"multi-byte markers", "<b>\xD6\xD0</b>", "<b>", "</b>", 1, "\xD6\xD0", 10},
        {"empty text", "", "[", "]", 1, "", 0},
    };
    for (const Case& c : cases) {
        int at = c.position;
        EXPECT_EQ(CutBetween(c.text, c.front, c.back, at), c.expected) << c.name;
        EXPECT_EQ(at, c.positionAfter) << c.name;
    }
}

TEST(MidText, CutsByBytes) {
    EXPECT_EQ(MidText("abcdef", 5, 10), "ef");
    EXPECT_EQ(MidText("abc", 4, 1), "");
    EXPECT_EQ(MidText("abc", 2, 0), "");
    EXPECT_EQ(MidText("abc", 0, 2), "");
    EXPECT_EQ(MidText("abc", 1, 3), "abc");
}

TEST(FindMarker, ManyMisalignedNearMatchesBeforeTheRealOne) {
    // 中 repeated gives D0 D6 at every second-byte position; the real, aligned D0 D6
    // comes only after an ASCII byte at the end.
    std::string text;
    for (int i = 0; i < 200000; ++i)
        text += "\xD6\xD0";
    text += "x\xD0\xD6";
    EXPECT_EQ(FindMarker(text, "\xD0\xD6"), static_cast<int>(text.size()) - 1);
    EXPECT_EQ(FindMarker(text, "\xD0\xD6\xD0"), -1);
}

} // namespace
} // namespace quorlen
