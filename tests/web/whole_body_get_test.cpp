#include "platform/inet.h"
#include "platform/inet_errors.h"
#include "platform/whole_body_get.h"
#include "support/recording_server.h"
#include "web/web_fixture.h"

namespace quorlen {
namespace {

class WholeBodyGetTest : public WebTest {
protected:
    RecordingServer m_server;
};

TEST_F(WholeBodyGetTest, GetsTheWholeBodyWhateverTheStatus) {
    const std::string image("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16);
    m_server.Handle("/avatar.png", [&image](const httplib::Request&, httplib::Response& response) {
        response.set_content(image, "image/png");
    });
    m_server.Handle("/missing.png", [](const httplib::Request&, httplib::Response& response) {
        response.status = 404;
        response.set_content("no such image", "text/plain");
    });
    m_server.Handle("/packed", [](const httplib::Request&, httplib::Response& response) {
        response.set_header("Content-Encoding", "gzip");
        response.set_content("not really gzip", "text/plain");
    });
    struct Case {
        const char* name;
        std::string path;
        std::string body;
    } cases[] = {
        {"image with zero bytes", "/avatar.png", image},
        {"error page", "/missing.png", "no such image"},
        {"left packed as sent", "/packed", "not really gzip"},
        {"a blank in the address", "/missing.png?a b", "no such image"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(AsString(FetchWholeBody(m_server.BaseUrl() + c.path)), c.body);
        EXPECT_EQ(LastPlatformError().code, 0);
    }
    const RecordedRequest sent = m_server.Requests().front();
    EXPECT_EQ(sent.method, "GET");
    EXPECT_EQ(sent.target, "/avatar.png");
    EXPECT_EQ(sent.version, "HTTP/1.0");
    EXPECT_EQ(sent.headerLines,
              (std::vector<std::string>{
                  "Host: 127.0.0.1:" + std::to_string(m_server.Port()),
                  "User-Agent: Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.0)",
                  "Accept: */*",
              }));
    EXPECT_EQ(m_server.Requests().back().target, "/missing.png?a%20b");
}

TEST_F(WholeBodyGetTest, SendsTheStoredCookiesAndStoresNone) {
    m_server.Handle("/img", [](const httplib::Request&, httplib::Response& response) {
        response.set_header("Set-Cookie", "fromImage=1");
        response.set_content("img", "image/png");
    });
    ASSERT_TRUE(InternetSetCookie(m_server.BaseUrl().c_str(), "session", "s1"));
    EXPECT_EQ(AsString(FetchWholeBody(m_server.BaseUrl() + "/img")), "img");
    EXPECT_EQ(m_server.Requests().back().Header("Cookie"), "session=s1");
    EXPECT_EQ(CookieStoreLines().size(), 1u);
}

TEST_F(WholeBodyGetTest, GivesNothingWhenNothingCouldBeFetched) {
    m_server.Handle("/to-file", [](const httplib::Request&, httplib::Response& response) {
        response.set_redirect("file:///etc/hostname");
    });
    struct Case {
        const char* name;
        std::string address;
        int code;
        std::string text;
    } cases[] = {
        {"file address", "file:///etc/hostname", kErrorProtocolNotAllowed, "protocol not allowed"},
        {"ftp address", "ftp://127.0.0.1/x", kErrorProtocolNotAllowed, "protocol not allowed"},
        {"redirect to a file", m_server.BaseUrl() + "/to-file", kErrorProtocolNotAllowed,
         "protocol not allowed"},
        {"refused", RefusingAddress() + "/a.png", kErrorCouldNotConnect, "connection refused"},
        {"empty address", "", kErrorMalformedAddress, "malformed address"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SetLastPlatformError(99, "stale");
        EXPECT_EQ(FetchWholeBody(c.address), Bytes());
        EXPECT_EQ(LastPlatformError().code, c.code);
        EXPECT_EQ(LastPlatformError().text, c.text);
    }
}

} // namespace
} // namespace quorlen
