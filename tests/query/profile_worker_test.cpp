// The whole query against real local servers: libcurl, the page decoding, the crop, the
// avatar fetch, the reset and the fill, with the display recorded in a model.
#include "demo/sample_images.h"
#include "demo/sample_service.h"
#include "query/control_names.h"
#include "query/display_model.h"
#include "query/gbk_test_text.h"
#include "query/profile_fields.h"
#include "query/query_launch.h"
#include "support/recording_server.h"
#include "web/http_class.h"

#include <chrono>
#include <gtest/gtest.h>
#include <thread>

namespace quorlen {
namespace {

using testing::Gbk;

// The frame every fixture page is put in: the crop markers around the profile, the avatar
// and the online block as the service writes them.
std::string Framed(std::string_view profile, std::string_view portraitId = "abc",
                   std::string_view online = "<div class=info-online>在线</div>") {
    std::string page = "<html><head><link rel=\"stylesheet\" href=\"/a.css\"></head><body>"
                       "<img class=portrait-img src=\"{{origin}}/sys/portrait/item/";
    page += portraitId;
    page += ".jpg?cdnversion=1\"><span></span>";
    page += online;
    page += profile;
    page += "</div> </div> <div id=foot></body></html>";
    return page;
}

struct Expected {
    std::string_view control;
    std::string_view utf8Text;
    std::uint32_t color;
};

struct Fixture {
    const char* name;
    std::string page;
    std::vector<Expected> expected;
    std::string_view status = "在线状态:  在线";
    std::uint32_t statusColor = colors::kGreen;
    bool exists = true;
    bool picture = true;
};

class ProfileWorkerTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        s_service = new demo::SampleService;
        ASSERT_TRUE(s_service->Start());
    }
    static void TearDownTestSuite() {
        delete s_service;
        s_service = nullptr;
    }

    // One query for the GBK name on a fresh model, as the window runs it.
    ProfileOutcome Query(std::string_view gbkName, DisplayModel& model) {
        ProfileQueryLauncher launcher(m_state, m_http,
                                      *ServiceConfigForOrigin(s_service->Origin()));
        return launcher.StartProfileQuery(gbkName, model).get();
    }

    static demo::SampleService* s_service;
    QueryState m_state;
    HttpClass m_http;
};

demo::SampleService* ProfileWorkerTest::s_service = nullptr;

