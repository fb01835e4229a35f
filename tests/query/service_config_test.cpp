#include "query/service_config.h"

#include <gtest/gtest.h>

namespace quorlen {
namespace {

TEST(ServiceConfig, BuiltInAddressesHaveTheirFixedPaths) {
    const ServiceConfig config = BuiltInServiceConfig();
    EXPECT_EQ(config.profileBaseAddress, "http://www.baidu.com");
    EXPECT_EQ(config.defaultPortraitAddress,
              "http://himg.bdimg.com/sys/portrait/item/.jpg?cdnversion");
    EXPECT_EQ(config.contactButtonImageAddress,
              "http://pub.idqqimg.com/qconn/wpa/button/button_131.gif");
    EXPECT_EQ(config.contactAddress, JoinTexts({"http://wpa.qq.com/msgrd?v=3&uin=", kContactAccount,
                                                "&site=qq&menu=yes"}));
    const Text query =
        JoinTexts({"?tuin=", kContactAccount, "&sigT=", kWidgetTokenT, "&sigU=", kWidgetTokenU});
    EXPECT_EQ(config.loginPageAddress,
              JoinTexts({"http://webpresence.qq.com/widget/wpa/login.html", query}));
    EXPECT_EQ(config.chatPageAddress,
              JoinTexts({"http://webpresence.qq.com/widget/wpa/chat.html", query}));
    EXPECT_EQ(config.serviceHomeAddress, "hi.baidu.com");
    EXPECT_EQ(kContactAccount.size(), 9u);
    EXPECT_EQ(kWidgetTokenT.size(), 96u);
    EXPECT_EQ(kWidgetTokenU.size(), 80u);
    EXPECT_EQ(kWidgetTokenT.find_first_not_of("0123456789abcdef"), std::string_view::npos);
    EXPECT_EQ(kWidgetTokenU.find_first_not_of("0123456789abcdef"), std::string_view::npos);
}

TEST(ServiceConfig, AnOriginReplacesSchemeAndHostOfEveryAddress) {
    const std::optional<ServiceConfig> config = ServiceConfigForOrigin("http://127.0.0.1:8089/");
    ASSERT_TRUE(config);
    EXPECT_EQ(config->profileBaseAddress, "http://127.0.0.1:8089");
    EXPECT_EQ(config->defaultPortraitAddress,
              "http://127.0.0.1:8089/sys/portrait/item/.jpg?cdnversion");
    EXPECT_EQ(config->contactButtonImageAddress,
              "http://127.0.0.1:8089/qconn/wpa/button/button_131.gif");
    EXPECT_EQ(config->contactAddress.rfind("http://127.0.0.1:8089/msgrd?v=3&uin=", 0), 0u);
    EXPECT_EQ(
        config->loginPageAddress.rfind("http://127.0.0.1:8089/widget/wpa/login.html?tuin=", 0), 0u);
    EXPECT_EQ(config->chatPageAddress.rfind("http://127.0.0.1:8089/widget/wpa/chat.html?tuin=", 0),
              0u);
    EXPECT_EQ(config->serviceHomeAddress, "127.0.0.1:8089");

    EXPECT_EQ(ServiceConfigForOrigin("")->profileBaseAddress, "http://www.baidu.com");
}

TEST(ServiceConfig, RejectsOriginsThatAreNotSchemeAndHost) {
    struct Case {
        const char* origin;
        bool valid;
    } cases[] = {
        {"http://localhost", true},    {"HTTPS://Example.COM:443", true},
        {"http://[::1]:8080", true},   {"http://127.0.0.1:65535", true},
        {"127.0.0.1:8089", false},     {"ftp://host", false},
        {"file:///etc/passwd", false}, {"http://", false},
        {"http://host/path", false},   {"http://host?x", false},
        {"http://user@host", false},   {"http://host:", false},
        {"http://host:65536", false},  {"http://host:123456", false},
        {"http://host:8x", false},     {"http://ho st", false},
        {"http://[::1", false},        {"http://[]", false},
        {"http://[::1]x", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ServiceConfigForOrigin(c.origin).has_value(), c.valid) << c.origin;
}

} // namespace
} // namespace quorlen
