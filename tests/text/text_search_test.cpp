#include "text/text_search.h"

#include <gtest/gtest.h>

namespace quorlen {
namespace {

TEST(FindText, FindsFromStartStepsOverDoubleByteCharactersAndIgnoresCase) {
    struct Case {
        const char* name;
        std::string_view text;
        std::string_view what;
        int start;
        bool ignoreCase;
        int expected;
    } cases[] = {
        {"first", "abcabc", "c", 1, false, 3},
        {"from start", "abcabc", "c", 4, false, 6},
        {"start below one", "abcabc", "c", -5, false, 3},
        {"start zero", "abcabc", "bc", 0, false, 2},
        {"past the end", "abcabc", "c", 7, false, -1},
        {"empty what", "abc", "", 1, false, -1},
        {"empty text", "", "a", 1, false, -1},
        {"longer than text", "ab", "abc", 1, false, -1},
        {"case matters", "Accept: x", "accept: ", 1, false, -1},
        {"ignore case", "xx accept: text/html", "Accept: ", 1, true, 4},
        {"ignore case letters only", "[", "{", 1, true, -1},
        // 中 is D6 D0; the pair D0 D6 across two characters is never a match.
        {"straddling two characters", "\xD6\xD0\xD6\xD0", "\xD0\xD6", 1, false, -1},
        // Counted from the start position: starting on a second byte makes it a lead.
        {"boundaries from the start", "\xD6\xD0\xD6\xD0", "\xD0\xD6", 2, false, 2},
        {"0x80 takes the next byte", "\x80/a/", "/", 1, false, 4},
        {"second byte slash skipped", "\xB0/x/", "/", 1, false, 4},
        {"full-width space", "a\xA1\xA1", "\xA1\xA1", 1, false, 2},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FindText(c.text, c.what, c.start, c.ignoreCase), c.expected) << c.name;
}

} // namespace
} // namespace quorlen