TEST_F(ProfileWorkerTest, ShowsWhatEachFixturePageHolds) {
    const Fixture fixtures[] = {
        {"not found",
         Framed("基本资料<li>性别<i class=profile-cnt>男</span>", ""),
         {{controls::kGenderField, "性别: 无", colors::kBlack}},
         "不存在的用户",
         colors::kOrange,
         false},
        {"online",
         Framed("基本资料<li>性别<i class=profile-cnt>男</span>"),
         {{controls::kGenderField, "性别: 男", colors::kGreen},
          {controls::kBirthdayField, "生日: 无", colors::kBlack}}},
        {"another online phrase",
         Framed("", "abc", "<div class=info-online>离线</div>"),
         {},
         "在线状态:  离线",
         colors::kRed},
        {"no online block", Framed("", "abc", ""), {}, "在线状态:  ", colors::kRed},
        {"missing crop marker",
         "<link rel=stylesheet><img class=portrait-img src=\"{{origin}}/sys/portrait/item/"
         "abc.jpg\"><span></span><div class=info-online>在线</div>基本资料<li>性别<i "
         "class=profile-cnt>男</span></div></div><div id=foot>",
         {{controls::kGenderField, "性别: 无", colors::kBlack}},
         "在线状态:  ",
         colors::kRed,
         true,
         false},
        {"stylesheet only after the markers",
         "<img class=portrait-img src=\"{{origin}}/sys/portrait/item/abc.jpg\"><span></span>"
         "<div class=info-online>在线</div>基本资料<li>性别<i class=profile-cnt>男</span>"
         "</div> </div> <div id=foot><link rel=stylesheet></div> </div> <div id=foot>",
         {{controls::kGenderField, "性别: 无", colors::kBlack}},
         "在线状态:  ",
         colors::kRed,
         true,
         false},
        {"missing heading",
         Framed("<li>性别<i class=profile-cnt>男</span>"),
         {{controls::kGenderField, "性别: 无", colors::kBlack}}},
        {"missing label",
         Framed("基本资料<li>性别<i class=profile-cnt>男</span><li>出生地<i "
                "class=profile-cnt>长沙</span>"),
         {{controls::kBloodTypeField, "血型: 无", colors::kBlack},
          {controls::kBirthplaceField, "出生地: 长沙", colors::kGreen}}},
        {"label found earlier inside another value",
         Framed(
             "详细资料<li>体型<span>匀称，性格<span>内向</span>好</span><li>性格<span>开朗</span>"),
         {{controls::kBodyTypeField, "体型: 匀称，性格<span>内向", colors::kGreen},
          {controls::kCharacterField, "性格: 内向", colors::kGreen}}},
        {"value cut past its section",
         Framed("基本资料<li>性别 男</li>详细资料<li>体型<span>匀称</span>兴趣爱好<li>书籍<i "
                "class=profile-cnt>三体</span>"),
         {{controls::kGenderField, "性别: 三体", colors::kGreen},
          {controls::kBooksField, "书籍: 三体", colors::kGreen}}},
        {"missing value marker",
         Framed("基本资料<li>性别<i class=profile-cnt>男"),
         {{controls::kGenderField, "性别: ", colors::kGreen}}},
        {"markup and entities kept",
         Framed("基本资料<li>个人简介<i class=profile-cnt> <b>你好</b> &amp; &lt;x&gt;\n </span>"),
         {{controls::kProfileTextField, "个人简介: \r\n <b>你好</b> &amp; &lt;x&gt;\n ",
           colors::kGreen}}},
        {"one company",
         Framed("工作信息<li><span><span>公司</span>甲公司</span><span "
                "class=profile-corp-exp>2001 - 2005</span>"),
         {{controls::kCompanyField, "公司: 甲公司\r\n年份: 2001 - 2005", colors::kGreen},
          {controls::kCompanyField1, "公司: 无\r\n年份: 无", colors::kBlack}}},
        {"two companies",
         Framed("工作信息<li><span>公司</span>甲</span><i class=profile-corp-exp>1</span>"
                "<li><span>公司</span>乙</span><i class=profile-corp-exp>2</span>"),
         {{controls::kCompanyField, "公司: 甲\r\n年份: 1", colors::kGreen},
          {controls::kCompanyField1, "公司: 乙\r\n年份: 2", colors::kGreen},
          {controls::kCompanyField2, "公司: 无\r\n年份: 无", colors::kBlack}}},
        {"three companies",
         Framed("工作信息<li><span>公司</span>甲</span><i class=profile-corp-exp>1</span>"
                "<li><span>公司</span>乙</span><i class=profile-corp-exp>2</span>"
                "<li><span>公司</span>丙</span><i class=profile-corp-exp>3</span>"),
         {{controls::kCompanyField, "公司: 甲\r\n年份: 1", colors::kGreen},
          {controls::kCompanyField1, "公司: 乙\r\n年份: 2", colors::kGreen},
          {controls::kCompanyField2, "公司: 丙\r\n年份: 3", colors::kGreen}}},
        {"company without years marker",
         Framed("工作信息<li><span>公司</span>甲</span>"),
         {{controls::kCompanyField, "公司: 甲\r\n年份: ", colors::kGreen},
          {controls::kCompanyField1, "公司: 甲\r\n年份: ", colors::kGreen}}},
        {"empty body",
         "",
         {{controls::kGenderField, "性别: 无", colors::kBlack},
          {controls::kHabitsField, "个人习惯: 无", colors::kBlack}},
         "在线状态:  ",
         colors::kRed,
         true,
         false},
        // The page ends at its first zero byte, so the crop's back marker is lost.
        {"zero byte in the body",
         Framed(std::string("基本资料<li>性别<i class=profile-cnt>男</span>") + '\0' + "<li>"),
         {{controls::kGenderField, "性别: 无", colors::kBlack}},
         "在线状态:  ",
         colors::kRed,
         true,
         false},
        {"percent escapes in values",
         Framed("基本资料<li>性别<i class=profile-cnt>%E7%94%B7</span><li>血型<i "
                "class=profile-cnt>A%2b%41</span>"),
         {{controls::kGenderField, "性别: 男", colors::kGreen},
          {controls::kBloodTypeField, "血型: A+A", colors::kGreen}}},
    };
    int number = 0;
    for (const Fixture& fixture : fixtures) {
        SCOPED_TRACE(fixture.name);
        const std::string name = "fixture" + std::to_string(++number);
        s_service->SetProfilePage(name, fixture.page);
        DisplayModel model;
        const ProfileOutcome outcome = Query(name, model);

        EXPECT_TRUE(outcome.pageFetched);
        EXPECT_FALSE(outcome.superseded);
        EXPECT_EQ(outcome.exists, fixture.exists);
        const ControlState status = model.Control(controls::kOnlineStatus);
        EXPECT_EQ(status.text, Gbk(fixture.status));
        EXPECT_EQ(status.color, fixture.statusColor);
        EXPECT_EQ(status.strikeout, !fixture.exists);
        EXPECT_EQ(m_state.AvatarUrl(), outcome.avatarUrl);
        EXPECT_EQ(model.Control(controls::kAvatarPicture).picture.empty(), !fixture.picture);
        for (const Expected& expected : fixture.expected) {
            EXPECT_EQ(model.Control(expected.control).text, Gbk(expected.utf8Text))
                << expected.utf8Text;
            EXPECT_EQ(model.Control(expected.control).color, expected.color) << expected.utf8Text;
        }
    }
}

