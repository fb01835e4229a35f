// FillProfileSections searches through PageSearch, which walks character boundaries only
// from the nearest one it knows. Here it runs beside the plain algorithm, written with
// FindMarker and CutBetween on the whole page, on random pages made of the markers, labels
// and headings, two-byte characters and stray lead bytes that shift the boundaries.
#include "query/display_model.h"
#include "query/find_marker.h"
#include "query/gbk_test_text.h"
#include "query/page_search.h"
#include "query/profile_fields.h"

#include <gtest/gtest.h>
#include <random>

namespace quorlen {
namespace {

using testing::Gbk;

void PlainFill(Display& display, std::string_view page) {
    const std::span<const ProfileField> fields = ProfileFieldTable();
    for (const ProfileField& field : fields.first(25)) {
        const int heading = FindMarker(page, field.heading);
        if (heading == -1)
            continue;
        int position = FindMarker(page, field.label, heading);
        if (position == -1)
            continue;
        const Text value = CutBetween(page, field.front, field.back, position);
        display.SetText(field.control, JoinTexts({field.prefix, value}));
        display.SetTextColor(field.control, 65280);
    }
    const int heading = FindMarker(page, fields[25].heading);
    if (heading == -1)
        return;
    int position = 0;
    for (std::size_t row = 25; row < 28; ++row) {
        const ProfileField& field = fields[row];
        const int label = FindMarker(page, field.label, row == 25 ? heading : position);
        if (label == -1)
            continue;
        position = label;
        const Text company = CutBetween(page, field.front, field.back, position);
        display.SetText(field.control, JoinTexts({field.prefix, company}));
        display.SetTextColor(field.control, 65280);
        const Text years = CutBetween(page, field.yearsFront, field.yearsBack, position);
        display.SetText(field.control,
                        JoinTexts({field.prefix, company, field.yearsPrefix, years}));
    }
}

std::vector<std::string> Pieces() {
    std::vector<std::string> pieces = {
        "profile-cnt>", "<span>", "</span>", "ile-corp-exp>", "x", " ", "<", ">", "\x80",
        // Lead bytes that pair with what follows and so move every boundary after them.
        "\x81", "\xD6", "\xB0"};
    for (const char* text : {"基本资料", "详细资料", "兴趣爱好", "教育背景", "工作信息", "性别",
                             "生日", "个人简介", "性格", "大学", "其他", "其他爱好", "公司", "中"})
        pieces.push_back(Gbk(text));
    // The second byte of 性 followed by the first of 别, and such: labels seen off-boundary.
    pieces.push_back("\xD4\xB1");
    pieces.push_back("\xCB\xB9\xAB");
    return pieces;
}

TEST(FillProfileSections, MatchesThePlainAlgorithmOnRandomPages) {
    const std::vector<std::string> pieces = Pieces();
    std::mt19937 random(20240601);
    for (int round = 0; round < 3000; ++round) {
        std::string page;
        const int count = std::uniform_int_distribution<int>(0, 120)(random);
        for (int i = 0; i < count; ++i)
            page +=
                pieces[std::uniform_int_distribution<std::size_t>(0, pieces.size() - 1)(random)];
        DisplayModel fast;
        DisplayModel plain;
        FillProfileSections(fast, page);
        PlainFill(plain, page);
        const std::vector<DisplayWrite> fastWrites = fast.Writes();
        const std::vector<DisplayWrite> plainWrites = plain.Writes();
        ASSERT_EQ(fastWrites.size(), plainWrites.size()) << "round " << round;
        for (std::size_t i = 0; i < fastWrites.size(); ++i) {
            ASSERT_EQ(fastWrites[i].control, plainWrites[i].control) << "round " << round;
            ASSERT_EQ(fastWrites[i].text, plainWrites[i].text) << "round " << round;
        }
    }
}

TEST(PageSearch, FindsWhatFindMarkerFindsFromAnyStart) {
    const std::vector<std::string> pieces = Pieces();
    // Markers must be whole characters; the lone lead bytes only go into the page.
    std::vector<std::string> markers;
    for (const std::string& piece : pieces) {
        std::size_t at = 0;
        while (at < piece.size())
            at += IsGbkLeadByte(static_cast<unsigned char>(piece[at])) ? 2 : 1;
        if (at == piece.size())
            markers.push_back(piece);
    }
    std::mt19937 random(7);
    for (int round = 0; round < 2000; ++round) {
        std::string page;
        const int count = std::uniform_int_distribution<int>(0, 60)(random);
        for (int i = 0; i < count; ++i)
            page +=
                pieces[std::uniform_int_distribution<std::size_t>(0, pieces.size() - 1)(random)];
        PageSearch search(page);
        // A run of searches, as the fill makes them: each from an earlier result or anywhere.
        int start = 0;
        for (int i = 0; i < 8; ++i) {
            const std::string& marker =
                markers[std::uniform_int_distribution<std::size_t>(0, markers.size() - 1)(random)];
            if (std::uniform_int_distribution<int>(0, 3)(random) == 0)
                start = std::uniform_int_distribution<int>(-1, TextLength(page) + 2)(random);
            const int expected = FindMarker(page, marker, start);
            ASSERT_EQ(search.Find(marker, start), expected) << "round " << round;
            if (expected != -1)
                start = expected + TextLength(marker);
        }
    }
}

} // namespace
} // namespace quorlen
