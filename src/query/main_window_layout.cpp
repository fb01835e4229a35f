#include "query/main_window_layout.h"

#include "query/control_names.h"

#include <array>

namespace quorlen {

namespace {

using namespace controls;

// name, kind, parent, left, top, width, height, initial text, hidden
constexpr auto kLayout = std::to_array<ControlLayout>({
    // 按钮2: 全新方式\r\n窗口即时聊天\r\n(Alt+1返回)
    {kChatButton, ControlKind::Button, "", 8, 464, 110, 48,
     "\xC8\xAB\xD0\xC2\xB7\xBD\xCA\xBD\r\n\xB4\xB0\xBF\xDA\xBC\xB4\xCA\xB1\xC1\xC4\xCC\xEC\r\n(Alt+"
     "1\xB7\xB5\xBB\xD8)",
     false},
    {kContactPicture, ControlKind::PictureBox, "", 18, 300, 93, 152, "", false},
    // 分组框5: 工作信息
    {kWorkGroupBox, ControlKind::GroupBox, "", 358, 361, 224, 152,
     "\xB9\xA4\xD7\xF7\xD0\xC5\xCF\xA2", false},
    // 公司组2: 公司: 无\r\n
    {kCompanyField2, ControlKind::Label, kWorkGroupBox, 16, 106, 201, 32,
     "\xB9\xAB\xCB\xBE: \xCE\xDE\r\n", false},
    // 公司组1: 公司: 无\r\n
    {kCompanyField1, ControlKind::Label, kWorkGroupBox, 16, 66, 201, 32,
     "\xB9\xAB\xCB\xBE: \xCE\xDE\r\n", false},
    // 公司组: 公司: 无
    {kCompanyField, ControlKind::Label, kWorkGroupBox, 16, 24, 201, 32,
     "\xB9\xAB\xCB\xBE: \xCE\xDE", false},
    // 在线状态: 在线状态:  未知
    {kOnlineStatus, ControlKind::Label, "", 8, 208, 110, 40,
     "\xD4\xDA\xCF\xDF\xD7\xB4\xCC\xAC:  \xCE\xB4\xD6\xAA", false},
    // 标签2: 单击头像可保存头像
    {kAvatarHintLabel, ControlKind::Label, "", 8, 186, 110, 16,
     "\xB5\xA5\xBB\xF7\xCD\xB7\xCF\xF1\xBF\xC9\xB1\xA3\xB4\xE6\xCD\xB7\xCF\xF1", false},
    // 编辑框1: 输入要查询的用户名
    {kNameEdit, ControlKind::EditBox, "", 8, 256, 112, 32,
     "\xCA\xE4\xC8\xEB\xD2\xAA\xB2\xE9\xD1\xAF\xB5\xC4\xD3\xC3\xBB\xA7\xC3\xFB", false},
    // 分组框4: 教育背景
    {kEducationGroupBox, ControlKind::GroupBox, "", 358, 209, 224, 152,
     "\xBD\xCC\xD3\xFD\xB1\xB3\xBE\xB0", false},
    // 其他组: 其他: 无
    {kOtherSchoolField, ControlKind::Label, kEducationGroupBox, 16, 120, 193, 24,
     "\xC6\xE4\xCB\xFB: \xCE\xDE", false},
    // 初中组: 初中: 无
    {kMiddleSchoolField, ControlKind::Label, kEducationGroupBox, 16, 72, 201, 24,
     "\xB3\xF5\xD6\xD0: \xCE\xDE", false},
    // 小学组: 小学: 无
    {kPrimarySchoolField, ControlKind::Label, kEducationGroupBox, 16, 96, 193, 24,
     "\xD0\xA1\xD1\xA7: \xCE\xDE", false},
    // 大学组: 大学: 无
    {kUniversityField, ControlKind::Label, kEducationGroupBox, 16, 24, 201, 24,
     "\xB4\xF3\xD1\xA7: \xCE\xDE", false},
    // 高中组: 高中: 无
    {kHighSchoolField, ControlKind::Label, kEducationGroupBox, 16, 48, 193, 24,
     "\xB8\xDF\xD6\xD0: \xCE\xDE", false},
    // 分组框3: 兴趣爱好
    {kInterestsGroupBox, ControlKind::GroupBox, "", 136, 209, 224, 304,
     "\xD0\xCB\xC8\xA4\xB0\xAE\xBA\xC3", false},
    // 其他爱好组: 其他爱好: 无\r\n
    {kOtherHobbiesField, ControlKind::EditBox, kInterestsGroupBox, 16, 264, 192, 32,
     "\xC6\xE4\xCB\xFB\xB0\xAE\xBA\xC3: \xCE\xDE\r\n", false},
    // 欣赏的人组: 欣赏的人: 无\r\n
    {kAdmiredPeopleField, ControlKind::EditBox, kInterestsGroupBox, 16, 224, 192, 32,
     "\xD0\xC0\xC9\xCD\xB5\xC4\xC8\xCB: \xCE\xDE\r\n", false},
    // 品牌组: 品牌: 无\r\n
    {kBrandsField, ControlKind::EditBox, kInterestsGroupBox, 16, 184, 192, 32,
     "\xC6\xB7\xC5\xC6: \xCE\xDE\r\n", false},
    // 运动组: 运动: 无\r\n
    {kSportsField, ControlKind::EditBox, kInterestsGroupBox, 16, 144, 192, 32,
     "\xD4\xCB\xB6\xAF: \xCE\xDE\r\n", false},
    // 电影组: 电影: 无\r\n
    {kFilmsField, ControlKind::EditBox, kInterestsGroupBox, 16, 104, 192, 32,
     "\xB5\xE7\xD3\xB0: \xCE\xDE\r\n", false},
    // 音乐组: 音乐: 无\r\n
    {kMusicField, ControlKind::EditBox, kInterestsGroupBox, 16, 64, 192, 32,
     "\xD2\xF4\xC0\xD6: \xCE\xDE\r\n", false},
    // 书籍组: 书籍: 无\r\n
    {kBooksField, ControlKind::EditBox, kInterestsGroupBox, 16, 24, 192, 32,
     "\xCA\xE9\xBC\xAE: \xCE\xDE\r\n", false},
    // 分组框2: 详细资料
    {kDetailGroupBox, ControlKind::GroupBox, "", 358, 8, 224, 200,
     "\xCF\xEA\xCF\xB8\xD7\xCA\xC1\xCF", false},
    // 按钮3: 返回
    {kReturnButton, ControlKind::Button, kDetailGroupBox, 138, 32, 80, 32, "\xB7\xB5\xBB\xD8",
     true},
    // 教育程度组: 教育程度: 无
    {kEducationLevelField, ControlKind::Label, kDetailGroupBox, 16, 112, 201, 24,
     "\xBD\xCC\xD3\xFD\xB3\xCC\xB6\xC8: \xCE\xDE", false},
    // 当前职业组: 当前职业: 无
    {kOccupationField, ControlKind::Label, kDetailGroupBox, 16, 136, 193, 24,
     "\xB5\xB1\xC7\xB0\xD6\xB0\xD2\xB5: \xCE\xDE", false},
    // 联系方式组: 联系方式: 无
    {kContactField, ControlKind::EditBox, kDetailGroupBox, 16, 168, 193, 24,
     "\xC1\xAA\xCF\xB5\xB7\xBD\xCA\xBD: \xCE\xDE", false},
    // 性格组: 性格: 无\r\n
    {kCharacterField, ControlKind::Label, kDetailGroupBox, 16, 88, 201, 24,
     "\xD0\xD4\xB8\xF1: \xCE\xDE\r\n", false},
    // 婚姻状态组: 婚姻状态: 无
    {kMaritalStatusField, ControlKind::Label, kDetailGroupBox, 104, 24, 88, 24,
     "\xBB\xE9\xD2\xF6\xD7\xB4\xCC\xAC: \xCE\xDE", false},
    // 个人习惯组: 个人习惯:
    {kHabitsField, ControlKind::Label, kDetailGroupBox, 16, 56, 201, 24,
     "\xB8\xF6\xC8\xCB\xCF\xB0\xB9\xDF: ", false},
    // 体型组: 体型: 无
    {kBodyTypeField, ControlKind::Label, kDetailGroupBox, 16, 24, 72, 24,
     "\xCC\xE5\xD0\xCD: \xCE\xDE", false},
    // 分组框1: 基本资料
    {kBasicGroupBox, ControlKind::GroupBox, "", 136, 8, 224, 200,
     "\xBB\xF9\xB1\xBE\xD7\xCA\xC1\xCF", false},
    // 居住地组: 居住地: 无
    {kResidenceField, ControlKind::Label, kBasicGroupBox, 16, 96, 192, 24,
     "\xBE\xD3\xD7\xA1\xB5\xD8: \xCE\xDE", false},
    // 个人简介组: 个人简介: 无
    {kProfileTextField, ControlKind::EditBox, kBasicGroupBox, 16, 120, 192, 72,
     "\xB8\xF6\xC8\xCB\xBC\xF2\xBD\xE9: \xCE\xDE", false},
    // 出生地组: 出生地: 无
    {kBirthplaceField, ControlKind::Label, kBasicGroupBox, 16, 72, 192, 24,
     "\xB3\xF6\xC9\xFA\xB5\xD8: \xCE\xDE", false},
    // 血型组: 血型: 无
    {kBloodTypeField, ControlKind::Label, kBasicGroupBox, 104, 24, 50, 24,
     "\xD1\xAA\xD0\xCD: \xCE\xDE", false},
    // 生日组: 生日:   ****年  **月  **日
    {kBirthdayField, ControlKind::Label, kBasicGroupBox, 16, 48, 184, 24,
     "\xC9\xFA\xC8\xD5:   ****\xC4\xEA  **\xD4\xC2  **\xC8\xD5", false},
    // 性别组: 性别: 无
    {kGenderField, ControlKind::Label, kBasicGroupBox, 16, 24, 50, 24, "\xD0\xD4\xB1\xF0: \xCE\xDE",
     false},
    // 按钮1: 查询
    {kQueryButton, ControlKind::Button, "", 8, 8, 110, 55, "\xB2\xE9\xD1\xAF", false},
    {kAvatarPicture, ControlKind::PictureBox, "", 8, 72, 110, 110, "", false},
    // 标签1: 底片
    {kBackdropLabel, ControlKind::Label, "", -8, 0, 80, 48, "\xB5\xD7\xC6\xAC", false},
    {kChatBrowser, ControlKind::WebBrowser, "", 0, 0, 600, 488, "", true},
});

} // namespace

std::span<const ControlLayout> MainWindowLayout() {
    return kLayout;
}

const ControlLayout* FindControlLayout(std::string_view name) {
    for (const ControlLayout& control : kLayout) {
        if (control.name == name)
            return &control;
    }
    return nullptr;
}

} // namespace quorlen
