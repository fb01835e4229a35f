#include "query/service_config.h"

#include "text/text_case.h"

#include <cstdlib>

namespace quorlen {

namespace {

constexpr std::string_view kSchemeEnd = "://";

bool IsHostByte(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '.' ||
           c == '-' || c == '_';
}

bool IsDigits(std::string_view text) {
    if (text.empty())
        return false;
    for (const char c : text) {
        if (c < '0' || c > '9')
            return false;
    }
    return true;
}

// A host name, an IPv4 address or a bracketed IPv6 address, then an optional ":port".
bool IsAuthority(std::string_view authority) {
    std::string_view host = authority;
    std::string_view port;
    if (!authority.empty() && authority.front() == '[') {
        const std::size_t close = authority.find(']');
        if (close == std::string_view::npos || close == 1)
            return false;
        for (const char c : authority.substr(1, close - 1)) {
            if (!(IsHostByte(c) || c == ':'))
                return false;
        }
        host = authority.substr(0, close + 1);
        const std::string_view rest = authority.substr(close + 1);
        if (!rest.empty()) {
            if (rest.front() != ':')
                return false;
            port = rest.substr(1);
            if (!IsDigits(port))
                return false;
        }
    } else {
        const std::size_t colon = authority.find(':');
        if (colon != std::string_view::npos) {
            host = authority.substr(0, colon);
            port = authority.substr(colon + 1);
            if (!IsDigits(port))
                return false;
        }
        if (host.empty())
            return false;
        for (const char c : host) {
            if (!IsHostByte(c))
                return false;
        }
    }
    if (!port.empty() && (port.size() > 5 || std::stoi(std::string(port)) > 65535))
        return false;
    return true;
}

// Everything after the scheme and host: the path and query ("" when there is none).
std::string_view AfterOrigin(std::string_view address) {
    const std::size_t schemeEnd = address.find(kSchemeEnd);
    const std::size_t hostStart = schemeEnd == std::string_view::npos ? 0 : schemeEnd + 3;
    const std::size_t pathStart = address.find('/', hostStart);
    return pathStart == std::string_view::npos ? std::string_view() : address.substr(pathStart);
}

Text WidgetQuery() {
    return JoinTexts({"tuin=", kContactAccount, "&sigT=", kWidgetTokenT, "&sigU=", kWidgetTokenU});
}

} // namespace

ServiceConfig BuiltInServiceConfig() {
    ServiceConfig config;
    config.profileBaseAddress = Text(kProfileServiceOrigin);
    config.defaultPortraitAddress =
        JoinTexts({kAvatarImageOrigin, "/sys/portrait/item/", ".jpg?cdnversion"});
    config.loginPageAddress =
        JoinTexts({kMessengerWidgetOrigin, "/widget/wpa/login.html?", WidgetQuery()});
    config.chatPageAddress =
        JoinTexts({kMessengerWidgetOrigin, "/widget/wpa/chat.html?", WidgetQuery()});
    config.contactAddress = JoinTexts(
        {kMessengerContactOrigin, "/msgrd?v=3&uin=", kContactAccount, "&site=qq&menu=yes"});
    config.contactButtonImageAddress =
        JoinTexts({kMessengerImageOrigin, "/qconn/wpa/button/button_131.gif"});
    config.serviceHomeAddress = Text(kServiceHomeHost);
    return config;
}

std::optional<ServiceConfig> ServiceConfigForOrigin(std::string_view origin) {
    ServiceConfig config = BuiltInServiceConfig();
    if (origin.empty())
        return config;
    if (origin.back() == '/')
        origin.remove_suffix(1);
    const std::size_t schemeEnd = origin.find(kSchemeEnd);
    if (schemeEnd == std::string_view::npos)
        return std::nullopt;
    const Text scheme = ToLowerAscii(origin.substr(0, schemeEnd));
    if (scheme != "http" && scheme != "https")
        return std::nullopt;
    const std::string_view authority = origin.substr(schemeEnd + kSchemeEnd.size());
    if (!IsAuthority(authority))
        return std::nullopt;
    for (Text* address :
         {&config.profileBaseAddress, &config.defaultPortraitAddress, &config.loginPageAddress,
          &config.chatPageAddress, &config.contactAddress, &config.contactButtonImageAddress})
        *address = JoinTexts({origin, AfterOrigin(*address)});
    config.serviceHomeAddress = Text(authority);
    return config;
}

std::string ServiceOriginFromEnvironment() {
    const char* value = std::getenv(std::string(kServiceOriginVariable).c_str());
    return value ? std::string(value) : std::string();
}

} // namespace quorlen
