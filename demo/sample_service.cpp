#include "demo/sample_service.h"

#include "demo/profile_page.h"
#include "demo/sample_images.h"
#include "demo/sample_users.h"

#include <httplib.h>
#include <optional>

namespace quorlen::demo {

namespace {

constexpr std::string_view kProfilePrefix = "/p/";
constexpr std::string_view kProfileSuffix = "/detail";
constexpr std::string_view kPortraitPrefix = "/sys/portrait/item/";
constexpr std::string_view kPortraitSuffix = ".jpg";
constexpr std::string_view kOriginPlaceholder = "{{origin}}";

int HexValue(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// The bytes a percent-encoded path segment stands for; a "%" without two hex digits stays.
std::string PercentDecode(std::string_view segment) {
    std::string bytes;
    for (std::size_t i = 0; i < segment.size(); ++i) {
        if (segment[i] == '%' && i + 2 < segment.size() && HexValue(segment[i + 1]) >= 0 &&
            HexValue(segment[i + 2]) >= 0) {
            bytes += static_cast<char>(HexValue(segment[i + 1]) * 16 + HexValue(segment[i + 2]));
            i += 2;
        } else {
            bytes += segment[i];
        }
    }
    return bytes;
}

std::string_view PathOf(std::string_view target) {
    return target.substr(0, target.find('?'));
}

std::string QueryOf(std::string_view target) {
    const std::size_t question = target.find('?');
    return question == std::string_view::npos ? std::string()
                                              : std::string(target.substr(question));
}

std::string ReplaceAll(std::string text, std::string_view from, std::string_view to) {
    for (std::size_t at = text.find(from); at != std::string::npos;
         at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
    return text;
}

// The widget's login page: one form whose button covers the spot where the login window
// clicks (page point 270,295); it posts and is answered with a redirect to the chat page.
std::string LoginPage(const std::string& query) {
    return "<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\"><title>WPA</title>\n"
           "<style>body{margin:0;font:12px sans-serif;background:#eef5ff}"
           "#quick{position:absolute;left:200px;top:240px;width:200px;height:120px;"
           "font-size:16px;background:#2e8b57;color:#fff;border:0}</style></head>\n"
           "<body><form method=\"post\" action=\"/widget/wpa/login" +
           query +
           "\"><button id=\"quick\" type=\"submit\">快速登录</button></form></body></html>\n";
}

std::string ChatPage() {
    return "<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\"><title>WPA chat</title>\n"
           "<style>body{margin:0;font:13px sans-serif}#log{height:380px;overflow:auto;"
           "padding:8px;background:#fafafa}#say{width:560px;height:60px}</style></head>\n"
           "<body><div id=\"log\"><p><b>作者</b>: 你好，有什么可以帮你？</p></div>\n"
           "<form onsubmit=\"var t=document.getElementById('say');var "
           "p=document.createElement('p');"
           "p.textContent='我: '+t.value;document.getElementById('log').appendChild(p);t.value='';"
           "return false;\"><textarea id=\"say\"></textarea><button>发送</button></form>"
           "</body></html>\n";
}

std::string ContactPage() {
    return "<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\"><title>QQ</title></head>\n"
           "<body><p>正在打开 QQ 会话……</p></body></html>\n";
}

std::string HomePage() {
    return "<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\"><title>百度空间</title></head>\n"
           "<body><h1>百度空间</h1><p>示例服务</p></body></html>\n";
}

} // namespace

SampleService::SampleService() : m_server(std::make_unique<httplib::Server>()) {
    InstallRoutes();
}

SampleService::~SampleService() {
    Stop();
}

void SampleService::SetProfilePage(std::string gbkName, std::string body) {
    std::lock_guard lock(m_mutex);
    m_pages[std::move(gbkName)] = std::move(body);
}

std::string SampleService::OriginOf(const httplib::Request& request) const {
    std::string host = request.get_header_value("Host");
    if (host.empty())
        host = "127.0.0.1:" + std::to_string(m_port);
    return "http://" + host;
}

void SampleService::InstallRoutes() {
    httplib::Server& server = *m_server;
    // Without the library's SO_REUSEPORT, so that a second service cannot share a port that
    // one already listens on.
    server.set_socket_options([](int socket) {
        int yes = 1;
        setsockopt(socket, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof(yes));
    });
    server.set_logger([this](const httplib::Request& request, const httplib::Response&) {
        std::lock_guard lock(m_mutex);
        m_targets.push_back(request.target);
    });
    // Every path is matched here on the target as sent, so that the name is decoded from its
    // own percent escapes, whatever bytes they stand for.
    server.Get(".*", [this](const httplib::Request& request, httplib::Response& response) {
        const std::string_view path = PathOf(request.target);
        const std::string origin = OriginOf(request);
        if (path.starts_with(kProfilePrefix) && path.ends_with(kProfileSuffix) &&
            path.size() >= kProfilePrefix.size() + kProfileSuffix.size()) {
            const std::string name = PercentDecode(
                path.substr(kProfilePrefix.size(),
                            path.size() - kProfilePrefix.size() - kProfileSuffix.size()));
            std::optional<std::string> body;
            {
                std::lock_guard lock(m_mutex);
                if (const auto page = m_pages.find(name); page != m_pages.end())
                    body = ReplaceAll(page->second, kOriginPlaceholder, origin);
            }
            if (!body) {
                const SampleUser* user = FindSampleUser(name);
                body = user ? ProfilePage(*user, origin) : NotFoundPage(origin);
            }
            response.set_content(*body, "text/html; charset=utf-8");
            return;
        }
        if (path.starts_with(kPortraitPrefix) && path.ends_with(kPortraitSuffix)) {
            const std::string_view id =
                path.substr(kPortraitPrefix.size(),
                            path.size() - kPortraitPrefix.size() - kPortraitSuffix.size());
            bool known = id.empty();
            for (const SampleUser& user : SampleUsers())
                known = known || user.portraitId == id;
            if (known) {
                response.set_content(AvatarPng(id), "image/png");
                return;
            }
        }
        if (path == "/qconn/wpa/button/button_131.gif") {
            response.set_content(ContactButtonGif(), "image/gif");
            return;
        }
        if (path == "/widget/wpa/login.html") {
            response.set_content(LoginPage(QueryOf(request.target)), "text/html; charset=utf-8");
            return;
        }
        if (path == "/widget/wpa/chat.html") {
            response.set_content(ChatPage(), "text/html; charset=utf-8");
            return;
        }
        if (path == "/msgrd") {
            response.set_content(ContactPage(), "text/html; charset=utf-8");
            return;
        }
        if (path == "/") {
            response.set_content(HomePage(), "text/html; charset=utf-8");
            return;
        }
        response.status = 404;
        response.set_content("<html><body>404 Not Found</body></html>", "text/html");
    });
    server.Post("/widget/wpa/login",
                [](const httplib::Request& request, httplib::Response& response) {
                    response.set_redirect("/widget/wpa/chat.html" + QueryOf(request.target), 302);
                });
}

bool SampleService::Start(int port) {
    if (m_thread.joinable())
        return true;
    if (port == 0) {
        m_port = m_server->bind_to_any_port("127.0.0.1");
    } else {
        m_port = m_server->bind_to_port("127.0.0.1", port) ? port : -1;
    }
    if (m_port <= 0) {
        m_port = 0;
        return false;
    }
    m_thread = std::thread([this] { m_server->listen_after_bind(); });
    while (!m_server->is_running())
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    return true;
}

void SampleService::Stop() {
    if (!m_thread.joinable())
        return;
    m_server->stop();
    m_thread.join();
}

std::string SampleService::Origin() const {
    return "http://127.0.0.1:" + std::to_string(m_port);
}

std::vector<std::string> SampleService::RequestTargets() const {
    std::lock_guard lock(m_mutex);
    return m_targets;
}

} // namespace quorlen::demo
