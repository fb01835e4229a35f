#include "codec/url_decode.h"

#include <gtest/gtest.h>

namespace quorlen {
namespace {

using namespace std::string_view_literals;

// The byte-level rules of the escape stage, before any conversion.
TEST(PercentDecode, ReadsTwoDigitsAfterEveryPercentSign) {
    struct Case {
        const char* name;
        std::string_view page;
        std::string_view expected;
    } cases[] = {
        {"empty", "", ""},
        {"no escape", "a+b c", "a+b c"},
        {"escape", "%41", "A"},
        {"lower-case digits", "%4a%4A", "JJ"},
        {"escaped UTF-8 stays UTF-8", "%E4%B8%AD", "\xE4\xB8\xAD"},
        {"percent at the end disappears", "a%", "a"},
        {"missing second digit counts 0", "%4", "@"},
        {"zero byte appends nothing", "x%00y", "xy"},
        {"two non-digits: 16 * -2 - 2 wraps to DE", "%;}a",
         "\xDE"
         "a"},
        {"digit and non-digit: 16 * 1 - 2", "%1;", "\x0E"},
        {"non-digit and digit: 16 * -2 + 1 wraps to E1", "%G1", "\xE1"},
        {"a percent sign is a non-digit too", "%%41",
         "\xE4"
         "1"},
        {"bytes of 128 or more are non-digits", "%\xD6\xD0", "\xDE"},
        {"percent signs in a row", "%%%", "\xDE"},
        {"zero byte ends the page", "ab\0%41"sv, "ab"},
        {"zero byte ends the page inside an escape",
         "%4\0"
         "1%41"sv,
         "@"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(PercentDecode(c.page), c.expected) << c.name;
}

TEST(UrlDecodeUtf8, UndoesEscapesThenConvertsToGbk) {
    struct Case {
        const char* name;
        std::string_view page;
        std::string_view expected;
    } cases[] = {
        {"empty", "", ""},
        {"plain ASCII page unchanged", "<p class=\"a+b\">x=1&y=2</p>",
         "<p class=\"a+b\">x=1&y=2</p>"},
        // 中: the three escaped UTF-8 bytes become one GBK character.
        {"escaped UTF-8", "%E4%B8%AD", "\xD6\xD0"},
        {"escaped then raw bytes of one character", "%E4\xB8\xAD", "\xD6\xD0"},
        {"raw then escaped bytes of one character", "\xE4%B8%AD", "\xD6\xD0"},
        {"raw, escaped, raw", "\xE4%B8\xAD", "\xD6\xD0"},
        {"raw UTF-8", "\xE4\xB8\xAD", "\xD6\xD0"},
        // DE is a lead byte, cut short by the ASCII after it.
        {"non-digits give a broken lead byte", "%;}a", "?a"},
        {"style sheet percent eats two bytes", "width:100%;}", "width:100?"},
        {"one digit and one non-digit", "%1;", "\x0E"},
        {"plus stays plus", "a+b", "a+b"},
        {"character outside GBK", "\xE0\xB8\x81", "?"},
        {"emoji, one question mark per UTF-16 unit", "%F0%9F%98%80", "??"},
        {"zero byte ends the page", "ab\0cd"sv, "ab"},
        {"zero byte ends the page inside an escape",
         "%4\0"
         "1"sv,
         "@"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(UrlDecodeUtf8(c.page), c.expected) << c.name;
}

} // namespace
} // namespace quorlen
