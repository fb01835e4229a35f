// The fast decoding routines against the plain reference versions on random input mixing
// ASCII, escapes of every kind, valid and malformed UTF-8, combining marks, surrogates,
// emoji and characters GBK lacks.
#include "codec/byte_diff.h"
#include "codec/reference_conversion.h"
#include "codec/url_decode.h"
#include "codec/utf8_to_gbk.h"
#include "codec/utf8_to_wide.h"
#include "codec/wide_to_gbk.h"

#include <gtest/gtest.h>
#include <random>
#include <thread>
#include <unicode/ustring.h>
#include <unicode/utf16.h>
#include <unicode/utf8.h>
#include <vector>

namespace quorlen {
namespace {

class RandomInput {
public:
    explicit RandomInput(std::uint32_t seed) : m_random(seed) {}

    int Below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(m_random); }
    int Between(int low, int high) {
        return std::uniform_int_distribution<int>(low, high)(m_random);
    }

    // Mostly characters the conversion treats specially: bases that compose, marks,
    // characters with and without a GBK form, and ones beyond the BMP.
    UChar32 CodePoint() {
        static constexpr std::pair<UChar32, UChar32> kRanges[] = {
            {'a', 'z'},         {'A', 'Z'},         {0x00A0, 0x017F},     {0x01CD, 0x01DC},
            {0x0300, 0x036F},   {0x0391, 0x03C9},   {0x0401, 0x0451},     {0x0E01, 0x0E3A},
            {0x1100, 0x1175},   {0x11A8, 0x11C2},   {0x1E00, 0x1EFF},     {0x2000, 0x206F},
            {0x20AC, 0x20AC},   {0x3000, 0x3003},   {0x3041, 0x309C},     {0x30A1, 0x30FC},
            {0x4E00, 0x9FA5},   {0xAC00, 0xAC20},   {0xE000, 0xE010},     {0xF900, 0xFA2D},
            {0xFE30, 0xFE6B},   {0xFEFF, 0xFEFF},   {0xFF01, 0xFF5E},     {0xFFFD, 0xFFFF},
            {0x1F600, 0x1F64F}, {0x20000, 0x20010}, {0x10FFFF, 0x10FFFF},
        };
        const auto& range = kRanges[Below(static_cast<int>(std::size(kRanges)))];
        return Between(range.first, range.second);
    }

    static std::string Utf8Of(UChar32 code) {
        char bytes[4];
        int32_t length = 0;
        U8_APPEND_UNSAFE(bytes, length, code);
        return std::string(bytes, static_cast<std::size_t>(length));
    }

    std::string Escaped(std::string_view bytes) {
        static constexpr char kUpper[] = "0123456789ABCDEF";
        static constexpr char kLower[] = "0123456789abcdef";
        std::string escaped;
        for (const char c : bytes) {
            const char* digits = Below(2) ? kUpper : kLower;
            const auto byte = static_cast<unsigned char>(c);
            escaped += {'%', digits[byte >> 4], digits[byte & 0xF]};
        }
        return escaped;
    }

    // A page of `pieces` random pieces. Without `malformed` it is valid UTF-8 with no
    // escapes and no zero byte.
    std::string Page(int pieces, bool malformed) {
        static constexpr std::string_view kAscii = "abcxyzAEZ019 <>/=\";}:+._-\t\n";
        static constexpr std::string_view kBroken[] = {
            "\xED\xA0\x80", "\xE0\x80\xAD", "\xF4\x90\x80\x80",
            "\xC0\xAF",     "\xE4\xB8",     "\xF0\x9F\x98",
            "\xE4",         "\xFF",         "\xF8\x88",
            "\xED\xBF\xBF",
        };
        static constexpr std::string_view kDigits = "0123456789abcdefABCDEFgG;}% \x80\xE4";
        std::string page;
        for (int i = 0; i < pieces; ++i) {
            switch (malformed ? Below(9) : Below(2)) {
            case 0:
                for (int n = Between(1, 40); n > 0; --n)
                    page +=
                        kAscii[static_cast<std::size_t>(Below(static_cast<int>(kAscii.size())))];
                break;
            case 1:
                page += Utf8Of(CodePoint());
                break;
            case 2:
                page += Escaped(Utf8Of(CodePoint()));
                break;
            case 3:
                page += Escaped(std::string(1, static_cast<char>(Between(1, 255))));
                break;
            case 4:
                // An escape with zero, one or two digits that may not be digits at all.
                page += '%';
                for (int n = Below(3); n > 0; --n)
                    page +=
                        kDigits[static_cast<std::size_t>(Below(static_cast<int>(kDigits.size())))];
                break;
            case 5:
                page += kBroken[Below(static_cast<int>(std::size(kBroken)))];
                break;
            case 6:
                page += static_cast<char>(Between(0x80, 0xFF));
                break;
            case 7:
                // A base and a mark, the commonest composition.
                page += Utf8Of("aeiouAEOnZq"[Below(11)]);
                page += Utf8Of(Between(0x0300, 0x030C));
                break;
            default:
                page += Below(20) == 0 ? std::string(1, '\0') : "%00";
                break;
            }
        }
        return page;
    }

