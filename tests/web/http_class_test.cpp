#include "platform/inet_errors.h"
#include "support/raw_server.h"
#include "support/recording_server.h"
#include "text/text_case.h"
#include "web/http_class.h"
#include "web/web_fixture.h"

#include <thread>

namespace quorlen {
namespace {

constexpr std::string_view kAgentLine =
    "User-Agent: Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.0)";
constexpr std::string_view kDefaultAcceptLine =
    "Accept: image/gif, image/x-xbitmap, image/jpeg, image/pjpeg, "
    "application/x-shockwave-flash, application/vnd.ms-excel, application/vnd.ms-powerpoint, "
    "application/msword, */*";
constexpr std::string_view kLanguageLine = "Accept-Language: zh-cn";
const Bytes kFailure(255, 0);

class WebRequestTest : public WebTest {
protected:
    void SetUp() override {
        WebTest::SetUp();
        m_server.Handle("/page", [](const httplib::Request&, httplib::Response& response) {
            response.set_content("the page", "text/html");
        });
    }

    std::string Url(std::string_view path) const { return m_server.BaseUrl() + std::string(path); }
    std::string HostLine() const { return "Host: 127.0.0.1:" + std::to_string(m_server.Port()); }

    RecordingServer m_server;
    HttpClass m_http;
};

TEST_F(WebRequestTest, SendsTheRequestAsComposed) {
    struct Case {
        const char* name;
        const char* method; // null: left out
        const char* headers;
        std::string_view data;
        std::string_view sentMethod;
        std::string_view methodAfter;
        std::vector<std::string> composedLines; // after Host and User-Agent; REFERER: the address
        std::string_view body;
    } cases[] = {
        {"defaults", nullptr, nullptr, "", "GET", "", {"ACCEPT", "REFERER", "LANGUAGE"}, ""},
        {"lower-case get", "get", nullptr, "", "GET", "GET", {"ACCEPT", "REFERER", "LANGUAGE"}, ""},
        {"mixed-case post with data",
         "pOsT",
         nullptr,
         "a=1&b=2",
         "POST",
         "POST",
         {"ACCEPT", "REFERER", "LANGUAGE", "Content-Type: application/x-www-form-urlencoded",
          "Content-Length: 7"},
         "a=1&b=2"},
        // Without data nothing is added; curl frames the empty body itself.
        {"post without data",
         "post",
         nullptr,
         "",
         "POST",
         "POST",
         {"ACCEPT", "REFERER", "LANGUAGE", "Content-Length: 0"},
         ""},
        {"own lower-case accept line",
         nullptr,
         "accept: text/html\r\n",
         "",
         "GET",
         "",
         {"accept: text/html", "REFERER", "LANGUAGE"},
         ""},
        {"own referer and language, any case",
         nullptr,
         "X-One: 1\r\nREFERER: http://elsewhere/\r\naccept-language: en\r\n",
         "",
         "GET",
         "",
         {"X-One: 1", "REFERER: http://elsewhere/", "accept-language: en", "ACCEPT"},
         ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string address = Url("/page?q=1");
        const std::size_t before = m_server.RequestCount();
        Text method = c.method != nullptr ? c.method : "";
        Text headers = c.headers != nullptr ? c.headers : "";
        const Bytes body = m_http.WebRequest(address, c.method != nullptr ? &method : nullptr, {},
                                             &headers, c.data);
        EXPECT_EQ(AsString(body), "the page");
        EXPECT_EQ(LastPlatformError().code, 0);
        if (c.method != nullptr) {
            EXPECT_EQ(method, c.methodAfter);
        }

        std::vector<std::string> expected = {HostLine(), std::string(kAgentLine)};
        std::string sentBlock;
        for (std::string line : c.composedLines) {
            if (line == "ACCEPT")
                line = kDefaultAcceptLine;
            else if (line == "REFERER")
                line = "Referer: " + address;
            else if (line == "LANGUAGE")
                line = kLanguageLine;
            expected.push_back(line);
            if (line != "Content-Length: 0")
                sentBlock += line + "\r\n";
        }
        EXPECT_EQ(headers, sentBlock) << "the caller's variable holds the block as sent";

        const std::vector<RecordedRequest> requests = m_server.Requests();
        ASSERT_EQ(requests.size(), before + 1);
        const RecordedRequest& sent = requests.back();
        EXPECT_EQ(sent.method, c.sentMethod);
        EXPECT_EQ(sent.target, "/page?q=1");
        EXPECT_EQ(sent.version, "HTTP/1.1");
        EXPECT_EQ(sent.headerLines, expected);
        EXPECT_EQ(sent.body, c.body);
    }
}

TEST_F(WebRequestTest, OtherMethodsFailWithoutSendingAnything) {
    for (const char* given : {"head", "PUT", "Delete", "OPTIONS"}) {
        SCOPED_TRACE(given);
        Text method = given;
        Text responseHeaders = "untouched";
        EXPECT_EQ(m_http.WebRequest(Url("/page"), &method, {}, nullptr, "x=1", &responseHeaders),
                  kFailure);
        EXPECT_EQ(method, ToUpperAscii(given));
        EXPECT_EQ(responseHeaders, "untouched");
        EXPECT_NE(LastPlatformError().code, 0);
    }
    EXPECT_EQ(m_server.RequestCount(), 0u);
}

TEST_F(WebRequestTest, ReturnsTheBodyWhateverTheStatus) {
    const std::string withZero("before\0after", 12);
    struct Case {
        const char* name;
        int status;
        std::string body;
        std::string text; // what FetchText gives
    } cases[] = {
        {"ok", 200, "<html>page</html>", "<html>page</html>"},
        {"not found", 404, "<html>no such page</html>", "<html>no such page</html>"},
        {"server error", 500, "broken", "broken"},
        {"empty", 200, "", ""},
        {"zero byte", 200, withZero, "before"},
        {"binary", 200, std::string("\x00\xff\x80\x00", 4), ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        m_server.Handle("/status", [&c](const httplib::Request&, httplib::Response& response) {
            response.status = c.status;
            response.set_content(c.body, "application/octet-stream");
        });
        EXPECT_EQ(AsString(m_http.WebRequest(Url("/status"))), c.body);
        EXPECT_EQ(LastPlatformError().code, 0) << "an error status is no failure";
        EXPECT_EQ(m_http.FetchText(Url("/status")), c.text);
    }
}

TEST_F(WebRequestTest, BodyOfManyPiecesArrivesIntact) {
    std::string body;
    for (int i = 0; i < 100000; ++i)
        body += static_cast<char>(i * 7 % 251);
    m_server.Handle("/big", [&body](const httplib::Request&, httplib::Response& response) {
        response.set_content(body, "application/octet-stream");
    });
    EXPECT_EQ(AsString(m_http.WebRequest(Url("/big"))), body);
}

TEST_F(WebRequestTest, ConnectsToTheLowerCasedHostOnItsPort) {
    m_server.Handle("/Mixed/Path", [](const httplib::Request&, httplib::Response& response) {
        response.set_header("Set-Cookie", "visit=1");
        response.set_content("mixed", "text/plain");
    });
    const std::string port = std::to_string(m_server.Port());
    const std::string address = "http://LocalHost:" + port + "/Mixed/Path?Q=Yes";
    EXPECT_EQ(m_http.FetchText(address), "mixed");

    const RecordedRequest sent = m_server.Requests().back();
    EXPECT_EQ(sent.target, "/Mixed/Path?Q=Yes") << "the path keeps its case";
    EXPECT_EQ(sent.Header("Host"), "localhost:" + port);
    EXPECT_EQ(sent.Header("Referer"), address) << "the address as the caller gave it";
    // The cookie belongs to "http://localhost:PORT": it goes back to that host only.
    EXPECT_EQ(CookieStoreLines(),
              std::vector<std::string>{"localhost\tFALSE\t/\tFALSE\t0\tvisit\t1"});
    m_http.FetchText("http://localhost:" + port + "/page");
    EXPECT_EQ(m_server.Requests().back().Header("Cookie"), "visit=1");
    m_http.FetchText(Url("/page"));
    EXPECT_FALSE(m_server.Requests().back().HasHeader("Cookie"));
}

TEST_F(WebRequestTest, BlankProxyMeansADirectConnection) {
    for (const char* proxy : {"", " ", "   ", "\xA1\xA1", " \xA1\xA1 \xA1\xA1"}) {
        SCOPED_TRACE(testing::PrintToString(proxy));
        EXPECT_EQ(AsString(m_http.WebRequest(Url("/page"), nullptr, proxy)), "the page");
        EXPECT_EQ(m_server.Requests().back().target, "/page") << "not a proxy's absolute form";
    }
}

TEST_F(WebRequestTest, GivenProxyReceivesTheRequest) {
    RecordingServer proxy;
    proxy.Handle("http://example.invalid/far",
                 [](const httplib::Request&, httplib::Response& response) {
                     response.set_content("via proxy", "text/plain");
                 });
    const std::string proxyPort = std::to_string(proxy.Port());
    for (const std::string& setting : {"127.0.0.1:" + proxyPort, " 127.0.0.1:" + proxyPort + " "}) {
        SCOPED_TRACE(setting);
        EXPECT_EQ(AsString(m_http.WebRequest("http://Example.invalid/far", nullptr, setting)),
                  "via proxy");
        const RecordedRequest sent = proxy.Requests().back();
        EXPECT_EQ(sent.target, "http://example.invalid/far");
        EXPECT_EQ(sent.Header("Host"), "example.invalid");
    }
    EXPECT_EQ(m_server.RequestCount(), 0u);
}

TEST_F(WebRequestTest, IgnoresProxiesOfTheEnvironment) {
    RecordingServer proxy;
    const std::string proxyUrl = proxy.BaseUrl();
    setenv("http_proxy", proxyUrl.c_str(), 1);
    setenv("HTTP_PROXY", proxyUrl.c_str(), 1);
    const Text text = m_http.FetchText(Url("/page"));
    unsetenv("http_proxy");
    unsetenv("HTTP_PROXY");
    EXPECT_EQ(text, "the page");
    EXPECT_EQ(proxy.RequestCount(), 0u);
}

TEST_F(WebRequestTest, FollowsRedirectsAndKeepsOnlyTheFinalHeaders) {
    // /a sets a cookie on the way; it is sent along the chain but not kept.
    m_server.Handle("/a", [](const httplib::Request&, httplib::Response& response) {
        response.set_header("Set-Cookie", "step=a");
        response.set_redirect("/b", 302);
    });
    m_server.Handle("/b", [](const httplib::Request&, httplib::Response& response) {
        response.set_redirect("/c", 301);
    });
    m_server.Handle("/c", [](const httplib::Request&, httplib::Response& response) {
        response.set_header("X-Final", "yes");
        response.set_content("the end", "text/plain");
    });
    Text responseHeaders;
    EXPECT_EQ(AsString(m_http.WebRequest(Url("/a"), nullptr, {}, nullptr, {}, &responseHeaders)),
              "the end");
    EXPECT_TRUE(responseHeaders.starts_with("HTTP/1.1 200 OK\r\n")) << responseHeaders;
    EXPECT_NE(responseHeaders.find("X-Final: yes\r\n"), std::string::npos);
    EXPECT_EQ(responseHeaders.find("Location"), std::string::npos);
    EXPECT_TRUE(responseHeaders.ends_with("\r\n\r\n"));

    const std::vector<RecordedRequest> requests = m_server.Requests();
    ASSERT_EQ(requests.size(), 3u);
    EXPECT_EQ(requests[1].target, "/b");
    EXPECT_EQ(requests[1].Header("Cookie"), "step=a");
    EXPECT_EQ(requests[2].Header("Cookie"), "step=a");
    EXPECT_TRUE(CookieStoreLines().empty());
}

TEST_F(WebRequestTest, FollowsTenRedirectsButNoMore) {
    m_server.Handle("/hop", [](const httplib::Request& request, httplib::Response& response) {
        const int left = std::stoi(request.get_param_value("left"));
        if (left == 0)
            response.set_content("arrived", "text/plain");
        else
            response.set_redirect("/hop?left=" + std::to_string(left - 1));
    });
    m_server.Handle("/loop", [](const httplib::Request&, httplib::Response& response) {
        response.set_redirect("/loop");
    });
    EXPECT_EQ(m_http.FetchText(Url("/hop?left=10")), "arrived");
    EXPECT_EQ(LastPlatformError().code, 0);
    for (const char* path : {"/hop?left=11", "/loop"}) {
        SCOPED_TRACE(path);
        EXPECT_EQ(m_http.WebRequest(Url(path)), Bytes()) << "a failed send reads nothing";
        EXPECT_EQ(LastPlatformError().code, kErrorTooManyRedirects);
        EXPECT_EQ(LastPlatformError().text, "too many redirects");
    }
}

TEST_F(WebRequestTest, FailuresToFetchGiveNothingAndSayWhy) {
    m_server.Handle("/to-file", [](const httplib::Request&, httplib::Response& response) {
        response.set_redirect("file:///etc/passwd");
    });
    m_server.Handle("/to-ftp", [](const httplib::Request&, httplib::Response& response) {
        response.set_redirect("ftp://127.0.0.1/x");
    });
    struct Case {
        const char* name;
        std::string address;
        Bytes result;
        int code;
        std::string text;
    } cases[] = {
        {"refused", RefusingAddress() + "/x", {}, kErrorCouldNotConnect, "connection refused"},
        {"redirect to a file",
         Url("/to-file"),
         {},
         kErrorProtocolNotAllowed,
         "protocol not allowed"},
        {"redirect to ftp", Url("/to-ftp"), {}, kErrorProtocolNotAllowed, "protocol not allowed"},
        {"blank in the host",
         "http://bad host/x",
         {},
         kErrorCouldNotResolve,
         "could not resolve host 'bad host'"},
        // The host part would read as a login for another host.
        {"user information",
         "http://user@127.0.0.1:" + std::to_string(m_server.Port()) + "/page",
         {},
         kErrorCouldNotResolve,
         "could not resolve host 'user@127.0.0.1'"},
        {"port out of range", "http://127.0.0.1:65616/page", kFailure, kErrorInvalidArgument,
         "invalid port 65616"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Text responseHeaders = "untouched";
        EXPECT_EQ(m_http.WebRequest(c.address, nullptr, {}, nullptr, {}, &responseHeaders),
                  c.result);
        EXPECT_EQ(LastPlatformError().code, c.code);
        EXPECT_EQ(LastPlatformError().text, c.text);
        const Text expectedHeaders = c.result.empty() ? Text(1024, ' ') : Text("untouched");
        EXPECT_EQ(responseHeaders, expectedHeaders);
        EXPECT_EQ(m_http.FetchText(c.address), "");
    }
    EXPECT_EQ(m_server.RequestCount(), 4u) << "only the two redirecting pages, once per call";
}

TEST_F(WebRequestTest, AnAnswerThatBreaksOffCountsAsNothingFetched) {
    UseShortIdleTimeout(); // 300 ms
    const std::string head =
        "HTTP/1.1 200 OK\r\nSet-Cookie: partial=1\r\nContent-Length: 4000\r\n\r\n";
    struct Case {
        const char* name;
        RawServer::Script script;
        int code;
        std::string text;
    } cases[] = {
        {"endless body",
         RawServer::Endless(
             "HTTP/1.1 200 OK\r\nSet-Cookie: partial=1\r\nConnection: close\r\n\r\n"),
         kErrorTooLarge, "response too large"},
        // The first 2000 bytes come at once, then the server falls silent.
        {"stalls halfway",
         [head](RawConnection& connection) {
             if (!connection.ReadRequestHead().empty() &&
                 connection.Send(head + std::string(2000, 'h')))
                 connection.Pause(std::chrono::seconds(5));
         },
         kErrorTimedOut, "timed out"},
        {"closes halfway", RawServer::Reply(head + std::string(2000, 'h')), kErrorCutShort,
         "answer cut short"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        RawServer server(c.script);
        Text responseHeaders;
        EXPECT_EQ(
            m_http.WebRequest(server.BaseUrl() + "/", nullptr, {}, nullptr, {}, &responseHeaders),
            Bytes());
        EXPECT_EQ(LastPlatformError().code, c.code);
        EXPECT_EQ(LastPlatformError().text, c.text);
        EXPECT_EQ(responseHeaders, Text(1024, ' '));
        EXPECT_TRUE(CookieStoreLines().empty());
    }
}

TEST_F(WebRequestTest, ClearsTheLastErrorWhenItStarts) {
    SetLastPlatformError(kErrorTimedOut, "timed out");
    EXPECT_EQ(m_http.FetchText(Url("/page")), "the page");
    EXPECT_EQ(LastPlatformError().code, 0);
    EXPECT_EQ(LastPlatformError().text, "");
}

TEST(HttpClass, ForwardsAddressSplittingAndPageDecoding) {
    const HttpClass http;
    EXPECT_EQ(http.UrlHost("http://Host.Example:8080/P"), "host.example:8080");
    EXPECT_EQ(http.UrlHost("http://Host.Example:8080/P", true), "host.example");
    EXPECT_EQ(http.UrlPort("http://Host.Example:8080/P"), 8080);
    EXPECT_EQ(http.UrlPath("http://Host.Example:8080/P"), "/P");
    // 中 in UTF-8, percent-encoded, becomes D6 D0 in code page 936.
    EXPECT_EQ(http.UrlDecodeUtf8("a%E4%B8%ADb"), "a\xD6\xD0"
                                                 "b");
}

class WebRequestCookieTest : public WebTest {
protected:
    // A raw answer, so the header block is exactly as written here.
    static std::string Answer(std::string_view headerLines) {
        return "HTTP/1.1 200 OK\r\nContent-Length: 2\r\nConnection: close\r\n" +
               std::string(headerLines) + "\r\nok";
    }
    HttpClass m_http;
};

TEST_F(WebRequestCookieTest, StoresTheCookiesOfTheHeaderBlockInOrder) {
    const std::string padding = "X-Padding: " + std::string(1000, 'p') + "\r\n";
    struct Case {
        const char* name;
        std::string headerLines;
        std::vector<std::string> stored; // name=value as the store holds them
    } cases[] = {
        {"two cookies", "Set-Cookie: first=1\r\nSet-Cookie: second=2\r\n", {"first=1", "second=2"}},
        {"any case, the later one wins",
         "set-cookie: a=1\r\nSET-COOKIE: b=2\r\nSet-Cookie: a=3\r\n",
         {"a=3", "b=2"}},
        {"value with its attributes", "Set-Cookie: id=x=y; Path=/; Max-Age=3600\r\n", {"id=x=y"}},
        {"a line without =", "Set-Cookie: novalue\r\nSet-Cookie: kept=1\r\n", {"kept=1"}},
        {"not at the start of a line", "X-Note: Set-Cookie: sneaky=1\r\n", {}},
        {"header block over 1024 bytes", "Set-Cookie: big=1\r\n" + padding, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ClearCookieStore();
        RawServer server(RawServer::Reply(Answer(c.headerLines)));
        Text responseHeaders;
        EXPECT_EQ(AsString(m_http.WebRequest(server.BaseUrl() + "/", nullptr, {}, nullptr, {},
                                             &responseHeaders)),
                  "ok");
        EXPECT_EQ(LastPlatformError().code, 0) << LastPlatformError().text;
        std::vector<std::string> stored;
        for (const std::string& line : CookieStoreLines()) {
            EXPECT_TRUE(line.starts_with("127.0.0.1\tFALSE\t/\t")) << line;
            const auto name = line.rfind('\t', line.rfind('\t') - 1) + 1;
            std::string pair = line.substr(name);
            pair[pair.find('\t')] = '=';
            stored.push_back(pair);
        }
        EXPECT_EQ(stored, c.stored);
        const std::string block = Answer(c.headerLines).substr(0, Answer(c.headerLines).size() - 2);
        EXPECT_EQ(responseHeaders, block.size() < 1024 ? Text(block) : Text(1024, ' '));
    }
}

TEST_F(WebRequestCookieTest, CookiesSetOnOneThreadAreSentFromAnother) {
    RecordingServer server;
    server.Handle("/login", [](const httplib::Request&, httplib::Response& response) {
        response.set_header("Set-Cookie", "session=abc; path=/");
        response.set_header("Set-Cookie", "lang=zh");
        response.set_content("welcome", "text/plain");
    });
    std::thread([&] {
        EXPECT_EQ(m_http.FetchText(server.BaseUrl() + "/login"), "welcome");
    }).join();
    std::thread([&] { m_http.FetchText(server.BaseUrl() + "/profile"); }).join();
    EXPECT_EQ(server.Requests().back().Header("Cookie"), "session=abc; lang=zh");
}

} // namespace
} // namespace quorlen
