#include "query/profile_address.h"

#include "codec/url_encode.h"

namespace quorlen {

Text ProfileAddress(std::string_view profileBase, std::string_view gbkName) {
    return JoinTexts({profileBase, "/p/", UrlEncode(gbkName), "/detail"});
}

} // namespace quorlen
