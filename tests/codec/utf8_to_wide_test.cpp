#include "codec/utf8_to_wide.h"

#include <cstdio>
#include <gtest/gtest.h>

namespace quorlen {
namespace {

using namespace std::string_view_literals;

// Prints UTF-16 as hexadecimal units, so a failure shows where the U+FFFD fall.
std::string Units(const std::u16string& wide) {
    std::string shown;
    char unit[8];
    for (const char16_t u : wide) {
        std::snprintf(unit, sizeof unit, "%04X ", static_cast<unsigned>(u));
        shown += unit;
    }
    return shown;
}

TEST(Utf8ToWide, FollowsWindowsReplacementRules) {
    constexpr char16_t R = 0xFFFD;
    struct Case {
        const char* name;
        std::string_view utf8;
        std::u16string expected;
    } cases[] = {
        {"empty", "", u""},
        {"ASCII", "a<b>", u"a<b>"},
        {"three-byte character", "\xE4\xB8\xAD", u"\u4E2D"},
        {"two-byte character", "\xC3\xA9", u"\u00E9"},
        {"supplementary character as a surrogate pair", "\xF0\x9F\x98\x80", u"\U0001F600"},
        {"highest code point", "\xF4\x8F\xBF\xBF", u"\U0010FFFF"},
        {"lowest three-byte", "\xE0\xA0\x80", u"\u0800"},
        {"last before the surrogates", "\xED\x9F\xBF", u"\uD7FF"},
        {"noncharacter kept", "\xEF\xBF\xBF", u"\uFFFF"},
        {"byte-order mark kept",
         "\xEF\xBB\xBF"
         "a",
         u"\uFEFFa"},
        {"nothing normalised", "e\xCC\x81", u"e\u0301"},
        {"zero byte", "a\0b"sv, std::u16string(u"a\0b", 3)},
        {"stray continuation byte",
         "a\xBF"
         "b",
         {u'a', R, u'b'}},
        {"C0 and its continuation byte", "\xC0\xAF", {R, R}},
        {"C1", "\xC1\xBF", {R, R}},
        {"F5", "\xF5", {R}},
        {"FF between letters",
         "a\xFF"
         "b",
         {u'a', R, u'b'}},
        {"old five-byte form", "\xF8\x88\x80\x80\x80", {R, R, R, R, R}},
        {"cut short before ASCII",
         "\xE4\xB8"
         "a",
         {R, u'a'}},
        {"lead alone before ASCII",
         "\xE4"
         "a",
         {R, u'a'}},
        {"four-byte cut short before ASCII",
         "\xF0\x9F\x98"
         "a",
         {R, u'a'}},
        {"cut short at the end", "a\xE4\xB8", {u'a', R}},
        {"cut short by another lead", "\xE4\xE4\xB8\xAD", {R, u'\u4E2D'}},
        {"UTF-8-encoded surrogate", "\xED\xA0\x80", {R, R}},
        {"surrogate pair encoded one by one", "\xED\xA0\xBD\xED\xB8\x80", {R, R, R, R}},
        {"overlong three-byte", "\xE0\x80\xAD", {R, R}},
        {"overlong four-byte", "\xF0\x80\x80\x80", {R, R, R}},
        {"beyond U+10FFFF", "\xF4\x90\x80\x80", {R, R, R}},
        {"out-of-range second byte at the end", "\xE0\x9F", {R}},
    };
    for (const Case& c : cases) {
        const std::u16string got = Utf8ToWide(c.utf8);
        EXPECT_EQ(got, c.expected) << c.name << ": got " << Units(got);
    }
}

} // namespace
} // namespace quorlen
