#pragma once

#include "platform/inet.h"

#include <cstdint>

namespace quorlen {

// The web request reaches the internet functions only through these eight calls, one for
// each function it uses, with the arguments in the platform's order. Texts are
// zero-terminated, null where the caller passes no value; the truth results say whether
// the platform reported success.
using NetHandle = InetHandle;

NetHandle NetOpen(const char* agent, std::uint32_t accessType, const char* proxy,
                  const char* proxyBypass, std::uint32_t flags);
NetHandle NetConnect(NetHandle internet, const char* serverName, int port, const char* userName,
                     const char* password, std::uint32_t service, std::uint32_t flags,
                     std::uintptr_t context);
NetHandle NetOpenRequest(NetHandle connection, const char* verb, const char* objectName,
                         const char* version, const char* referrer, const char* const* acceptTypes,
                         std::uint32_t flags, std::uintptr_t context);
bool NetSendRequest(NetHandle request, const char* headers, std::uint32_t headersLength,
                    const char* optional, std::uint32_t optionalLength);
bool NetReadFile(NetHandle request, std::uint8_t* buffer, std::uint32_t bytesToRead,
                 std::uint32_t* bytesRead);
bool NetQueryInfo(NetHandle request, std::uint32_t infoLevel, char* buffer,
                  std::uint32_t* bufferLength, std::uint32_t* index);
bool NetSetCookie(const char* url, const char* cookieName, const char* cookieData);
bool NetCloseHandle(NetHandle handle);

} // namespace quorlen
