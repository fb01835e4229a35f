#include "web/port_number.h"
#include "web/url_split.h"

#include <gtest/gtest.h>

namespace quorlen {
namespace {

TEST(UrlSplit, TakesAnAddressApartIntoHostPortAndPath) {
    struct Case {
        const char* name;
        std::string_view address;
        std::string_view host;
        std::string_view hostWithoutPort;
        int port;
        std::string_view path;
    } cases[] = {
        {"no scheme", "hi.example.com/p/abc/detail", "hi.example.com", "hi.example.com", 80,
         "/p/abc/detail"},
        {"mixed case host, no path", "http://Hi.Example.COM", "hi.example.com", "hi.example.com",
         80, "/"},
        {"explicit port", "http://WWW.Example.com:8080/A/b?X=1", "www.example.com:8080",
         "www.example.com", 8080, "/A/b?X=1"},
        {"colon without port", "http://host:/x", "host:", "host", 0, "/x"},
        {"letters after colon", "http://host:abc/x", "host:abc", "host", 0, "/x"},
        {"scheme in capitals", "HTTP://Host/Path", "host", "host", 80, "/Path"},
        {"other scheme", "https://host/x", "https:", "https", 0, "//host/x"},
        {"only the scheme", "http://", "", "", 80, "/"},
        {"empty", "", "", "", 80, "/"},
        {"query and fragment kept", "http://h/a?b=c#Frag", "h", "h", 80, "/a?b=c#Frag"},
        // 癅 (B0 2F would be a lead byte followed by "/") must not end the host part.
        {"second byte slash", "http://a\xB0/b/c", "a\xB0/b", "a\xB0/b", 80, "/c"},
        {"second byte colon", "http://a\xB0:b:81/", "a\xB0:b:81", "a\xB0:b", 81, "/"},
        {"second byte letter kept", "http://X\xB0\x41Y/", "x\xB0\x41y", "x\xB0\x41y", 80, "/"},
        {"full-width port", "http://h:\xA3\xB8\xA3\xB0\xA3\xB8\xA3\xB0/",
         "h:\xA3\xB8\xA3\xB0\xA3\xB8\xA3\xB0", "h", 8080, "/"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(UrlHost(c.address), c.host) << c.name;
        EXPECT_EQ(UrlHost(c.address, true), c.hostWithoutPort) << c.name;
        EXPECT_EQ(UrlPort(c.address), c.port) << c.name;
        EXPECT_EQ(UrlPath(c.address), c.path) << c.name;
    }
}

TEST(PortNumber, ReadsTheLongestNumericBeginning) {
    struct Case {
        std::string_view text;
        int expected;
    } cases[] = {
        {"8080", 8080},
        {"  8080", 8080},
        {"\t81", 81},
        {"\xA1\xA1"
         "82",
         82},                     // full-width space
        {"\xA3\xB9\xA3\xB0", 90}, // full-width 9 0
        {"8\xA3\xB0"
         "8",
         808}, // mixed forms
        {"8080abc", 8080},
        {"80.9", 80},
        {"-5", -5},
        {"+7", 7},
        {"", 0},
        {"abc", 0},
        {".5", 0},
        {"99999999999", 2147483647},
        {"\xB0", 0}, // a lone lead byte at the end
    };
    for (const Case& c : cases)
        EXPECT_EQ(ReadPortNumber(c.text), c.expected) << c.text;
}

} // namespace
} // namespace quorlen
