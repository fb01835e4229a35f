#include "query/control_names.h"
#include "query/display_model.h"
#include "query/gbk_test_text.h"
#include "query/main_window_layout.h"
#include "query/profile_fields.h"

#include <gtest/gtest.h>
#include <set>

namespace quorlen {
namespace {

using testing::Gbk;

TEST(DisplayModel, StartsWithTheLayoutTexts) {
    const DisplayModel model;
    struct Case {
        std::string_view control;
        std::string expected;
    } cases[] = {
        {controls::kOnlineStatus, Gbk("在线状态:  未知")},
        {controls::kHabitsField, Gbk("个人习惯: ")},
        {controls::kBirthdayField, Gbk("生日:   ****年  **月  **日")},
        {controls::kCompanyField, Gbk("公司: 无")},
        {controls::kCompanyField1, Gbk("公司: 无\r\n")},
        {controls::kBooksField, Gbk("书籍: 无\r\n")},
        {controls::kCharacterField, Gbk("性格: 无\r\n")},
        {controls::kProfileTextField, Gbk("个人简介: 无")},
        {controls::kNameEdit, Gbk("输入要查询的用户名")},
        {controls::kWorkGroupBox, Gbk("工作信息")},
        {controls::kAvatarPicture, ""},
    };
    for (const Case& c : cases) {
        const ControlState state = model.Control(c.control);
        EXPECT_EQ(state.text, c.expected);
        EXPECT_EQ(state.color, colors::kBlack);
        EXPECT_FALSE(state.strikeout);
        EXPECT_TRUE(state.picture.empty());
    }
    EXPECT_EQ(model.ControlNames().size(), MainWindowLayout().size());
    EXPECT_TRUE(model.Writes().empty());
}

TEST(DisplayModel, RecordsEveryWriteInOrder) {
    DisplayModel model;
    model.SetText(controls::kOnlineStatus, "a");
    model.SetTextColor(controls::kOnlineStatus, colors::kOrange);
    model.SetStrikeout(controls::kOnlineStatus, true);
    model.SetPicture(controls::kAvatarPicture, Bytes{1, 0, 2});
    model.SetText("no such control", "b");

    const ControlState status = model.Control(controls::kOnlineStatus);
    EXPECT_EQ(status.text, "a");
    EXPECT_EQ(status.color, colors::kOrange);
    EXPECT_TRUE(status.strikeout);
    EXPECT_EQ(model.Control(controls::kAvatarPicture).picture, (Bytes{1, 0, 2}));
    // A name outside the layout shows up instead of vanishing, so a misspelt name is caught.
    EXPECT_TRUE(model.HasControl("no such control"));

    const std::vector<DisplayWrite> writes = model.Writes();
    ASSERT_EQ(writes.size(), 5u);
    EXPECT_EQ(writes[0].kind, DisplayWrite::Kind::Text);
    EXPECT_EQ(writes[1].value, colors::kOrange);
    EXPECT_EQ(writes[2].value, 1u);
    EXPECT_EQ(writes[3].kind, DisplayWrite::Kind::Picture);
    EXPECT_EQ(writes[3].value, 3u);
}

TEST(MainWindowLayout, NamesAreUniqueAndParentsAreGroupBoxes) {
    std::set<std::string_view> names;
    for (const ControlLayout& control : MainWindowLayout()) {
        EXPECT_TRUE(names.insert(control.name).second) << "duplicate control";
        if (!control.parent.empty()) {
            const ControlLayout* parent = FindControlLayout(control.parent);
            ASSERT_NE(parent, nullptr);
            EXPECT_EQ(parent->kind, ControlKind::GroupBox);
        }
    }
    EXPECT_EQ(FindControlLayout("nothing"), nullptr);
}

TEST(ProfileFieldTable, EveryFieldIsAControlOfItsSectionsGroupBox) {
    const std::span<const ProfileField> fields = ProfileFieldTable();
    ASSERT_EQ(fields.size(), 28u);
    std::set<std::string_view> controlsSeen;
    for (const ProfileField& field : fields) {
        const ControlLayout* control = FindControlLayout(field.control);
        ASSERT_NE(control, nullptr);
        EXPECT_EQ(control->kind, field.kind);
        // The section headings are the captions of the group boxes.
        const ControlLayout* box = FindControlLayout(control->parent);
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(box->initialText, field.heading);
        EXPECT_TRUE(controlsSeen.insert(field.control).second);
    }
}

TEST(ResetProfileFields, WritesEveryDefaultInBlackAndLeavesTheRestAlone) {
    DisplayModel model;
    for (const ProfileField& field : ProfileFieldTable()) {
        model.SetText(field.control, "old");
        model.SetTextColor(field.control, colors::kGreen);
    }
    model.SetTextColor(controls::kOnlineStatus, colors::kRed);

    ResetProfileFields(model);

    struct Case {
        std::string_view control;
        std::string expected;
    } cases[] = {
        // Where the reset's defaults differ from the texts the window starts with.
        {controls::kHabitsField, Gbk("个人习惯: 无")},
        {controls::kBirthdayField, Gbk("生日: 无")},
        {controls::kCompanyField, Gbk("公司: 无\r\n年份: 无")},
        {controls::kCompanyField2, Gbk("公司: 无\r\n年份: 无")},
        {controls::kBooksField, Gbk("书籍: 无")},
        {controls::kCharacterField, Gbk("性格: 无")},
        {controls::kContactField, Gbk("联系方式: 无")},
        {controls::kOtherSchoolField, Gbk("其他: 无")},
        {controls::kAdmiredPeopleField, Gbk("欣赏的人: 无")},
    };
    for (const Case& c : cases)
        EXPECT_EQ(model.Control(c.control).text, c.expected);
    for (const ProfileField& field : ProfileFieldTable()) {
        EXPECT_EQ(model.Control(field.control).text, field.defaultText);
        EXPECT_EQ(model.Control(field.control).color, colors::kBlack);
    }
    EXPECT_EQ(model.Control(controls::kOnlineStatus).color, colors::kRed);
    EXPECT_EQ(model.Control(controls::kOnlineStatus).text, Gbk("在线状态:  未知"));
}

} // namespace
} // namespace quorlen
