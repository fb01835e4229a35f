#pragma once

#include <string_view>

// The names of the main window's controls, GBK bytes as the layout has them. Everything that
// addresses a control by name uses these.
namespace quorlen::controls {

inline constexpr std::string_view kQueryButton = "\xB0\xB4\xC5\xA5\x31";              // 按钮1
inline constexpr std::string_view kChatButton = "\xB0\xB4\xC5\xA5\x32";               // 按钮2
inline constexpr std::string_view kReturnButton = "\xB0\xB4\xC5\xA5\x33";             // 按钮3
inline constexpr std::string_view kNameEdit = "\xB1\xE0\xBC\xAD\xBF\xF2\x31";         // 编辑框1
inline constexpr std::string_view kAvatarPicture = "\xCD\xBC\xC6\xAC\xBF\xF2\x31";    // 图片框1
inline constexpr std::string_view kContactPicture = "\xCD\xBC\xC6\xAC\xBF\xF2\x32";   // 图片框2
inline constexpr std::string_view kBackdropLabel = "\xB1\xEA\xC7\xA9\x31";            // 标签1
inline constexpr std::string_view kAvatarHintLabel = "\xB1\xEA\xC7\xA9\x32";          // 标签2
inline constexpr std::string_view kOnlineStatus = "\xD4\xDA\xCF\xDF\xD7\xB4\xCC\xAC"; // 在线状态
inline constexpr std::string_view kChatBrowser =
    "\xB3\xAC\xCE\xC4\xB1\xBE\xE4\xAF\xC0\xC0\xBF\xF2\x31"; // 超文本浏览框1
inline constexpr std::string_view kBasicGroupBox = "\xB7\xD6\xD7\xE9\xBF\xF2\x31";     // 分组框1
inline constexpr std::string_view kDetailGroupBox = "\xB7\xD6\xD7\xE9\xBF\xF2\x32";    // 分组框2
inline constexpr std::string_view kInterestsGroupBox = "\xB7\xD6\xD7\xE9\xBF\xF2\x33"; // 分组框3
inline constexpr std::string_view kEducationGroupBox = "\xB7\xD6\xD7\xE9\xBF\xF2\x34"; // 分组框4
inline constexpr std::string_view kWorkGroupBox = "\xB7\xD6\xD7\xE9\xBF\xF2\x35";      // 分组框5
inline constexpr std::string_view kGenderField = "\xD0\xD4\xB1\xF0\xD7\xE9";           // 性别组
inline constexpr std::string_view kBirthdayField = "\xC9\xFA\xC8\xD5\xD7\xE9";         // 生日组
inline constexpr std::string_view kBloodTypeField = "\xD1\xAA\xD0\xCD\xD7\xE9";        // 血型组
inline constexpr std::string_view kBirthplaceField = "\xB3\xF6\xC9\xFA\xB5\xD8\xD7\xE9"; // 出生地组
inline constexpr std::string_view kResidenceField = "\xBE\xD3\xD7\xA1\xB5\xD8\xD7\xE9"; // 居住地组
inline constexpr std::string_view kProfileTextField =
    "\xB8\xF6\xC8\xCB\xBC\xF2\xBD\xE9\xD7\xE9";                                // 个人简介组
inline constexpr std::string_view kBodyTypeField = "\xCC\xE5\xD0\xCD\xD7\xE9"; // 体型组
inline constexpr std::string_view kMaritalStatusField =
    "\xBB\xE9\xD2\xF6\xD7\xB4\xCC\xAC\xD7\xE9"; // 婚姻状态组
inline constexpr std::string_view kHabitsField =
    "\xB8\xF6\xC8\xCB\xCF\xB0\xB9\xDF\xD7\xE9";                                 // 个人习惯组
inline constexpr std::string_view kCharacterField = "\xD0\xD4\xB8\xF1\xD7\xE9"; // 性格组
inline constexpr std::string_view kEducationLevelField =
    "\xBD\xCC\xD3\xFD\xB3\xCC\xB6\xC8\xD7\xE9"; // 教育程度组
inline constexpr std::string_view kOccupationField =
    "\xB5\xB1\xC7\xB0\xD6\xB0\xD2\xB5\xD7\xE9"; // 当前职业组
inline constexpr std::string_view kContactField =
    "\xC1\xAA\xCF\xB5\xB7\xBD\xCA\xBD\xD7\xE9";                              // 联系方式组
inline constexpr std::string_view kBooksField = "\xCA\xE9\xBC\xAE\xD7\xE9";  // 书籍组
inline constexpr std::string_view kMusicField = "\xD2\xF4\xC0\xD6\xD7\xE9";  // 音乐组
inline constexpr std::string_view kFilmsField = "\xB5\xE7\xD3\xB0\xD7\xE9";  // 电影组
inline constexpr std::string_view kSportsField = "\xD4\xCB\xB6\xAF\xD7\xE9"; // 运动组
inline constexpr std::string_view kBrandsField = "\xC6\xB7\xC5\xC6\xD7\xE9"; // 品牌组
inline constexpr std::string_view kAdmiredPeopleField =
    "\xD0\xC0\xC9\xCD\xB5\xC4\xC8\xCB\xD7\xE9"; // 欣赏的人组
inline constexpr std::string_view kOtherHobbiesField =
    "\xC6\xE4\xCB\xFB\xB0\xAE\xBA\xC3\xD7\xE9";                                  // 其他爱好组
inline constexpr std::string_view kUniversityField = "\xB4\xF3\xD1\xA7\xD7\xE9"; // 大学组
inline constexpr std::string_view kHighSchoolField = "\xB8\xDF\xD6\xD0\xD7\xE9"; // 高中组
inline constexpr std::string_view kMiddleSchoolField = "\xB3\xF5\xD6\xD0\xD7\xE9";  // 初中组
inline constexpr std::string_view kPrimarySchoolField = "\xD0\xA1\xD1\xA7\xD7\xE9"; // 小学组
inline constexpr std::string_view kOtherSchoolField = "\xC6\xE4\xCB\xFB\xD7\xE9";   // 其他组
inline constexpr std::string_view kCompanyField = "\xB9\xAB\xCB\xBE\xD7\xE9";       // 公司组
inline constexpr std::string_view kCompanyField1 = "\xB9\xAB\xCB\xBE\xD7\xE9\x31";  // 公司组1
inline constexpr std::string_view kCompanyField2 = "\xB9\xAB\xCB\xBE\xD7\xE9\x32";  // 公司组2

} // namespace quorlen::controls