    std::u16string Wide(int units) {
        std::u16string wide;
        while (static_cast<int>(wide.size()) < units) {
            const int kind = Below(12);
            if (kind == 0)
                wide.push_back(static_cast<char16_t>(Between(0xD800, 0xDFFF)));
            else if (kind == 1 && Below(10) == 0)
                wide.push_back(u'\0');
            else if (kind == 2)
                wide.push_back(static_cast<char16_t>(Between(0, 0xFFFF)));
            else
                AppendCodePoint(wide, CodePoint());
        }
        return wide;
    }

    static void AppendCodePoint(std::u16string& wide, UChar32 code) {
        if (code <= 0xFFFF) {
            wide.push_back(static_cast<char16_t>(code));
        } else {
            wide.push_back(static_cast<char16_t>(U16_LEAD(code)));
            wide.push_back(static_cast<char16_t>(U16_TRAIL(code)));
        }
    }

private:
    std::mt19937 m_random;
};

TEST(CodecDifferential, UrlDecodeMatchesThePlainStages) {
    RandomInput random(20240611);
    for (int round = 0; round < 3000; ++round) {
        const std::string page = random.Page(random.Between(0, 60), true);
        ASSERT_EQ(ShowBytes(PercentDecode(page)), ShowBytes(reference::PercentDecode(page)))
            << "page " << ShowBytes(page);
        ASSERT_EQ(FirstDifference(UrlDecodeUtf8(page), reference::UrlDecodeUtf8(page)), "")
            << "page " << ShowBytes(page);
    }
}

TEST(CodecDifferential, Utf8ToGbkMatchesWideToGbkOfUtf8ToWide) {
    RandomInput random(7);
    for (int round = 0; round < 3000; ++round) {
        const std::string utf8 = random.Page(random.Between(0, 60), true);
        const std::u16string wide = Utf8ToWide(utf8);
        ASSERT_EQ(wide, reference::Utf8ToWide(utf8)) << "input " << ShowBytes(utf8);
        ASSERT_EQ(FirstDifference(Utf8ToGbk(utf8), reference::WideToGbk(wide)), "")
            << "input " << ShowBytes(utf8);
    }
}

TEST(CodecDifferential, WideToGbkMatchesTheConverter) {
    RandomInput random(11);
    for (int round = 0; round < 3000; ++round) {
        const std::u16string wide = random.Wide(random.Between(0, 50));
        const std::string shown(reinterpret_cast<const char*>(wide.data()), wide.size() * 2);
        ASSERT_EQ(FirstDifference(WideToGbk(wide), reference::WideToGbk(wide)), "")
            << "UTF-16LE " << ShowBytes(shown);
    }
}

// On valid UTF-8 every decoder agrees; only the counting of U+FFFD is Windows' own.
TEST(CodecDifferential, Utf8ToWideMatchesIcuOnValidUtf8) {
    RandomInput random(3);
    for (int round = 0; round < 2000; ++round) {
        const std::string utf8 = random.Page(random.Between(0, 60), false);
        std::u16string expected(utf8.size(), u'\0');
        int32_t length = 0;
        UErrorCode error = U_ZERO_ERROR;
        u_strFromUTF8(reinterpret_cast<UChar*>(expected.data()),
                      static_cast<int32_t>(expected.size()), &length, utf8.data(),
                      static_cast<int32_t>(utf8.size()), &error);
        ASSERT_TRUE(U_SUCCESS(error));
        expected.resize(static_cast<std::size_t>(length));
        ASSERT_EQ(Utf8ToWide(utf8), expected) << "input " << ShowBytes(utf8);
    }
}

// Profile workers decode pages side by side, and the first of them builds the shared
// table while the others may already be waiting for it.
TEST(CodecDifferential, ConcurrentDecodingAgrees) {
    RandomInput random(5);
    std::string page;
    while (page.size() < 200000)
        page += random.Page(50, true);
    const Text expected = reference::UrlDecodeUtf8(page);
    std::vector<Text> results(4);
    std::vector<std::thread> workers;
    for (Text& result : results)
        workers.emplace_back([&page, &result] { result = UrlDecodeUtf8(page); });
    for (std::thread& worker : workers)
        worker.join();
    for (const Text& result : results)
        EXPECT_EQ(FirstDifference(result, expected), "");
}

} // namespace
} // namespace quorlen
