#include "cli/json_writer.h"

#include <gtest/gtest.h>

namespace quorlen {
namespace {

TEST(AppendJsonString, EscapesAndNeverWritesInvalidUtf8) {
    struct Case {
        const char* name;
        std::string input;
        std::string expected;
    } cases[] = {
        {"plain", "abc", "\"abc\""},
        {"empty", "", "\"\""},
        {"quote and backslash", "a\"b\\c", "\"a\\\"b\\\\c\""},
        {"line breaks kept as escapes", "x\r\ny\t", "\"x\\r\\ny\\t\""},
        {"other control characters", std::string("\x01\x1f\0", 3), "\"\\u0001\\u001f\\u0000\""},
        {"delete passes", "\x7f", "\"\x7f\""},
        {"chinese", "性别: 男", "\"性别: 男\""},
        {"four-byte character", "\xF0\x9F\x98\x80", "\"\xF0\x9F\x98\x80\""},
        {"stray continuation", "a\x80z", "\"a\xEF\xBF\xBDz\""},
        {"lone GBK bytes", "\xD5\xC5", "\"\xEF\xBF\xBD\xEF\xBF\xBD\""},
        {"cut short at the end", "\xE4\xB8", "\"\xEF\xBF\xBD\xEF\xBF\xBD\""},
        {"overlong", "\xC0\xAF", "\"\xEF\xBF\xBD\xEF\xBF\xBD\""},
        {"surrogate", "\xED\xA0\x80", "\"\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\""},
        {"above U+10FFFF", "\xF4\x90\x80\x80",
         "\"\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\""},
        {"quote after a bad lead", "\xE4\"", "\"\xEF\xBF\xBD\\\"\""},
    };
    for (const Case& c : cases) {
        std::string out = "[";
        AppendJsonString(out, c.input);
        EXPECT_EQ(out, "[" + c.expected) << c.name;
    }
}

} // namespace
} // namespace quorlen
