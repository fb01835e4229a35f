#include "web/url_split.h"

#include "text/text_case.h"
#include "text/text_search.h"
#include "web/port_number.h"

namespace quorlen {

namespace {

constexpr std::string_view kScheme = "http://";

struct AddressPieces {
    std::string_view host;
    std::string_view path; // empty when no "/" follows the host part
};

AddressPieces SplitAddress(std::string_view address) {
    const bool hasScheme = address.size() >= kScheme.size() &&
                           FindText(address.substr(0, kScheme.size()), kScheme, 1, true) == 1;
    const std::size_t hostStart = hasScheme ? kScheme.size() : 0;
    const int slash = FindText(address, "/", static_cast<int>(hostStart) + 1);
    if (slash == -1)
        return {address.substr(hostStart), {}};
    const auto slashOffset = static_cast<std::size_t>(slash) - 1;
    return {address.substr(hostStart, slashOffset - hostStart), address.substr(slashOffset)};
}

} // namespace

Text UrlHost(std::string_view address, bool stripPort) {
    std::string_view host = SplitAddress(address).host;
    if (stripPort) {
        const int colon = FindText(host, ":");
        if (colon != -1)
            host = host.substr(0, static_cast<std::size_t>(colon) - 1);
    }
    return ToLowerAscii(host);
}

int UrlPort(std::string_view address) {
    const std::string_view host = SplitAddress(address).host;
    const int colon = FindText(host, ":");
    if (colon == -1)
        return 80;
    return ReadPortNumber(host.substr(static_cast<std::size_t>(colon)));
}

Text UrlPath(std::string_view address) {
    const std::string_view path = SplitAddress(address).path;
    return path.empty() ? Text("/") : Text(path);
}

} // namespace quorlen
