#include "codec/byte_diff.h"
#include "codec/gbk_unicode.h"
#include "codec/wide_to_gbk.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace quorlen {
namespace {

using namespace std::string_view_literals;

TEST(GbkUnicode, ReadsGbkWithQuestionMarksForWhatItCannotRead) {
    struct Case {
        const char* name;
        std::string_view gbk;
        std::string_view utf8;
    } cases[] = {
        {"empty", "", ""},
        {"ASCII", "a/b.txt", "a/b.txt"},
        // 头像123.bmp
        {"Chinese file name",
         "\xCD\xB7\xCF\xF1"
         "123.bmp",
         "\xE5\xA4\xB4\xE5\x83\x8F"
         "123.bmp"},
        {"euro sign", "\x80", "\xE2\x82\xAC"},
        {"ideographic space", "\xA1\xA1", "\xE3\x80\x80"},
        {"lead byte at the end", "a\xD6", "a?"},
        {"lead byte before a byte that cannot be a trail byte",
         "\xD6"
         "0",
         "?0"},
        {"lead byte before DEL", "\x81\x7F", "?\x7F"},
        {"lead byte before a line feed", "\xD6\n", "?\n"},
        // FF and the gaps of the table are private-use characters, as in Windows' table.
        {"byte FF", "\xFF", "\xEF\xA3\xB5"},
        {"user-defined pair", "\xAA\xA1", "\xEE\x80\x80"},
        {"zero byte ends the text", "ab\0\xD6\xD0"sv, "ab"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ShowBytes(GbkToUtf8(c.gbk)), ShowBytes(c.utf8)) << c.name;
    EXPECT_EQ(GbkToWide("\xD5\xC5\xC8\xFD"), u"\u5F20\u4E09");
    EXPECT_EQ(GbkToWide("a\xD6"), u"a?");
}

TEST(GbkUnicode, TypedTextBecomesGbkWithoutComposition) {
    struct Case {
        const char* name;
        std::string_view utf8;
        std::string_view gbk;
    } cases[] = {
        {"empty", "", ""},
        {"张三", "\xE5\xBC\xA0\xE4\xB8\x89", "\xD5\xC5\xC8\xFD"},
        {"best fit", "\xC3\x80\xC2\xB2",
         "\xA8\xA4"
         "2"},
        {"character outside GBK", "x\xE0\xB8\x81", "x?"},
        {"emoji", "\xF0\x9F\x98\x80", "??"},
        {"combining mark stays apart", "e\xCC\x81", "e?"},
        {"malformed UTF-8, one ? per broken sequence", "a\xFF\xED\xA0\x80z", "a???z"},
        {"zero byte ends the text", "a\0b"sv, "a"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ShowBytes(UserUtf8ToGbk(c.utf8)), ShowBytes(c.gbk)) << c.name;
}

// Every character of the code page survives the trip to Unicode and back, on both edge
// routes: GBK -> UTF-16 -> GBK and GBK -> UTF-8 -> typed-text GBK.
TEST(GbkUnicode, EveryCodePageCharacterRoundTrips) {
    std::string all;
    for (int byte = 1; byte <= 0x80; ++byte)
        all.push_back(static_cast<char>(byte));
    for (int lead = 0x81; lead <= 0xFE; ++lead) {
        for (int trail = 0x40; trail <= 0xFE; ++trail) {
            if (trail == 0x7F)
                continue;
            all.push_back(static_cast<char>(lead));
            all.push_back(static_cast<char>(trail));
        }
    }
    const std::u16string wide = GbkToWide(all);
    ASSERT_EQ(wide.size(), 0x80u + 126u * 190u);
    EXPECT_EQ(std::count(wide.begin(), wide.end(), u'?'), 1) << "only the question mark itself";
    EXPECT_EQ(FirstDifference(WideToGbk(wide), all), "");
    EXPECT_EQ(FirstDifference(UserUtf8ToGbk(GbkToUtf8(all)), all), "");
}

} // namespace
} // namespace quorlen
