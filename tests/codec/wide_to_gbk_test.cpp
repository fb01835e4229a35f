#include "codec/byte_diff.h"
#include "codec/reference_conversion.h"
#include "codec/utf8_to_gbk.h"
#include "codec/wide_to_gbk.h"

#include <gtest/gtest.h>
#include <optional>
#include <unicode/ustring.h>
#include <unicode/utf16.h>

namespace quorlen {
namespace {

// UTF-8 for a UTF-16 text, or nothing when it holds a lone surrogate.
std::optional<std::string> ToUtf8(std::u16string_view wide) {
    std::string utf8(wide.size() * 3, '\0');
    int32_t length = 0;
    UErrorCode error = U_ZERO_ERROR;
    u_strToUTF8(utf8.data(), static_cast<int32_t>(utf8.size()), &length,
                reinterpret_cast<const UChar*>(wide.data()), static_cast<int32_t>(wide.size()),
                &error);
    if (U_FAILURE(error))
        return std::nullopt;
    utf8.resize(static_cast<std::size_t>(length));
    return utf8;
}

TEST(WideToGbk, WritesCodePage936AsWindowsDoes) {
    struct Case {
        const char* name;
        std::u16string wide;
        std::string_view gbk;
    } cases[] = {
        {"empty", u"", ""},
        {"ASCII", u"<a href=x>", "<a href=x>"},
        {"euro sign is the single byte 80", u"\u20AC", "\x80"},
        {"ideographic space", u"\u3000", "\xA1\xA1"},
        {"中", u"\u4E2D", "\xD6\xD0"},
        {"张三", u"\u5F20\u4E09", "\xD5\xC5\xC8\xFD"},
        {"best fit: À as à", u"\u00C0", "\xA8\xA4"},
        {"best fit: superscript two as 2", u"\u00B2", "2"},
        {"compatibility ideograph not normalised", u"\uF92C", "\xFD\x9C"},
        {"replacement character", u"a\uFFFDb", "a?b"},
        {"character outside GBK", u"\u0E01", "?"},
        {"emoji, one question mark per unit", u"\U0001F600", "??"},
        {"lone high surrogate",
         u"\xD800"
         u"a",
         "?a"},
        {"lone high surrogate at the end", u"a\xD800", "a?"},
        {"lone low surrogate", u"\xDC00", "?"},
        {"base and mark composed", u"e\u0301", "\xA8\xA6"},
        {"composed, then best fit", u"A\u0300", "\xA8\xA4"},
        {"kana and voicing mark composed", u"\u304B\u3099", "\xA4\xAC"},
        {"composed character not in GBK: units one by one", u"a\u0303", "a?"},
        {"no precomposed form: units one by one", u"q\u0301", "q?"},
        {"only pairs compose", u"u\u0308\u0301", "\xA8\xB9?"},
        {"a mark alone", u"\u0301x", "?x"},
        {"U+0000 ends the text", std::u16string(u"ab\0\u4E2D", 4), "ab"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ShowBytes(WideToGbk(c.wide)), ShowBytes(c.gbk)) << c.name;
        if (const auto utf8 = ToUtf8(c.wide)) {
            EXPECT_EQ(ShowBytes(Utf8ToGbk(*utf8)), ShowBytes(c.gbk)) << c.name << " (from UTF-8)";
        }
    }
}

// The fast routines write every character beyond the BMP as "??" without asking ICU; this
// holds them to what ICU's converter really does, for every such code point.
TEST(WideToGbk, NoCharacterBeyondTheBmpIsInCodePage936) {
    std::u16string all;
    for (UChar32 code = 0x10000; code <= 0x10FFFF; ++code) {
        all.push_back(static_cast<char16_t>(U16_LEAD(code)));
        all.push_back(static_cast<char16_t>(U16_TRAIL(code)));
    }
    const Text expected(all.size(), '?');
    EXPECT_EQ(FirstDifference(reference::WideToGbk(all), expected), "");
    EXPECT_EQ(FirstDifference(WideToGbk(all), expected), "");
}

// Every BMP unit on its own through the table, against ICU's converter. A space between
// the units keeps them from composing with each other.
TEST(WideToGbk, TableAgreesWithTheConverterForEveryBmpUnit) {
    std::u16string spaced;
    for (std::uint32_t unit = 1; unit < 0x10000; ++unit) {
        spaced.push_back(static_cast<char16_t>(unit));
        spaced.push_back(u' ');
    }
    EXPECT_EQ(FirstDifference(WideToGbk(spaced), reference::WideToGbk(spaced)), "");
}

} // namespace
} // namespace quorlen
