#include "platform/cookie_store.h"
#include "platform/inet.h"
#include "platform/inet_errors.h"
#include "web/web_fixture.h"

#include <ctime>
#include <thread>

namespace quorlen {
namespace {

using CookieStoreTest = WebTest;

TEST_F(CookieStoreTest, StoresACookieWithItsAttributes) {
    struct Case {
        const char* name;
        const char* url;
        const char* cookieName;
        const char* data;
        std::string line; // the one line the store then holds
    } cases[] = {
        {"host only, port ignored", "http://Example.COM:8080", "n", "v",
         "example.com\tFALSE\t/\tFALSE\t0\tn\tv"},
        {"default path is the directory", "http://example.com/a/b/page", "n", "v",
         "example.com\tFALSE\t/a/b\tFALSE\t0\tn\tv"},
        {"path attribute", "http://example.com/a/b", "n", "v; Path=/x",
         "example.com\tFALSE\t/x\tFALSE\t0\tn\tv"},
        {"path not absolute is ignored", "http://example.com", "n", "v; path=x",
         "example.com\tFALSE\t/\tFALSE\t0\tn\tv"},
        {"domain of a parent", "http://www.example.com", "n", "v; domain=.Example.com",
         ".example.com\tTRUE\t/\tFALSE\t0\tn\tv"},
        {"domain equal to the host", "http://example.com", "n", "v; domain=example.com",
         ".example.com\tTRUE\t/\tFALSE\t0\tn\tv"},
        {"domain equal to an address", "http://127.0.0.1:81", "n", "v; domain=127.0.0.1",
         "127.0.0.1\tFALSE\t/\tFALSE\t0\tn\tv"},
        {"expires", "http://example.com", "n", "v; expires=Wed, 01 Jan 2098 00:00:00 GMT",
         "example.com\tFALSE\t/\tFALSE\t4039372800\tn\tv"},
        {"secure", "https://example.com", "n", "v; Secure; HttpOnly",
         "example.com\tFALSE\t/\tTRUE\t0\tn\tv"},
        {"name inside the data", "http://example.com", "", "n=v; path=/p",
         "example.com\tFALSE\t/p\tFALSE\t0\tn\tv"},
        {"no name argument at all", "http://example.com", nullptr, " n = v ",
         "example.com\tFALSE\t/\tFALSE\t0\tn\tv"},
        {"empty value, = in the value", "http://example.com", "n", "=a=b",
         "example.com\tFALSE\t/\tFALSE\t0\tn\t=a=b"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ClearCookieStore();
        EXPECT_TRUE(InternetSetCookie(c.url, c.cookieName, c.data)) << LastPlatformError().text;
        EXPECT_EQ(CookieStoreLines(), std::vector<std::string>{c.line});
    }
}

TEST_F(CookieStoreTest, RefusesWhatMustNotBeStored) {
    struct Case {
        const char* name;
        const char* url;
        const char* cookieName;
        const char* data;
        int code;
    } cases[] = {
        {"domain of another site", "http://example.com", "n", "v; domain=other.com",
         kErrorCookieRejected},
        {"domain of a child", "http://example.com", "n", "v; domain=www.example.com",
         kErrorCookieRejected},
        {"domain without a dot", "http://www.example.com", "n", "v; domain=com",
         kErrorCookieRejected},
        {"domain part of an address", "http://127.0.0.1", "n", "v; domain=0.0.1",
         kErrorCookieRejected},
        {"no name", "http://example.com", "", "novalue", kErrorCookieRejected},
        {"empty name", "http://example.com", "", "=v", kErrorCookieRejected},
        {"tab in the value", "http://example.com", "n", "a\tb", kErrorCookieRejected},
        {"blank in the name", "http://example.com", "a b", "v", kErrorCookieRejected},
        {"too large", "http://example.com", "n", nullptr, kErrorCookieRejected},
        {"other scheme", "ftp://example.com", "n", "v", kErrorInvalidArgument},
        {"not an address", "example", "n", "v", kErrorInvalidArgument},
        {"no address", nullptr, "n", "v", kErrorInvalidArgument},
    };
    const std::string huge(5000, 'x');
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ClearLastPlatformError();
        EXPECT_FALSE(InternetSetCookie(c.url, c.cookieName, c.data ? c.data : huge.c_str()));
        EXPECT_EQ(LastPlatformError().code, c.code);
        EXPECT_FALSE(LastPlatformError().text.empty());
        EXPECT_TRUE(CookieStoreLines().empty());
    }
}

TEST_F(CookieStoreTest, ALaterCookieReplacesOrRemovesTheEarlierOne) {
    const char* url = "http://example.com";
    ASSERT_TRUE(InternetSetCookie(url, "a", "1"));
    ASSERT_TRUE(InternetSetCookie(url, "b", "2"));
    ASSERT_TRUE(InternetSetCookie(url, "a", "3"));
    ASSERT_TRUE(InternetSetCookie(url, "a", "4; path=/other")); // another path: another cookie
    EXPECT_EQ(CookieStoreLines(), (std::vector<std::string>{
                                      "example.com\tFALSE\t/\tFALSE\t0\ta\t3",
                                      "example.com\tFALSE\t/\tFALSE\t0\tb\t2",
                                      "example.com\tFALSE\t/other\tFALSE\t0\ta\t4",
                                  }));
    EXPECT_TRUE(InternetSetCookie(url, "a", "gone; expires=Thu, 01 Jan 1998 00:00:00 GMT"));
    // Max-Age wins over Expires wherever it stands.
    EXPECT_TRUE(InternetSetCookie(url, "b", "x; expires=Wed, 01 Jan 2098 00:00:00 GMT; max-age=0"));
    EXPECT_EQ(CookieStoreLines(),
              std::vector<std::string>{"example.com\tFALSE\t/other\tFALSE\t0\ta\t4"});
}

TEST_F(CookieStoreTest, AFullStoreDropsItsOldestCookie) {
    constexpr int kLimit = 3000;
    for (int i = 0; i <= kLimit; ++i)
        ASSERT_TRUE(
            InternetSetCookie("http://example.com", ("n" + std::to_string(i)).c_str(), "v"));
    const std::vector<std::string> lines = CookieStoreLines();
    ASSERT_EQ(lines.size(), static_cast<std::size_t>(kLimit));
    EXPECT_EQ(lines.front(), "example.com\tFALSE\t/\tFALSE\t0\tn1\tv");
    EXPECT_EQ(lines.back(), "example.com\tFALSE\t/\tFALSE\t0\tn3000\tv");
}

TEST_F(CookieStoreTest, MaxAgeCountsFromNow) {
    const std::int64_t before = std::time(nullptr);
    ASSERT_TRUE(InternetSetCookie("http://example.com", "n", "v; Max-Age=600"));
    const std::int64_t after = std::time(nullptr);
    const std::vector<std::string> lines = CookieStoreLines();
    ASSERT_EQ(lines.size(), 1u);
    const std::string expiry = lines[0].substr(std::string("example.com\tFALSE\t/\tFALSE\t").size(),
                                               std::to_string(before).size());
    EXPECT_GE(std::stoll(expiry), before + 600);
    EXPECT_LE(std::stoll(expiry), after + 600);
}

TEST_F(CookieStoreTest, ManyThreadsStoreAndReadAtOnce) {
    constexpr int kPerThread = 200;
    std::vector<std::thread> threads;
    for (int t = 0; t < 3; ++t) {
        threads.emplace_back([t] {
            for (int i = 0; i < kPerThread; ++i) {
                const std::string name = "t" + std::to_string(t) + "n" + std::to_string(i);
                EXPECT_TRUE(InternetSetCookie("http://example.com", name.c_str(), "v"));
                CookieStoreLines();
            }
        });
    }
    for (std::thread& thread : threads)
        thread.join();
    EXPECT_EQ(CookieStoreLines().size(), 3u * kPerThread);
}

} // namespace
} // namespace quorlen
