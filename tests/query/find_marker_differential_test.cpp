// The fast FindMarker against a plain transcription of its defining steps, on random
// GBK-like texts where near-matches, lead bytes and case variants are common.
#include "query/find_marker.h"

#include <gtest/gtest.h>
#include <random>
#include <string>

namespace quorlen {
namespace {

bool BytesMatch(unsigned char t, unsigned char m, bool ignoreCase) {
    if (t == m)
        return true;
    if (!ignoreCase || t >= 0x80 || (t ^ m) != 0x20)
        return false;
    const unsigned char flipped = t ^ 0x20;
    return (flipped >= 'A' && flipped <= 'Z') || (flipped >= 'a' && flipped <= 'z');
}

int ReferenceFindMarker(const std::string& text, const std::string& marker, int start,
                        bool ignoreCase) {
    if (text.empty() || marker.empty())
        return -1;
    const long offset = start < 1 ? 0 : start - 1;
    if (static_cast<long>(marker.size()) > static_cast<long>(text.size()) - offset)
        return -1;
    const long last = static_cast<long>(text.size() - marker.size()) + 1;
    for (long candidate = offset + 1; candidate <= last; ++candidate) {
        bool matches = true;
        for (std::size_t i = 0; i < marker.size() && matches; ++i)
            matches = BytesMatch(static_cast<unsigned char>(text[candidate - 1 + i]),
                                 static_cast<unsigned char>(marker[i]), ignoreCase);
        if (!matches)
            continue;
        long walk = 1;
        while (walk < candidate)
            walk += static_cast<unsigned char>(text[walk - 1]) > 0x80 ? 2 : 1;
        if (walk != candidate)
            continue;
        if (ignoreCase) {
            bool secondBytesEqual = true;
            for (std::size_t i = 0; i < marker.size(); ++i) {
                if (static_cast<unsigned char>(marker[i]) > 0x80) {
                    ++i;
                    if (i < marker.size() && marker[i] != text[candidate - 1 + i])
                        secondBytesEqual = false;
                }
            }
            if (!secondBytesEqual)
                continue;
        }
        return static_cast<int>(candidate);
    }
    return -1;
}

// A small alphabet so that matches, misaligned matches and case twins are frequent.
std::string RandomGbkLike(std::mt19937& random, int maxLength) {
    static constexpr unsigned char kAlphabet[] = {'a',  'A',  'b',  'B',  '[',  '{',  0x80,
                                                  0x81, 0xB0, 0xD6, 0xD0, 0x41, 0x61, 0xFF};
    std::uniform_int_distribution<int> length(0, maxLength);
    std::uniform_int_distribution<int> pick(0, sizeof kAlphabet - 1);
    std::string text(static_cast<std::size_t>(length(random)), '\0');
    for (char& c : text)
        c = static_cast<char>(kAlphabet[pick(random)]);
    return text;
}

TEST(FindMarkerDifferential, AgreesWithThePlainAlgorithmOnRandomTexts) {
    std::mt19937 random(20261211);
    int found = 0;
    for (int round = 0; round < 4000; ++round) {
        const std::string text = RandomGbkLike(random, 40);
        const std::string marker = RandomGbkLike(random, 4);
        for (bool ignoreCase : {false, true}) {
            for (int start = -1; start <= static_cast<int>(text.size()) + 2; ++start) {
                const int expected = ReferenceFindMarker(text, marker, start, ignoreCase);
                ASSERT_EQ(FindMarker(text, marker, start, ignoreCase), expected)
                    << "round " << round << " start " << start << " ignoreCase " << ignoreCase;
                found += expected != -1;
            }
        }
    }
    // Guard against a generator that never produces matches, which would prove nothing.
    EXPECT_GT(found, 10000);
}

} // namespace
} // namespace quorlen
