#include "platform/inet.h"
#include "platform/inet_errors.h"
#include "platform/whole_body_get.h"
#include "support/raw_server.h"
#include "support/recording_server.h"
#include "web/web_fixture.h"

#include <chrono>
#include <cstring>
#include <netinet/in.h>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>

namespace quorlen {
namespace {

using namespace std::chrono_literals;

// The three handles of one request, opened the usual way.
struct OpenedRequest {
    InetHandle internet = 0;
    InetHandle connection = 0;
    InetHandle request = 0;

    OpenedRequest(int port, const char* verb, const char* object, const char* version = nullptr,
                  const char* referrer = nullptr, const char* const* acceptTypes = nullptr) {
        internet = InternetOpen("agent/1", kInternetOpenTypeDirect, nullptr, nullptr, 0);
        connection = InternetConnect(internet, "127.0.0.1", port, nullptr, nullptr,
                                     kInternetServiceHttp, 0, 0);
        request = HttpOpenRequest(connection, verb, object, version, referrer, acceptTypes,
                                  kInternetFlagReload, 0);
    }
    ~OpenedRequest() {
        InternetCloseHandle(request);
        InternetCloseHandle(connection);
        InternetCloseHandle(internet);
    }
};

std::string ReadAll(InetHandle request, std::uint32_t piece, std::vector<std::uint32_t>* counts) {
    std::string body;
    for (;;) {
        std::vector<char> buffer(piece);
        std::uint32_t read = 0;
        if (!InternetReadFile(request, buffer.data(), piece, &read))
            return body;
        if (counts != nullptr)
            counts->push_back(read);
        if (read == 0)
            return body;
        body.append(buffer.data(), read);
    }
}

class InetTest : public WebTest {
protected:
    RecordingServer m_server;
};

TEST_F(InetTest, HandlesAreCheckedAndMayBeClosedInAnyOrder) {
    m_server.Handle("/x", [](const httplib::Request&, httplib::Response& response) {
        response.set_content("fine", "text/plain");
    });
    EXPECT_EQ(InternetConnect(0, "h", 80, nullptr, nullptr, kInternetServiceHttp, 0, 0), 0u);
    EXPECT_EQ(LastPlatformError().code, kErrorInvalidHandle);

    const InetHandle internet = InternetOpen("a", kInternetOpenTypeDirect, nullptr, nullptr, 0);
    const InetHandle connection =
        InternetConnect(internet, "127.0.0.1", m_server.Port(), "", "", kInternetServiceHttp, 0, 0);
    const InetHandle request =
        HttpOpenRequest(connection, nullptr, "/x", nullptr, nullptr, nullptr, 0, 0);
    ASSERT_NE(internet, 0u);
    ASSERT_NE(connection, 0u);
    ASSERT_NE(request, 0u);
    EXPECT_EQ(HttpOpenRequest(internet, "GET", "/", nullptr, nullptr, nullptr, 0, 0), 0u)
        << "an internet handle is no connection";
    EXPECT_EQ(InternetConnect(request, "h", 80, nullptr, nullptr, kInternetServiceHttp, 0, 0), 0u);
    EXPECT_FALSE(HttpSendRequest(connection, nullptr, 0, nullptr, 0));
    EXPECT_EQ(LastPlatformError().code, kErrorInvalidHandle);

    // Parents first: the request keeps working on what it took from them.
    EXPECT_TRUE(InternetCloseHandle(internet));
    EXPECT_TRUE(InternetCloseHandle(connection));
    EXPECT_TRUE(HttpSendRequest(request, nullptr, 0, nullptr, 0));
    EXPECT_EQ(ReadAll(request, 512, nullptr), "fine");
    EXPECT_TRUE(InternetCloseHandle(request));
    for (const InetHandle closed : {internet, connection, request}) {
        ClearLastPlatformError();
        EXPECT_FALSE(InternetCloseHandle(closed));
        EXPECT_EQ(LastPlatformError().code, kErrorInvalidHandle);
        EXPECT_EQ(LastPlatformError().text, "invalid handle");
    }
}

TEST_F(InetTest, ReadsTheBodyInPiecesWithZeroBytesIntact) {
    std::string body(1000, '\0');
    for (std::size_t i = 0; i < body.size(); i += 3)
        body[i] = static_cast<char>('a' + i % 26);
    m_server.Handle("/bin", [&body](const httplib::Request&, httplib::Response& response) {
        response.set_content(body, "application/octet-stream");
    });
    OpenedRequest opened(m_server.Port(), "GET", "/bin");
    ASSERT_TRUE(HttpSendRequest(opened.request, nullptr, 0, nullptr, 0));
    std::vector<std::uint32_t> counts;
    EXPECT_EQ(ReadAll(opened.request, 300, &counts), body);
    EXPECT_EQ(counts, (std::vector<std::uint32_t>{300, 300, 300, 100, 0}));
}

TEST_F(InetTest, QueryInfoReportsTheLengthItNeeds) {
    const std::string block = "HTTP/1.1 200 OK\r\nContent-Length: 0\r\nX-A: 1\r\n\r\n";
    RawServer server(RawServer::Reply(block));
    OpenedRequest opened(server.Port(), "GET", "/");
    const auto size = static_cast<std::uint32_t>(block.size());

    char buffer[256];
    std::uint32_t length = sizeof buffer;
    EXPECT_FALSE(HttpQueryInfo(opened.request, kHttpQueryRawHeadersCrlf, buffer, &length, nullptr));
    EXPECT_EQ(LastPlatformError().code, kErrorNoResponse) << "nothing sent yet";
    ASSERT_TRUE(HttpSendRequest(opened.request, nullptr, 0, nullptr, 0));

    struct Case {
        const char* name;
        std::uint32_t given;
        bool ok;
        std::uint32_t reported;
    } cases[] = {
        {"room for the zero too", size + 1, true, size},
        {"plenty of room", sizeof buffer, true, size},
        {"no room for the zero", size, false, size + 1},
        {"far too small", 10, false, size + 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::memset(buffer, 'z', sizeof buffer);
        length = c.given;
        EXPECT_EQ(HttpQueryInfo(opened.request, kHttpQueryRawHeadersCrlf, buffer, &length, nullptr),
                  c.ok);
        EXPECT_EQ(length, c.reported);
        if (c.ok) {
            EXPECT_EQ(std::string(buffer), block);
        } else {
            EXPECT_EQ(LastPlatformError().code, kErrorInsufficientBuffer);
            EXPECT_EQ(buffer[0], 'z') << "a failed query leaves the buffer alone";
        }
    }
    length = sizeof buffer;
    EXPECT_FALSE(HttpQueryInfo(opened.request, 19, buffer, &length, nullptr));
    EXPECT_EQ(LastPlatformError().code, kErrorInvalidArgument);
}

TEST_F(InetTest, SendsTheRequestExactlyAsDescribed) {
    const char* const acceptTypes[] = {"text/html", "image/png", nullptr};
    struct Case {
        const char* name;
        const char* verb;
        const char* object;
        const char* version;
        const char* referrer;
        const char* const* acceptTypes;
        const char* headers;
        std::uint32_t headersLength; // 0xFFFFFFFF: up to the zero
        std::string_view optional;
        std::string requestLine;
        std::vector<std::string> lines; // after Host and User-Agent
        std::string body;
    } cases[] = {
        {"plain get",
         nullptr,
         nullptr,
         nullptr,
         nullptr,
         nullptr,
         nullptr,
         0,
         "",
         "GET / HTTP/1.1",
         {},
         ""},
        {"put with a body, zero-terminated headers",
         "PUT",
         "/put?x=1",
         "HTTP/1.0",
         nullptr,
         nullptr,
         "X-A: 1\r\nX-B: 2\r\n",
         0xFFFFFFFF,
         "payload",
         "PUT /put?x=1 HTTP/1.0",
         {"X-A: 1", "X-B: 2", "Content-Length: 7"},
         "payload"},
        {"head",
         "HEAD",
         "/h",
         nullptr,
         nullptr,
         nullptr,
         nullptr,
         0,
         "",
         "HEAD /h HTTP/1.1",
         {},
         ""},
        {"referrer and accept types",
         "GET",
         "/r",
         nullptr,
         "http://from/",
         acceptTypes,
         "X-C: 3\r\n",
         9,
         "",
         "GET /r HTTP/1.1",
         {"Accept: text/html, image/png", "Referer: http://from/", "X-C: 3"},
         ""},
        {"own accept and referer lines win",
         "GET",
         "/r",
         nullptr,
         "http://from/",
         acceptTypes,
         "accept: */*\r\nreferer: http://mine/\r\n",
         0xFFFFFFFF,
         "",
         "GET /r HTTP/1.1",
         {"accept: */*", "referer: http://mine/"},
         ""},
        {"length cuts the headers",
         "GET",
         "/c",
         nullptr,
         nullptr,
         nullptr,
         "X-D: 4\r\nX-E: 5\r\n",
         8,
         "",
         "GET /c HTTP/1.1",
         {"X-D: 4"},
         ""},
        {"blank and control bytes in the object",
         "GET",
         "/a b\x01",
         nullptr,
         nullptr,
         nullptr,
         nullptr,
         0,
         "",
         "GET /a%20b%01 HTTP/1.1",
         {},
         ""},
        {"object without a slash",
         "GET",
         "rel",
         nullptr,
         nullptr,
         nullptr,
         nullptr,
         0,
         "",
         "GET /rel HTTP/1.1",
         {},
         ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        RawServer server(RawServer::Reply("HTTP/1.1 204 No Content\r\n\r\n"));
        OpenedRequest opened(server.Port(), c.verb, c.object, c.version, c.referrer, c.acceptTypes);
        ASSERT_NE(opened.request, 0u);
        EXPECT_TRUE(HttpSendRequest(opened.request, c.headers, c.headersLength,
                                    c.optional.empty() ? nullptr : c.optional.data(),
                                    static_cast<std::uint32_t>(c.optional.size())));
        std::string expected = c.requestLine +
                               "\r\nHost: 127.0.0.1:" + std::to_string(server.Port()) +
                               "\r\nUser-Agent: agent/1\r\n";
        for (const std::string& line : c.lines)
            expected += line + "\r\n";
        expected += "\r\n";
        ASSERT_EQ(server.RequestHeads().size(), 1u);
        EXPECT_EQ(server.RequestHeads()[0], expected);
    }
}

TEST_F(InetTest, RefusesWhatItCannotDo) {
    const InetHandle internet = InternetOpen("a", kInternetOpenTypeDirect, nullptr, nullptr, 0);
    const InetHandle connection =
        InternetConnect(internet, "127.0.0.1", 80, nullptr, nullptr, kInternetServiceHttp, 0, 0);
    struct Case {
        const char* name;
        InetHandle result;
    } cases[] = {
        {"access type", InternetOpen("a", 7, nullptr, nullptr, 0)},
        {"negative port",
         InternetConnect(internet, "h", -1, nullptr, nullptr, kInternetServiceHttp, 0, 0)},
        {"port past 65535",
         InternetConnect(internet, "h", 65536, nullptr, nullptr, kInternetServiceHttp, 0, 0)},
        {"ftp service", InternetConnect(internet, "h", 21, nullptr, nullptr, 1, 0, 0)},
        {"user name", InternetConnect(internet, "h", 80, "me", "", kInternetServiceHttp, 0, 0)},
        {"verb with a blank",
         HttpOpenRequest(connection, "GE T", "/", nullptr, nullptr, nullptr, 0, 0)},
        {"verb with a line break",
         HttpOpenRequest(connection, "GET\r\nX:", "/", nullptr, nullptr, nullptr, 0, 0)},
        {"version", HttpOpenRequest(connection, "GET", "/", "HTTP/2", nullptr, nullptr, 0, 0)},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.result, 0u) << c.name;
    EXPECT_EQ(LastPlatformError().code, kErrorInvalidArgument);
    InternetCloseHandle(connection);
    InternetCloseHandle(internet);
}

TEST_F(InetTest, LastErrorBelongsToItsThread) {
    SetLastPlatformError(kErrorTimedOut, "timed out");
    std::thread([] {
        EXPECT_EQ(LastPlatformError().code, 0);
        EXPECT_FALSE(InternetCloseHandle(12345678));
        EXPECT_EQ(LastPlatformError().code, kErrorInvalidHandle);
    }).join();
    EXPECT_EQ(LastPlatformError().code, kErrorTimedOut);
    EXPECT_EQ(LastPlatformError().text, "timed out");
}

TEST_F(InetTest, AFailedSendReadsNothingAndRepeatsItsError) {
    OpenedRequest opened(std::stoi(RefusingAddress().substr(17)), "GET", "/");
    EXPECT_FALSE(HttpSendRequest(opened.request, nullptr, 0, nullptr, 0));
    EXPECT_EQ(LastPlatformError().code, kErrorCouldNotConnect);
    ClearLastPlatformError();
    char buffer[16];
    std::uint32_t read = 99;
    EXPECT_FALSE(InternetReadFile(opened.request, buffer, sizeof buffer, &read));
    EXPECT_EQ(read, 0u);
    EXPECT_EQ(LastPlatformError().code, kErrorCouldNotConnect);
    EXPECT_EQ(LastPlatformError().text, "connection refused");
    std::uint32_t length = sizeof buffer;
    EXPECT_FALSE(HttpQueryInfo(opened.request, kHttpQueryRawHeadersCrlf, buffer, &length, nullptr));
}

TEST_F(InetTest, ClosingARequestEndsItsRunningSend) {
    RawServer silent(RawServer::Silent());
    OpenedRequest opened(silent.Port(), "GET", "/");
    bool sent = true;
    PlatformError error;
    std::thread sender([&] {
        sent = HttpSendRequest(opened.request, nullptr, 0, nullptr, 0);
        error = LastPlatformError();
    });
    while (silent.RequestHeads().empty())
        std::this_thread::sleep_for(10ms);
    const auto start = std::chrono::steady_clock::now();
    InternetCloseHandle(opened.request);
    sender.join();
    EXPECT_FALSE(sent);
    EXPECT_EQ(error.code, kErrorAborted);
    EXPECT_EQ(error.text, "aborted");
    EXPECT_LT(std::chrono::steady_clock::now() - start, 5s) << "not left to the 30 s idle limit";
}

// The limits hold for every transfer; the whole-body GET is the shortest way to one.
class TransferLimitsTest : public WebTest {};

TEST_F(TransferLimitsTest, IdleTimerEndsAStalledAnswerButNotASlowOne) {
    UseShortIdleTimeout(); // 300 ms
    const std::string head = "HTTP/1.1 200 OK\r\nContent-Length: 6\r\n\r\n";
    struct Case {
        const char* name;
        RawServer::Script script;
        std::string body;
        int code;
    } cases[] = {
        {"silent", RawServer::Silent(), "", kErrorTimedOut},
        {"stalls inside the body", RawServer::Trickle(head, "abcdef", 700ms), "", kErrorTimedOut},
        // 6 bytes 100 ms apart take twice the idle limit in all, yet never stall for it.
        {"trickle", RawServer::Trickle(head, "abcdef", 100ms), "abcdef", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        RawServer server(c.script);
        EXPECT_EQ(AsString(FetchWholeBody(server.BaseUrl() + "/")), c.body);
        EXPECT_EQ(LastPlatformError().code, c.code);
        if (c.code == kErrorTimedOut) {
            EXPECT_EQ(LastPlatformError().text, "timed out");
        }
    }
    const TransferTimeouts now = CurrentTransferTimeouts();
    EXPECT_EQ(now.idle, 300ms);
    EXPECT_EQ(now.connect, kDefaultTransferTimeouts.connect);
    EXPECT_EQ(kDefaultTransferTimeouts.connect, 60s);
    EXPECT_EQ(kDefaultTransferTimeouts.idle, 30s);
}

// A listener whose queue is full: one connection waits in it, never accepted, so a further
// connection attempt gets no answer at all.
class FullListener {
public:
    FullListener() {
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t length = sizeof address;
        bind(m_listener, reinterpret_cast<sockaddr*>(&address), length);
        listen(m_listener, 0);
        getsockname(m_listener, reinterpret_cast<sockaddr*>(&address), &length);
        m_port = ntohs(address.sin_port);
        connect(m_filler, reinterpret_cast<sockaddr*>(&address), length);
    }
    ~FullListener() {
        close(m_filler);
        close(m_listener);
    }
    std::string BaseUrl() const { return "http://127.0.0.1:" + std::to_string(m_port); }

private:
    int m_listener = socket(AF_INET, SOCK_STREAM, 0);
    int m_filler = socket(AF_INET, SOCK_STREAM, 0);
    int m_port = 0;
};

TEST_F(TransferLimitsTest, ConnectingHasItsOwnLimit) {
    SetTransferTimeouts(300ms, kDefaultTransferTimeouts.idle);
    FullListener listener;
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(FetchWholeBody(listener.BaseUrl() + "/"), Bytes());
    EXPECT_EQ(LastPlatformError().code, kErrorTimedOut);
    EXPECT_EQ(LastPlatformError().text, "timed out");
    EXPECT_LT(std::chrono::steady_clock::now() - start, 10s) << "not the 30 s idle limit";
}

// Sends a body of `size` bytes with its length announced, in pieces.
RawServer::Script BodyOfSize(std::size_t size) {
    return [size](RawConnection& connection) {
        if (connection.ReadRequestHead().empty() ||
            !connection.Send("HTTP/1.1 200 OK\r\nContent-Length: " + std::to_string(size) +
                             "\r\n\r\n"))
            return;
        const std::string piece(1 << 20, 'b');
        for (std::size_t sent = 0; sent < size; sent += piece.size()) {
            if (!connection.Send(
                    std::string_view(piece).substr(0, std::min(piece.size(), size - sent))))
                return;
        }
    };
}

TEST_F(TransferLimitsTest, AnswersPastTheSizeCapCountAsNothingFetched) {
    struct Case {
        const char* name;
        RawServer::Script script;
        bool fetched;
    } cases[] = {
        {"exactly the cap", BodyOfSize(kMaxResponseBytes), true},
        {"one byte more", BodyOfSize(kMaxResponseBytes + 1), false},
        {"endless", RawServer::Endless("HTTP/1.1 200 OK\r\nConnection: close\r\n\r\n"), false},
        // Refused from the announced length alone, before any body is read.
        {"announced only",
         RawServer::Reply("HTTP/1.1 200 OK\r\nContent-Length: 99999999999\r\n\r\n"), false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        RawServer server(c.script);
        const Bytes body = FetchWholeBody(server.BaseUrl() + "/");
        EXPECT_EQ(body.size(), c.fetched ? kMaxResponseBytes : 0u);
        EXPECT_EQ(LastPlatformError().code, c.fetched ? 0 : kErrorTooLarge);
        EXPECT_EQ(LastPlatformError().text, c.fetched ? "" : "response too large");
    }
}

} // namespace
} // namespace quorlen