TEST_F(ProfileWorkerTest, ASampleUserFillsEveryFieldAndShowsTheAvatar) {
    DisplayModel model;
    const ProfileOutcome outcome = Query(Gbk("张三"), model);

    EXPECT_EQ(outcome.profileUrl, s_service->Origin() + "/p/%D5%C5%C8%FD/detail");
    EXPECT_EQ(m_state.ProfileUrl(), outcome.profileUrl);
    const std::string avatarUrl =
        s_service->Origin() +
        "/sys/portrait/item/e4b8ad7a68616e6773616e0c2f.jpg?cdnversion=20130603";
    EXPECT_EQ(outcome.avatarUrl, avatarUrl);
    EXPECT_EQ(m_state.AvatarUrl(), avatarUrl);
    EXPECT_EQ(outcome.onlineText, Gbk("在线"));
    EXPECT_EQ(m_state.OnlineText(), Gbk("在线"));
    const std::string avatar = demo::AvatarPng("e4b8ad7a68616e6773616e0c2f");
    EXPECT_EQ(model.Control(controls::kAvatarPicture).picture, Bytes(avatar.begin(), avatar.end()));
    for (const ProfileField& field : ProfileFieldTable())
        EXPECT_EQ(model.Control(field.control).color, colors::kGreen);
    EXPECT_EQ(model.Control(controls::kCompanyField2).text,
              Gbk("公司: 湖南大学计算机实验室\r\n年份: 2008 - 2009"));
    EXPECT_EQ(model.Control(controls::kProfileTextField).text,
              Gbk("个人简介: \r\n写代码，跑步，偶尔写点东西。"));

    const std::vector<std::string> targets = s_service->RequestTargets();
    ASSERT_GE(targets.size(), 2u);
    EXPECT_EQ(targets[targets.size() - 2], "/p/%D5%C5%C8%FD/detail");
    EXPECT_EQ(targets.back(),
              "/sys/portrait/item/e4b8ad7a68616e6773616e0c2f.jpg?cdnversion=20130603");
}

// The avatar comes first, then the reset, then the status, then the values.
TEST_F(ProfileWorkerTest, WritesInTheOrderTheUserSees) {
    DisplayModel model;
    Query("lisi_2008", model);
    const std::vector<DisplayWrite> writes = model.Writes();
    const std::size_t resetWrites = 2 * ProfileFieldTable().size();
    ASSERT_GT(writes.size(), 1 + resetWrites + 3);
    EXPECT_EQ(writes[0].kind, DisplayWrite::Kind::Picture);
    for (std::size_t i = 1; i <= resetWrites; ++i)
        EXPECT_EQ(writes[i].value, i % 2 ? 0u : colors::kBlack);
    EXPECT_EQ(writes[1 + resetWrites].control, controls::kOnlineStatus);
    EXPECT_EQ(writes[1 + resetWrites].text, Gbk("在线状态:  离线"));
    EXPECT_EQ(writes[2 + resetWrites].kind, DisplayWrite::Kind::Strikeout);
    EXPECT_EQ(writes[3 + resetWrites].value, colors::kRed);
    EXPECT_EQ(writes[4 + resetWrites].control, controls::kGenderField);
}

