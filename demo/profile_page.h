#pragma once

#include "demo/sample_users.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace quorlen::demo {

// The page furniture that real profile pages carry around the profile (style sheets,
// scripts, navigation): about 50 KB by default.
inline constexpr std::size_t kDefaultFurnitureBytes = 50 * 1024;

// The profile page of a user, UTF-8 HTML shaped like the service's own: the style sheet link,
// inline style and script, the avatar under `origin`, the online block, the five sections and
// the footer. `furnitureBytes` sets the size of the inline style and script before the
// profile. The page holds no "%", since the whole page is percent-decoded when read.
std::string ProfilePage(const SampleUser& user, std::string_view origin,
                        std::size_t furnitureBytes = kDefaultFurnitureBytes);

// The service's answer for a name it does not know: the same page without sections or online
// block and with the default avatar, whose portrait identifier is empty.
std::string NotFoundPage(std::string_view origin);

// The avatar address of a portrait identifier under `origin`.
std::string PortraitAddress(std::string_view origin, std::string_view portraitId);

} // namespace quorlen::demo
