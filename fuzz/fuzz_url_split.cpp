// Takes arbitrary bytes apart as an address; the pieces must be consistent with it.
#include "web/url_split.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view address(reinterpret_cast<const char*>(data), size);
    const auto host = quorlen::UrlHost(address);
    const auto server = quorlen::UrlHost(address, true);
    const auto path = quorlen::UrlPath(address);
    (void)quorlen::UrlPort(address);
    if (server.size() > host.size() || host.compare(0, server.size(), server) != 0)
        __builtin_trap();
    if (path.empty() || path[0] != '/')
        __builtin_trap();
    if (host.size() + path.size() > size + 1)
        __builtin_trap();
    return 0;
}
