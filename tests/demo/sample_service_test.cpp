#include "demo/profile_page.h"
#include "demo/sample_images.h"
#include "demo/sample_service.h"
#include "demo/sample_users.h"
#include "query/gbk_test_text.h"

#include <gtest/gtest.h>
#include <httplib.h>
#include <set>

namespace quorlen::demo {
namespace {

using quorlen::testing::Gbk;

std::uint32_t BigEndian32(std::string_view bytes, std::size_t at) {
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < 4; ++i)
        value = value << 8 | static_cast<std::uint8_t>(bytes[at + i]);
    return value;
}

// Reads the chunks of a PNG and checks each one's CRC, the header, and that the stored
// deflate blocks hold exactly the filtered rows.
void ExpectValidPng(std::string_view png, int width, int height) {
    ASSERT_EQ(png.substr(0, 8), std::string_view("\x89PNG\r\n\x1A\n", 8));
    std::size_t at = 8;
    std::string idat;
    std::vector<std::string> types;
    while (at + 12 <= png.size()) {
        const std::uint32_t length = BigEndian32(png, at);
        const std::string_view typeAndData = png.substr(at + 4, 4 + length);
        std::uint32_t crc = 0xFFFFFFFFu;
        for (const char byte : typeAndData) {
            crc ^= static_cast<std::uint8_t>(byte);
            for (int k = 0; k < 8; ++k)
                crc = (crc & 1) ? 0xEDB88320u ^ (crc >> 1) : crc >> 1;
        }
        EXPECT_EQ(crc ^ 0xFFFFFFFFu, BigEndian32(png, at + 8 + length));
        types.emplace_back(typeAndData.substr(0, 4));
        if (types.back() == "IHDR") {
            EXPECT_EQ(BigEndian32(typeAndData, 4), static_cast<std::uint32_t>(width));
            EXPECT_EQ(BigEndian32(typeAndData, 8), static_cast<std::uint32_t>(height));
        }
        if (types.back() == "IDAT")
            idat += typeAndData.substr(4);
        at += 12 + length;
    }
    EXPECT_EQ(at, png.size());
    EXPECT_EQ(types, (std::vector<std::string>{"IHDR", "IDAT", "IEND"}));
    std::size_t raw = 0;
    for (std::size_t block = 2; block + 5 <= idat.size() - 4;) {
        const std::size_t size = static_cast<std::uint8_t>(idat[block + 1]) |
                                 static_cast<std::uint8_t>(idat[block + 2]) << 8;
        raw += size;
        block += 5 + size;
    }
    EXPECT_EQ(raw, static_cast<std::size_t>(height) * (1 + 3 * width));
}

TEST(SampleImages, AvatarsAreRealPngsThatDifferPerUser) {
    std::set<std::string> avatars;
    for (const SampleUser& user : SampleUsers()) {
        const std::string avatar = AvatarPng(user.portraitId);
        ExpectValidPng(avatar, 100, 100);
        avatars.insert(avatar);
        EXPECT_EQ(AvatarPng(user.portraitId), avatar); // the same every time
    }
    ExpectValidPng(AvatarPng(""), 100, 100);
    avatars.insert(AvatarPng(""));
    EXPECT_EQ(avatars.size(), SampleUsers().size() + 1);
}

TEST(SampleImages, GifDecodesToItsPixels) {
    const std::vector<Rgb> palette = {{0, 0, 0}, {255, 0, 0}, {0, 255, 0}};
    std::vector<std::uint8_t> indices(40 * 30);
    for (std::size_t i = 0; i < indices.size(); ++i)
        indices[i] = static_cast<std::uint8_t>(i * 7 % 3);
    const std::string gif = EncodeGif(40, 30, palette, indices);
    ASSERT_EQ(gif.substr(0, 6), "GIF89a");
    ASSERT_EQ(gif.back(), ';');

    // A plain LZW decoder of the image data.
    std::size_t at = 13 + 768 + 10;
    const int minimumCodeSize = gif[at++];
    std::string data;
    while (static_cast<std::uint8_t>(gif[at]) != 0) {
        const std::size_t size = static_cast<std::uint8_t>(gif[at]);
        data += gif.substr(at + 1, size);
        at += 1 + size;
    }
    const unsigned clear = 1u << minimumCodeSize, end = clear + 1;
    std::vector<std::vector<std::uint8_t>> table;
    unsigned width = 0;
    std::vector<std::uint8_t> previous, pixels;
    const auto reset = [&] {
        table.assign(clear + 2, {});
        for (unsigned i = 0; i < clear; ++i)
            table[i] = {static_cast<std::uint8_t>(i)};
        width = minimumCodeSize + 1;
        previous.clear();
    };
    reset();
    std::size_t bit = 0;
    while (bit + width <= data.size() * 8) {
        unsigned code = 0;
        for (unsigned i = 0; i < width; ++i, ++bit)
            code |= ((static_cast<std::uint8_t>(data[bit / 8]) >> (bit % 8)) & 1u) << i;
        if (code == clear) {
            reset();
            continue;
        }
        if (code == end)
            break;
        ASSERT_LT(code, table.size() + (previous.empty() ? 0 : 1));
        std::vector<std::uint8_t> entry = code < table.size() ? table[code] : previous;
        if (code == table.size())
            entry.push_back(previous[0]);
        pixels.insert(pixels.end(), entry.begin(), entry.end());
        if (!previous.empty()) {
            previous.push_back(entry[0]);
            table.push_back(previous);
            if (table.size() == (1u << width) && width < 12)
                ++width;
        }
        previous = entry;
    }
    EXPECT_EQ(pixels, indices);
    EXPECT_EQ(ContactButtonGif().substr(0, 6), "GIF89a");
}

TEST(SampleUsers, NamesAndPagesSuitTheQuery) {
    for (const SampleUser& user : SampleUsers()) {
        EXPECT_EQ(user.gbkName, Gbk(user.name));
        EXPECT_EQ(FindSampleUser(user.gbkName), &user);
        const std::string page = ProfilePage(user, "http://127.0.0.1:1");
        // The whole page is percent-decoded when read, so a "%" would eat what follows.
        EXPECT_EQ(page.find('%'), std::string::npos);
        EXPECT_NE(page.find("stylesheet"), std::string::npos);
        EXPECT_LT(page.find("stylesheet"), page.find("</div> </div> <div id=foot>"));
        EXPECT_NE(page.find("portrait-img src=\"http://127.0.0.1:1/sys/portrait/item/" +
                            std::string(user.portraitId) + ".jpg?cdnversion="),
                  std::string::npos);
    }
    EXPECT_EQ(FindSampleUser("nobody"), nullptr);
    const std::string notFound = NotFoundPage("http://h");
    EXPECT_NE(notFound.find("portrait-img src=\"http://h/sys/portrait/item/.jpg?cdnversion="),
              std::string::npos);
    EXPECT_EQ(notFound.find("info-online"), std::string::npos);
}

TEST(SampleService, ServesEveryRoute) {
    SampleService service;
    ASSERT_TRUE(service.Start());
    httplib::Client client("127.0.0.1", service.Port());
    const SampleUser& user = SampleUsers()[0];

    struct Case {
        std::string target;
        int status;
        std::string type;
        std::string contains;
    } cases[] = {
        {"/p/%D5%C5%C8%FD/detail", 200, "text/html; charset=utf-8", "<div class=info-online>在线"},
        // Escapes in lower case name the same bytes.
        {"/p/%d5%c5%c8%fd/detail", 200, "text/html; charset=utf-8", "湖南大学"},
        {"/p/lisi_2008/detail", 200, "text/html; charset=utf-8", "离线"},
        {"/p/nobody/detail", 200, "text/html; charset=utf-8", "/sys/portrait/item/.jpg"},
        {"/p//detail", 200, "text/html; charset=utf-8", "/sys/portrait/item/.jpg"},
        {"/sys/portrait/item/" + std::string(user.portraitId) + ".jpg?cdnversion=1", 200,
         "image/png", "IHDR"},
        {"/sys/portrait/item/.jpg?cdnversion=1", 200, "image/png", "IHDR"},
        {"/sys/portrait/item/unknown.jpg", 404, "text/html", "404"},
        {"/qconn/wpa/button/button_131.gif", 200, "image/gif", "GIF89a"},
        {"/widget/wpa/login.html?tuin=1&sigT=a&sigU=b", 200, "text/html; charset=utf-8",
         "action=\"/widget/wpa/login?tuin=1&sigT=a&sigU=b\""},
        {"/widget/wpa/chat.html?tuin=1", 200, "text/html; charset=utf-8", "<textarea"},
        {"/msgrd?v=3&uin=1&site=qq&menu=yes", 200, "text/html; charset=utf-8", "QQ"},
        {"/", 200, "text/html; charset=utf-8", "百度空间"},
        {"/elsewhere", 404, "text/html", "404"},
    };
    for (const Case& c : cases) {
        const httplib::Result result = client.Get(c.target.c_str());
        ASSERT_TRUE(result) << c.target;
        EXPECT_EQ(result->status, c.status) << c.target;
        EXPECT_EQ(result->get_header_value("Content-Type"), c.type) << c.target;
        EXPECT_NE(result->body.find(c.contains), std::string::npos) << c.target;
    }

    // The login form's post is answered with a redirect to the chat page, query kept.
    const httplib::Result login = client.Post("/widget/wpa/login?tuin=1&sigT=a", "", "text/plain");
    ASSERT_TRUE(login);
    EXPECT_EQ(login->status, 302);
    EXPECT_EQ(login->get_header_value("Location"), "/widget/wpa/chat.html?tuin=1&sigT=a");

    // A page of the test's own, with the origin the request was addressed to.
    service.SetProfilePage(Gbk("张三"), "at {{origin}} and {{origin}}");
    const httplib::Result own = client.Get("/p/%D5%C5%C8%FD/detail");
    ASSERT_TRUE(own);
    EXPECT_EQ(own->body, "at " + service.Origin() + " and " + service.Origin());

    const std::vector<std::string> targets = service.RequestTargets();
    ASSERT_EQ(targets.size(), std::size(cases) + 2);
    EXPECT_EQ(targets[0], "/p/%D5%C5%C8%FD/detail");
}

TEST(SampleService, CannotTakeABusyPort) {
    SampleService first;
    ASSERT_TRUE(first.Start());
    SampleService second;
    EXPECT_FALSE(second.Start(first.Port()));
    EXPECT_EQ(second.Port(), 0);
}

} // namespace
} // namespace quorlen::demo
