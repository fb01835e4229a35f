#include "text/text.h"
#include "text/text_bytes.h"
#include "text/text_case.h"
#include "text/text_parts.h"

#include <gtest/gtest.h>

namespace quorlen {
namespace {

// GBK bytes of a few characters used below: 中 D6 D0, 张三 D5 C5 C8 FD, and 癅 B0 41,
// whose second byte is the letter A.
constexpr std::string_view kZhong = "\xD6\xD0";
constexpr std::string_view kLeadThenA = "\xB0\x41";

TEST(TextBasics, LengthJoinAndCompareCountBytes) {
    EXPECT_EQ(TextLength(""), 0);
    EXPECT_EQ(TextLength("\xD5\xC5\xC8\xFD"), 4);
    EXPECT_EQ(JoinTexts({"a", "", kZhong, "b"}), "a\xD6\xD0"
                                                 "b");
    EXPECT_EQ(JoinTexts({}), "");

    EXPECT_EQ(CompareTexts("abc", "abc"), 0);
    EXPECT_EQ(CompareTexts("", ""), 0);
    EXPECT_EQ(CompareTexts("abc", "abd"), -1);
    EXPECT_EQ(CompareTexts("b", "a"), 1);
    EXPECT_EQ(CompareTexts("ab", "abc"), -1);
    // Bytes compare as unsigned values: a GBK byte orders after every ASCII byte.
    EXPECT_EQ(CompareTexts(kZhong, "z"), 1);
    EXPECT_EQ(CompareTexts("A", "a"), -1);
}

TEST(TextParts, MiddleLeftAndRightCutByBytes) {
    struct Case {
        const char* name;
        Text got;
        Text expected;
    } cases[] = {
        {"middle inside", TextMiddle("abcdef", 2, 3), "bcd"},
        {"middle cut at end", TextMiddle("abcdef", 5, 10), "ef"},
        {"middle past end", TextMiddle("abc", 4, 1), ""},
        {"middle at zero", TextMiddle("abc", 0, 2), ""},
        {"middle count zero", TextMiddle("abc", 2, 0), ""},
        {"middle negative count", TextMiddle("abc", 1, -3), ""},
        {"middle splits a character", TextMiddle("\xD6\xD0\xD6\xD0", 2, 2), "\xD0\xD6"},
        {"left", TextLeft("abcdef", 2), "ab"},
        {"left longer than text", TextLeft("ab", 5), "ab"},
        {"left zero", TextLeft("ab", 0), ""},
        {"right", TextRight("abcdef", 2), "ef"},
        {"right longer than text", TextRight("ab", 9), "ab"},
        {"right negative", TextRight("ab", -1), ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.got, c.expected) << c.name;
}

TEST(TextCase, MapsAsciiLettersAndPassesOverDoubleByteCharacters) {
    struct Case {
        std::string_view input;
        std::string_view upper;
        std::string_view lower;
    } cases[] = {
        {"", "", ""},
        {"Get post-1_Z", "GET POST-1_Z", "get post-1_z"},
        // The A that is the second byte of B0 41 must survive lower-casing, while the
        // ASCII a after it is mapped.
        {"\xB0\x41"
         "a",
         "\xB0\x41"
         "A",
         "\xB0\x41"
         "a"},
        {"x\xB0\x61y", "X\xB0\x61Y", "x\xB0\x61y"},
        // 0x80 also takes the next byte along, as the general text routines do.
        {"\x80\x61z", "\x80\x61Z", "\x80\x61z"},
        {"@[`{", "@[`{", "@[`{"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ToUpperAscii(c.input), c.upper) << c.input;
        EXPECT_EQ(ToLowerAscii(c.input), c.lower) << c.input;
    }
    EXPECT_EQ(ToLowerAscii(kLeadThenA), kLeadThenA);
}

TEST(TextBytes, CodesHexAndByteConversions) {
    EXPECT_EQ(CharCode("A"), 65);
    EXPECT_EQ(CharCode(kZhong), 0xD6);
    EXPECT_EQ(CharCode(kZhong, 2), 0xD0);
    EXPECT_EQ(CharCode("abc", 4), 0);
    EXPECT_EQ(CharCode("", 1), 0);

    EXPECT_EQ(CharFromCode(65), "A");
    EXPECT_EQ(CharFromCode(0x1D6), "\xD6");
    EXPECT_EQ(CharFromCode(-42), "\xD6");
    EXPECT_EQ(CharFromCode(0), "");
    EXPECT_EQ(CharFromCode(256), "");

    EXPECT_EQ(HexUpper(0), "0");
    EXPECT_EQ(HexUpper(10), "A");
    EXPECT_EQ(HexUpper(255), "FF");
    EXPECT_EQ(HexUpper(0x1F0), "1F0");
    EXPECT_EQ(HexUpper(0xFFFFFFFFu), "FFFFFFFF");

    const Bytes withZero = {'a', 'b', 0, 'c'};
    EXPECT_EQ(BytesToText(withZero), "ab");
    EXPECT_EQ(BytesToText(Bytes{}), "");
    EXPECT_EQ(BytesToText(Bytes{0, 'x'}), "");
    EXPECT_EQ(BytesToText(Bytes{0xD6, 0xD0}), kZhong);
    EXPECT_EQ(TextToBytes(kZhong), (Bytes{0xD6, 0xD0}));
    EXPECT_TRUE(TextToBytes("").empty());
}

} // namespace
} // namespace quorlen
