#include "codec/url_encode.h"

#include <gtest/gtest.h>

namespace quorlen {
namespace {

TEST(UrlEncode, CopiesExactlyTheSafeBytesAndEscapesEveryOther) {
    struct Range {
        int first;
        int last;
        bool copied;
    } ranges[] = {
        {0, 41, false},  {42, 42, true},  {43, 43, false},   {44, 58, true},
        {59, 63, false}, {64, 90, true},  {91, 94, false},   {95, 95, true},
        {96, 96, false}, {97, 122, true}, {123, 255, false},
    };
    static constexpr char kHex[] = "0123456789ABCDEF";
    int checked = 0;
    for (const Range& range : ranges) {
        for (int value = range.first; value <= range.last; ++value, ++checked) {
            const Text byte(1, static_cast<char>(value));
            const Text expected =
                range.copied ? byte : Text{'%', kHex[value >> 4], kHex[value & 0xF]};
            EXPECT_EQ(UrlEncode(byte), expected) << "byte " << value;
        }
    }
    EXPECT_EQ(checked, 256) << "the ranges must cover every byte value once";
}

TEST(UrlEncode, EncodesTextsBytewise) {
    struct Case {
        const char* name;
        std::string_view input;
        std::string_view expected;
    } cases[] = {
        {"empty", "", ""},
        {"safe characters unchanged", "abc_XYZ-0.9*,/:@", "abc_XYZ-0.9*,/:@"},
        {"space", "a b", "a%20b"},
        {"plus is escaped, not turned into anything", "+", "%2B"},
        {"percent", "100%", "100%25"},
        {"tilde question equals", "~?=", "%7E%3F%3D"},
        {"line feed keeps two digits", "\n", "%0A"},
        // 张三
        {"GBK name", "\xD5\xC5\xC8\xFD", "%D5%C5%C8%FD"},
        // 癅: the second byte is the letter A and is copied like any other A.
        {"second byte that looks like a letter", "\xB0\x41", "%B0A"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(UrlEncode(c.input), c.expected) << c.name;
}

TEST(UrlEncode, ObjectForwardsAndCopiesFreely) {
    const EncodingClass encoder;
    const EncodingClass copy = encoder;
    EXPECT_EQ(copy.UrlEncode("\xD6\xD0 x"), "%D6%D0%20x");
    EXPECT_EQ(encoder.UrlEncode(""), "");
}

} // namespace
} // namespace quorlen