// After a user that does not exist, the next query switches the strikeout off again and
// the one after a filled profile puts every field back to its default.
TEST_F(ProfileWorkerTest, EachQueryStartsFromTheDefaults) {
    DisplayModel model;
    Query("nobody", model);
    EXPECT_TRUE(model.Control(controls::kOnlineStatus).strikeout);
    Query("lisi_2008", model);
    EXPECT_FALSE(model.Control(controls::kOnlineStatus).strikeout);
    EXPECT_EQ(model.Control(controls::kOnlineStatus).color, colors::kRed);
    EXPECT_EQ(model.Control(controls::kGenderField).text, Gbk("性别: 女"));
    // The not-found query keeps the online phrase of the query before it.
    Query("nobody", model);
    EXPECT_EQ(m_state.OnlineText(), Gbk("离线"));
    EXPECT_EQ(model.Control(controls::kGenderField).text, Gbk("性别: 无"));
    EXPECT_EQ(model.Control(controls::kGenderField).color, colors::kBlack);
    EXPECT_EQ(model.Control(controls::kOnlineStatus).text, Gbk("不存在的用户"));
}

TEST_F(ProfileWorkerTest, APageThatCannotBeFetchedIsReportedAndShowsTheDefaults) {
    int closedPort = 0;
    {
        demo::SampleService gone;
        ASSERT_TRUE(gone.Start());
        closedPort = gone.Port();
    }
    QueryState state;
    ProfileQueryLauncher launcher(
        state, m_http, *ServiceConfigForOrigin("http://127.0.0.1:" + std::to_string(closedPort)));
    DisplayModel model;
    const ProfileOutcome outcome = launcher.StartProfileQuery("x", model).get();
    EXPECT_FALSE(outcome.pageFetched);
    EXPECT_NE(outcome.fetchError.code, 0);
    EXPECT_FALSE(outcome.fetchError.text.empty());
    EXPECT_EQ(model.Control(controls::kOnlineStatus).text, Gbk("在线状态:  "));
    EXPECT_EQ(model.Control(controls::kOnlineStatus).color, colors::kRed);
    EXPECT_EQ(model.Control(controls::kGenderField).text, Gbk("性别: 无"));
}

// A later query supersedes one still waiting for its page: the earlier worker writes nothing
// and publishes nothing, even though its page arrives afterwards.
TEST(ProfileQueryLauncher, ALaterQuerySupersedesAnEarlierOne) {
    RecordingServer server;
    const std::string slowPage = Framed("基本资料<li>性别<i class=profile-cnt>男</span>", "slow");
    const std::string fastPage = Framed("基本资料<li>性别<i class=profile-cnt>女</span>", "fast");
    const auto page = [&server](std::string body) {
        return [&server, body](const httplib::Request&, httplib::Response& response) {
            std::string text = body;
            text.replace(text.find("{{origin}}"), 10, server.BaseUrl());
            response.set_content(text, "text/html");
        };
    };
    server.Handle("/p/slow/detail",
                  [&](const httplib::Request& request, httplib::Response& response) {
                      std::this_thread::sleep_for(std::chrono::milliseconds(300));
                      page(slowPage)(request, response);
                  });
    server.Handle("/p/fast/detail", page(fastPage));

    QueryState state;
    HttpClass http;
    ProfileQueryLauncher launcher(state, http, *ServiceConfigForOrigin(server.BaseUrl()));
    DisplayModel model;
    std::future<ProfileOutcome> slow = launcher.StartProfileQuery("slow", model);
    while (server.RequestCount() == 0)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    const ProfileOutcome fast = launcher.StartProfileQuery("fast", model).get();
    const ProfileOutcome slowOutcome = slow.get();

    EXPECT_TRUE(slowOutcome.superseded);
    EXPECT_FALSE(fast.superseded);
    EXPECT_EQ(state.ProfileUrl(), server.BaseUrl() + "/p/fast/detail");
    EXPECT_EQ(state.AvatarUrl(), server.BaseUrl() + "/sys/portrait/item/fast.jpg?cdnversion=1");
    EXPECT_EQ(model.Control(controls::kGenderField).text, Gbk("性别: 女"));
    // Only the fast query's writes: one picture, the reset, the status and one field.
    EXPECT_EQ(model.Writes().size(), 1 + 2 * ProfileFieldTable().size() + 3 + 2);
    for (const RecordedRequest& request : server.Requests())
        EXPECT_EQ(request.target.find("slow.jpg"), std::string::npos);
}

} // namespace
} // namespace quorlen
