#include "query/profile_fields.h"

#include "query/control_names.h"
#include "query/page_search.h"

#include <array>

namespace quorlen {

namespace {

using namespace controls;

constexpr std::string_view kBasicHeading = "\xBB\xF9\xB1\xBE\xD7\xCA\xC1\xCF";     // 基本资料
constexpr std::string_view kDetailHeading = "\xCF\xEA\xCF\xB8\xD7\xCA\xC1\xCF";    // 详细资料
constexpr std::string_view kInterestsHeading = "\xD0\xCB\xC8\xA4\xB0\xAE\xBA\xC3"; // 兴趣爱好
constexpr std::string_view kEducationHeading = "\xBD\xCC\xD3\xFD\xB1\xB3\xBE\xB0"; // 教育背景
constexpr std::string_view kWorkHeading = "\xB9\xA4\xD7\xF7\xD0\xC5\xCF\xA2";      // 工作信息
constexpr std::string_view kCompanyLabel = "\xB9\xAB\xCB\xBE";                     // 公司
constexpr std::string_view kCompanyPrefix = "\xB9\xAB\xCB\xBE: ";                  // 公司:
constexpr std::string_view kYearsPrefix = "\r\n\xC4\xEA\xB7\xDD: ";                // \r\n年份:
constexpr std::string_view kCompanyDefault =
    "\xB9\xAB\xCB\xBE: \xCE\xDE\r\n\xC4\xEA\xB7\xDD: \xCE\xDE"; // 公司: 无\r\n年份: 无
constexpr std::string_view kProfileCnt = "profile-cnt>";
constexpr std::string_view kSpanOpen = "<span>";
constexpr std::string_view kSpanClose = "</span>";
constexpr std::string_view kYearsFront = "ile-corp-exp>";

constexpr std::size_t kFirstCompanyRow = 25;

constexpr auto kFields = std::to_array<ProfileField>({
    // 1: 性别 -> 性别: ... / 性别: 无
    {kBasicHeading, "\xD0\xD4\xB1\xF0", kProfileCnt, kSpanClose, "\xD0\xD4\xB1\xF0: ", kGenderField,
     ControlKind::Label, "\xD0\xD4\xB1\xF0: \xCE\xDE"},
    // 2: 生日 -> 生日: ... / 生日: 无
    {kBasicHeading, "\xC9\xFA\xC8\xD5", kProfileCnt, kSpanClose,
     "\xC9\xFA\xC8\xD5: ", kBirthdayField, ControlKind::Label, "\xC9\xFA\xC8\xD5: \xCE\xDE"},
    // 3: 血型 -> 血型: ... / 血型: 无
    {kBasicHeading, "\xD1\xAA\xD0\xCD", kProfileCnt, kSpanClose,
     "\xD1\xAA\xD0\xCD: ", kBloodTypeField, ControlKind::Label, "\xD1\xAA\xD0\xCD: \xCE\xDE"},
    // 4: 出生地 -> 出生地: ... / 出生地: 无
    {kBasicHeading, "\xB3\xF6\xC9\xFA\xB5\xD8", kProfileCnt, kSpanClose,
     "\xB3\xF6\xC9\xFA\xB5\xD8: ", kBirthplaceField, ControlKind::Label,
     "\xB3\xF6\xC9\xFA\xB5\xD8: \xCE\xDE"},
    // 5: 居住地 -> 居住地: ... / 居住地: 无
    {kBasicHeading, "\xBE\xD3\xD7\xA1\xB5\xD8", kProfileCnt, kSpanClose,
     "\xBE\xD3\xD7\xA1\xB5\xD8: ", kResidenceField, ControlKind::Label,
     "\xBE\xD3\xD7\xA1\xB5\xD8: \xCE\xDE"},
    // 6: 个人简介 -> 个人简介: \r\n... / 个人简介: 无
    {kBasicHeading, "\xB8\xF6\xC8\xCB\xBC\xF2\xBD\xE9", kProfileCnt, kSpanClose,
     "\xB8\xF6\xC8\xCB\xBC\xF2\xBD\xE9: \r\n", kProfileTextField, ControlKind::EditBox,
     "\xB8\xF6\xC8\xCB\xBC\xF2\xBD\xE9: \xCE\xDE"},
    // 7: 体型 -> 体型: ... / 体型: 无
    {kDetailHeading, "\xCC\xE5\xD0\xCD", kSpanOpen, kSpanClose,
     "\xCC\xE5\xD0\xCD: ", kBodyTypeField, ControlKind::Label, "\xCC\xE5\xD0\xCD: \xCE\xDE"},
    // 8: 婚姻状态 -> 婚姻状态: ... / 婚姻状态: 无
    {kDetailHeading, "\xBB\xE9\xD2\xF6\xD7\xB4\xCC\xAC", kSpanOpen, kSpanClose,
     "\xBB\xE9\xD2\xF6\xD7\xB4\xCC\xAC: ", kMaritalStatusField, ControlKind::Label,
     "\xBB\xE9\xD2\xF6\xD7\xB4\xCC\xAC: \xCE\xDE"},
    // 9: 个人习惯 -> 个人习惯: ... / 个人习惯: 无
    {kDetailHeading, "\xB8\xF6\xC8\xCB\xCF\xB0\xB9\xDF", kSpanOpen, kSpanClose,
     "\xB8\xF6\xC8\xCB\xCF\xB0\xB9\xDF: ", kHabitsField, ControlKind::Label,
     "\xB8\xF6\xC8\xCB\xCF\xB0\xB9\xDF: \xCE\xDE"},
    // 10: 性格 -> 性格: ... / 性格: 无
    {kDetailHeading, "\xD0\xD4\xB8\xF1", kSpanOpen, kSpanClose,
     "\xD0\xD4\xB8\xF1: ", kCharacterField, ControlKind::Label, "\xD0\xD4\xB8\xF1: \xCE\xDE"},
    // 11: 教育程度 -> 教育程度: ... / 教育程度: 无
    {kDetailHeading, "\xBD\xCC\xD3\xFD\xB3\xCC\xB6\xC8", kSpanOpen, kSpanClose,
     "\xBD\xCC\xD3\xFD\xB3\xCC\xB6\xC8: ", kEducationLevelField, ControlKind::Label,
     "\xBD\xCC\xD3\xFD\xB3\xCC\xB6\xC8: \xCE\xDE"},
    // 12: 当前职业 -> 当前职业: ... / 当前职业: 无
    {kDetailHeading, "\xB5\xB1\xC7\xB0\xD6\xB0\xD2\xB5", kSpanOpen, kSpanClose,
     "\xB5\xB1\xC7\xB0\xD6\xB0\xD2\xB5: ", kOccupationField, ControlKind::Label,
     "\xB5\xB1\xC7\xB0\xD6\xB0\xD2\xB5: \xCE\xDE"},
    // 13: 联系方式 -> 联系方式: ... / 联系方式: 无
    {kDetailHeading, "\xC1\xAA\xCF\xB5\xB7\xBD\xCA\xBD", kSpanOpen, kSpanClose,
     "\xC1\xAA\xCF\xB5\xB7\xBD\xCA\xBD: ", kContactField, ControlKind::EditBox,
     "\xC1\xAA\xCF\xB5\xB7\xBD\xCA\xBD: \xCE\xDE"},
    // 14: 书籍 -> 书籍: ... / 书籍: 无
    {kInterestsHeading, "\xCA\xE9\xBC\xAE", kProfileCnt, kSpanClose,
     "\xCA\xE9\xBC\xAE: ", kBooksField, ControlKind::EditBox, "\xCA\xE9\xBC\xAE: \xCE\xDE"},
    // 15: 音乐 -> 音乐: ... / 音乐: 无
    {kInterestsHeading, "\xD2\xF4\xC0\xD6", kProfileCnt, kSpanClose,
     "\xD2\xF4\xC0\xD6: ", kMusicField, ControlKind::EditBox, "\xD2\xF4\xC0\xD6: \xCE\xDE"},
    // 16: 电影 -> 电影: ... / 电影: 无
    {kInterestsHeading, "\xB5\xE7\xD3\xB0", kProfileCnt, kSpanClose,
     "\xB5\xE7\xD3\xB0: ", kFilmsField, ControlKind::EditBox, "\xB5\xE7\xD3\xB0: \xCE\xDE"},
    // 17: 运动 -> 运动: ... / 运动: 无
    {kInterestsHeading, "\xD4\xCB\xB6\xAF", kProfileCnt, kSpanClose,
     "\xD4\xCB\xB6\xAF: ", kSportsField, ControlKind::EditBox, "\xD4\xCB\xB6\xAF: \xCE\xDE"},
    // 18: 品牌 -> 品牌: ... / 品牌: 无
    {kInterestsHeading, "\xC6\xB7\xC5\xC6", kProfileCnt, kSpanClose,
     "\xC6\xB7\xC5\xC6: ", kBrandsField, ControlKind::EditBox, "\xC6\xB7\xC5\xC6: \xCE\xDE"},
    // 19: 欣赏的人 -> 欣赏的人: ... / 欣赏的人: 无
    {kInterestsHeading, "\xD0\xC0\xC9\xCD\xB5\xC4\xC8\xCB", kProfileCnt, kSpanClose,
     "\xD0\xC0\xC9\xCD\xB5\xC4\xC8\xCB: ", kAdmiredPeopleField, ControlKind::EditBox,
     "\xD0\xC0\xC9\xCD\xB5\xC4\xC8\xCB: \xCE\xDE"},
    // 20: 其他爱好 -> 其他爱好: ... / 其他爱好: 无
    {kInterestsHeading, "\xC6\xE4\xCB\xFB\xB0\xAE\xBA\xC3", kProfileCnt, kSpanClose,
     "\xC6\xE4\xCB\xFB\xB0\xAE\xBA\xC3: ", kOtherHobbiesField, ControlKind::EditBox,
     "\xC6\xE4\xCB\xFB\xB0\xAE\xBA\xC3: \xCE\xDE"},
    // 21: 大学 -> 大学: ... / 大学: 无
    {kEducationHeading, "\xB4\xF3\xD1\xA7", kSpanOpen, kSpanClose,
     "\xB4\xF3\xD1\xA7: ", kUniversityField, ControlKind::Label, "\xB4\xF3\xD1\xA7: \xCE\xDE"},
    // 22: 高中 -> 高中: ... / 高中: 无
    {kEducationHeading, "\xB8\xDF\xD6\xD0", kSpanOpen, kSpanClose,
     "\xB8\xDF\xD6\xD0: ", kHighSchoolField, ControlKind::Label, "\xB8\xDF\xD6\xD0: \xCE\xDE"},
    // 23: 初中 -> 初中: ... / 初中: 无
    {kEducationHeading, "\xB3\xF5\xD6\xD0", kSpanOpen, kSpanClose,
     "\xB3\xF5\xD6\xD0: ", kMiddleSchoolField, ControlKind::Label, "\xB3\xF5\xD6\xD0: \xCE\xDE"},
    // 24: 小学 -> 小学: ... / 小学: 无
    {kEducationHeading, "\xD0\xA1\xD1\xA7", kSpanOpen, kSpanClose,
     "\xD0\xA1\xD1\xA7: ", kPrimarySchoolField, ControlKind::Label, "\xD0\xA1\xD1\xA7: \xCE\xDE"},
    // 25: 其他 -> 其他: ... / 其他: 无
    {kEducationHeading, "\xC6\xE4\xCB\xFB", kSpanOpen, kSpanClose,
     "\xC6\xE4\xCB\xFB: ", kOtherSchoolField, ControlKind::Label, "\xC6\xE4\xCB\xFB: \xCE\xDE"},
    // 26: 公司 -> 公司: ...\r\n年份: ... / 公司: 无\r\n年份: 无
    {kWorkHeading, kCompanyLabel, kSpanClose, kSpanClose, kCompanyPrefix, kCompanyField,
     ControlKind::Label, kCompanyDefault, kYearsFront, kSpanClose, kYearsPrefix},
    // 27: 公司 -> 公司: ...\r\n年份: ... / 公司: 无\r\n年份: 无
    {kWorkHeading, kCompanyLabel, kSpanClose, kSpanClose, kCompanyPrefix, kCompanyField1,
     ControlKind::Label, kCompanyDefault, kYearsFront, kSpanClose, kYearsPrefix},
    // 28: 公司 -> 公司: ...\r\n年份: ... / 公司: 无\r\n年份: 无
    {kWorkHeading, kCompanyLabel, kSpanClose, kSpanClose, kCompanyPrefix, kCompanyField2,
     ControlKind::Label, kCompanyDefault, kYearsFront, kSpanClose, kYearsPrefix},
});

void WriteFound(Display& display, const ProfileField& field, std::string_view text) {
    display.SetText(field.control, text);
    display.SetTextColor(field.control, colors::kGreen);
}

// The company and then its years, both cut from the position the caller walks through the
// work section; `position` ends past the years, or at 0 when a cut failed.
void FillCompany(Display& display, const ProfileField& field, PageSearch& page, int& position) {
    const Text company = page.Cut(field.front, field.back, position);
    Text caption = JoinTexts({field.prefix, company});
    WriteFound(display, field, caption);
    const Text years = page.Cut(field.yearsFront, field.yearsBack, position);
    caption += field.yearsPrefix;
    caption += years;
    display.SetText(field.control, caption);
}

void FillWorkSection(Display& display, PageSearch& page) {
    const std::span<const ProfileField> companies = std::span(kFields).subspan(kFirstCompanyRow);
    const int heading = page.Find(kWorkHeading);
    if (heading == -1)
        return;
    int position = 0;
    const ProfileField& first = companies[0];
    const int label = page.Find(first.label, heading);
    if (label != -1) {
        position = label;
        FillCompany(display, first, page, position);
    }
    // The later rows go on from wherever the previous cut left the position, which is 0 (the
    // top of the page) after a failed cut. The search includes the position itself: a label
    // that begins right after the previous years is the next company, not to be skipped.
    for (const ProfileField& field : companies.subspan(1)) {
        const int next = page.Find(field.label, position);
        if (next == -1)
            continue;
        position = next;
        FillCompany(display, field, page, position);
    }
}

} // namespace

std::span<const ProfileField> ProfileFieldTable() {
    return kFields;
}

void ResetProfileFields(Display& display) {
    for (const ProfileField& field : kFields) {
        display.SetText(field.control, field.defaultText);
        display.SetTextColor(field.control, colors::kBlack);
    }
}

void FillProfileSections(Display& display, std::string_view text) {
    PageSearch page(text);
    std::string_view heading;
    int headingAt = -1;
    for (const ProfileField& field : std::span(kFields).first(kFirstCompanyRow)) {
        // Every label of a section is searched from the section's own heading.
        if (field.heading != heading) {
            heading = field.heading;
            headingAt = page.Find(heading);
        }
        if (headingAt == -1)
            continue;
        int position = page.Find(field.label, headingAt);
        if (position == -1)
            continue;
        const Text value = page.Cut(field.front, field.back, position);
        WriteFound(display, field, JoinTexts({field.prefix, value}));
    }
    FillWorkSection(display, page);
}

} // namespace quorlen
