#include "query/control_names.h"
#include "query/display_model.h"
#include "query/gbk_test_text.h"
#include "query/profile_fields.h"

#include <gtest/gtest.h>

namespace quorlen {
namespace {

using testing::Gbk;

// The company rows walk through the work section with one position between them, so each
// case is a whole section and the three captions it leaves.
TEST(FillProfileSections, WalksTheCompaniesWithOnePosition) {
    const std::string none = Gbk("公司: 无\r\n年份: 无");
    struct Case {
        const char* name;
        std::string page;
        std::string company;
        std::string company1;
        std::string company2;
    } cases[] = {
        {"one company", Gbk("工作信息<b>公司</span>甲</span><i class=profile-corp-exp>2001</span>"),
         Gbk("公司: 甲\r\n年份: 2001"), none, none},
        {"three companies",
         Gbk("工作信息<b>公司</span>甲</span>ile-corp-exp>2001</span><br><b>公司</span>乙</span>"
             "ile-corp-exp>2002</span><br><b>公司</span>丙</span>ile-corp-exp>2003</span>"),
         Gbk("公司: 甲\r\n年份: 2001"), Gbk("公司: 乙\r\n年份: 2002"),
         Gbk("公司: 丙\r\n年份: 2003")},
        {"a fourth company is not shown",
         Gbk("工作信息公司</span>甲</span>ile-corp-exp>1</span>公司</span>乙</span>ile-corp-exp>2"
             "</span>公司</span>丙</span>ile-corp-exp>3</span>公司</span>丁</span>"),
         Gbk("公司: 甲\r\n年份: 1"), Gbk("公司: 乙\r\n年份: 2"), Gbk("公司: 丙\r\n年份: 3")},
        // The next label begins on the very byte after the previous years.
        {"label right after the years",
         Gbk("工作信息公司</span>甲</span>ile-corp-exp>1</span>公司</span>乙</span>ile-corp-exp>2"
             "</span>"),
         Gbk("公司: 甲\r\n年份: 1"), Gbk("公司: 乙\r\n年份: 2"), none},
        // Without years the position falls back to 0 and the next row finds the same
        // company again from the top.
        {"company without years", Gbk("工作信息<b>公司</span>甲</span>"), Gbk("公司: 甲\r\n年份: "),
         Gbk("公司: 甲\r\n年份: "), Gbk("公司: 甲\r\n年份: ")},
        {"years marker of the next company used",
         Gbk("工作信息公司</span>甲</span>公司</span>乙</span>ile-corp-exp>2</span>"),
         Gbk("公司: 甲\r\n年份: 2"), none, none},
        {"no company after the heading", Gbk("工作信息<p>无</p>"), none, none, none},
        // The first row is searched from the heading, the later ones from the position,
        // which is 0 when the first row found nothing.
        {"label only before the heading", Gbk("公司</span>甲</span>ile-corp-exp>1</span>工作信息"),
         none, Gbk("公司: 甲\r\n年份: 1"), none},
        {"no heading", Gbk("公司</span>甲</span>ile-corp-exp>1</span>"), none, none, none},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        DisplayModel model;
        ResetProfileFields(model);
        FillProfileSections(model, c.page);
        EXPECT_EQ(model.Control(controls::kCompanyField).text, c.company);
        EXPECT_EQ(model.Control(controls::kCompanyField1).text, c.company1);
        EXPECT_EQ(model.Control(controls::kCompanyField2).text, c.company2);
        EXPECT_EQ(model.Control(controls::kCompanyField).color,
                  c.company == none ? colors::kBlack : colors::kGreen);
    }
}

// Sections 1 to 4: each label is searched from its own section's heading.
TEST(FillProfileSections, SearchesEachLabelFromItsSectionsHeading) {
    const std::string page =
        Gbk("详细资料<li>性格<span>开朗</span></li><li>体型<span>匀称</span></li>"
            "基本资料<li>性别<i class=profile-cnt>男</span></li>"
            "兴趣爱好<li>书籍<i class=profile-cnt>三体</span></li>"
            "教育背景<li>大学<span>北大</span>");
    DisplayModel model;
    ResetProfileFields(model);
    FillProfileSections(model, page);
    struct Case {
        std::string_view control;
        std::string expected;
        std::uint32_t color;
    } cases[] = {
        {controls::kCharacterField, Gbk("性格: 开朗"), colors::kGreen},
        // Found from its heading although the heading of basic data comes later.
        {controls::kBodyTypeField, Gbk("体型: 匀称"), colors::kGreen},
        {controls::kGenderField, Gbk("性别: 男"), colors::kGreen},
        {controls::kBooksField, Gbk("书籍: 三体"), colors::kGreen},
        {controls::kUniversityField, Gbk("大学: 北大"), colors::kGreen},
        {controls::kBirthdayField, Gbk("生日: 无"), colors::kBlack},
        {controls::kHighSchoolField, Gbk("高中: 无"), colors::kBlack},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(model.Control(c.control).text, c.expected);
        EXPECT_EQ(model.Control(c.control).color, c.color);
    }
}

} // namespace
} // namespace quorlen
