#include "web/net_calls.h"

namespace quorlen {

// On Windows each of these looks its function up by name in the system's internet library
// at the moment it is called. Here the functions are our own (platform/inet.h), linked in,
// so there is nothing to look up and nothing that could be missing.

NetHandle NetOpen(const char* agent, std::uint32_t accessType, const char* proxy,
                  const char* proxyBypass, std::uint32_t flags) {
    return InternetOpen(agent, accessType, proxy, proxyBypass, flags);
}

NetHandle NetConnect(NetHandle internet, const char* serverName, int port, const char* userName,
                     const char* password, std::uint32_t service, std::uint32_t flags,
                     std::uintptr_t context) {
    return InternetConnect(internet, serverName, port, userName, password, service, flags, context);
}

NetHandle NetOpenRequest(NetHandle connection, const char* verb, const char* objectName,
                         const char* version, const char* referrer, const char* const* acceptTypes,
                         std::uint32_t flags, std::uintptr_t context) {
    return HttpOpenRequest(connection, verb, objectName, version, referrer, acceptTypes, flags,
                           context);
}

bool NetSendRequest(NetHandle request, const char* headers, std::uint32_t headersLength,
                    const char* optional, std::uint32_t optionalLength) {
    return HttpSendRequest(request, headers, headersLength, optional, optionalLength);
}

bool NetReadFile(NetHandle request, std::uint8_t* buffer, std::uint32_t bytesToRead,
                 std::uint32_t* bytesRead) {
    return InternetReadFile(request, buffer, bytesToRead, bytesRead);
}

bool NetQueryInfo(NetHandle request, std::uint32_t infoLevel, char* buffer,
                  std::uint32_t* bufferLength, std::uint32_t* index) {
    return HttpQueryInfo(request, infoLevel, buffer, bufferLength, index);
}

bool NetSetCookie(const char* url, const char* cookieName, const char* cookieData) {
    return InternetSetCookie(url, cookieName, cookieData);
}

bool NetCloseHandle(NetHandle handle) {
    return InternetCloseHandle(handle);
}

} // namespace quorlen
