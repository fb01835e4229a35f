#pragma once

#include "text/text.h"

#include <optional>
#include <string>
#include <string_view>

namespace quorlen {

// The addresses the program talks to. Each is built from the scheme and host of one of the
// services below; a maintainer replaces the hosts, the account and the tokens here.

// The profile service: its profile pages live under this origin.
inline constexpr std::string_view kProfileServiceOrigin = "http://www.baidu.com";
// The profile service's home page, a bare host name.
inline constexpr std::string_view kServiceHomeHost = "hi.baidu.com";
// The host of the profile service's avatar images, as its pages carry them.
inline constexpr std::string_view kAvatarImageOrigin = "http://himg.bdimg.com";
// The messenger's web chat widget pages.
inline constexpr std::string_view kMessengerWidgetOrigin = "http://webpresence.qq.com";
// The messenger's contact link.
inline constexpr std::string_view kMessengerContactOrigin = "http://wpa.qq.com";
// The messenger's images (the contact button).
inline constexpr std::string_view kMessengerImageOrigin = "http://pub.idqqimg.com";
// The messenger account of the program's maker, nine decimal digits.
inline constexpr std::string_view kContactAccount = "400082136";
// The two widget tokens the messenger issued for that account (96 and 80 hex digits).
inline constexpr std::string_view kWidgetTokenT =
    "7f3c0a91d25e4b86c17f0e3a9b42d58c6e01f7a3b95c2d48e6a10f37c9b52e84d06a1f93c7e25b48a0d61e9f"
    "37b2c58a";
inline constexpr std::string_view kWidgetTokenU =
    "c2a95e07d14b3f68a0e27c95b13d4f86e09a2c71b53e8d04f6a19c27e85b30d4a7f1c96e02b58d3a";

// Every address of the program, with the origin override (if any) applied.
struct ServiceConfig {
    Text profileBaseAddress;        // the profile page is this + "/p/" + name + "/detail"
    Text defaultPortraitAddress;    // the avatar the service gives a user that does not exist
    Text loginPageAddress;          // the chat widget's login page
    Text chatPageAddress;           // the chat widget's chat page
    Text contactAddress;            // opens a chat with the maker
    Text contactButtonImageAddress; // the picture of the contact button
    Text serviceHomeAddress;        // the profile service's home page, a bare host name
};

// The addresses as built in.
ServiceConfig BuiltInServiceConfig();

// The addresses with `origin` (scheme and host, for example "http://127.0.0.1:8089", a
// trailing "/" allowed) in place of the scheme and host of every built-in address, and its
// host (with port) as the bare home host. An empty origin gives the built-in addresses;
// nullopt when the origin is not an http or https scheme with a host and optional port.
std::optional<ServiceConfig> ServiceConfigForOrigin(std::string_view origin);

// The name of the environment variable that overrides the origin.
inline constexpr std::string_view kServiceOriginVariable = "QUORLEN_SERVICE_ORIGIN";

// The override from the environment, read once at start; empty when it is not set.
std::string ServiceOriginFromEnvironment();

} // namespace quorlen
