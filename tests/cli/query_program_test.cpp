// quorlen-query run as a program against the sample service and a recording server.
#include "cli/json_test_parser.h"
#include "cli/sha256.h"
#include "demo/sample_images.h"
#include "demo/sample_service.h"
#include "support/recording_server.h"

#include <cstdio>
#include <fstream>
#include <gtest/gtest.h>
#include <spawn.h>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace quorlen {
namespace {

using testing::JsonValue;
using testing::ParseJson;

struct ProgramRun {
    int status = -1;
    std::string out;
    std::string err;
};

std::string ReadFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

// Runs the program with `arguments` and QUORLEN_SERVICE_ORIGIN set to `environmentOrigin`
// (left out when empty), everything else of the environment as it is.
ProgramRun RunQuery(const std::vector<std::string>& arguments,
                    const std::string& environmentOrigin = "") {
    char outPath[] = "/tmp/quorlen-query-out-XXXXXX";
    char errPath[] = "/tmp/quorlen-query-err-XXXXXX";
    const int outFd = mkstemp(outPath);
    const int errFd = mkstemp(errPath);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, outFd, STDOUT_FILENO);
    posix_spawn_file_actions_adddup2(&actions, errFd, STDERR_FILENO);

    std::vector<std::string> environment;
    for (char** entry = environ; *entry; ++entry) {
        if (!std::string_view(*entry).starts_with("QUORLEN_SERVICE_ORIGIN="))
            environment.emplace_back(*entry);
    }
    if (!environmentOrigin.empty())
        environment.push_back("QUORLEN_SERVICE_ORIGIN=" + environmentOrigin);
    std::vector<char*> envp;
    for (std::string& entry : environment)
        envp.push_back(entry.data());
    envp.push_back(nullptr);
    std::vector<std::string> argvStrings = {QUORLEN_QUERY_PROGRAM};
    argvStrings.insert(argvStrings.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (std::string& argument : argvStrings)
        argv.push_back(argument.data());
    argv.push_back(nullptr);

    ProgramRun run;
    pid_t pid = 0;
    if (posix_spawn(&pid, QUORLEN_QUERY_PROGRAM, &actions, nullptr, argv.data(), envp.data()) ==
        0) {
        int status = 0;
        waitpid(pid, &status, 0);
        run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    posix_spawn_file_actions_destroy(&actions);
    close(outFd);
    close(errFd);
    run.out = ReadFile(outPath);
    run.err = ReadFile(errPath);
    std::remove(outPath);
    std::remove(errPath);
    return run;
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream stream(text);
    for (std::string line; std::getline(stream, line);)
        lines.push_back(line);
    return lines;
}

class QueryProgramTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_service.Start()); }
    demo::SampleService m_service;
};

TEST_F(QueryProgramTest, JsonHasOneObjectPerNameWithEveryControl) {
    const ProgramRun run = RunQuery({"--json", "--origin", m_service.Origin(), "张三", "nobody"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err, "");
    const std::vector<std::string> lines = Lines(run.out);
    ASSERT_EQ(lines.size(), 2u);

    const std::optional<JsonValue> found = ParseJson(lines[0]);
    ASSERT_TRUE(found) << lines[0];
    const JsonValue& zhang = *found;
    std::vector<std::string> keys;
    for (const auto& [key, value] : zhang.AsObject())
        keys.push_back(key);
    EXPECT_EQ(keys, (std::vector<std::string>{"name", "url", "avatarUrl", "onlineText", "exists",
                                              "controls"}));
    EXPECT_EQ(zhang["name"].AsString(), "张三");
    EXPECT_EQ(zhang["url"].AsString(), m_service.Origin() + "/p/%D5%C5%C8%FD/detail");
    EXPECT_EQ(zhang["avatarUrl"].AsString(),
              m_service.Origin() +
                  "/sys/portrait/item/e4b8ad7a68616e6773616e0c2f.jpg?cdnversion=20130603");
    EXPECT_EQ(zhang["onlineText"].AsString(), "在线");
    EXPECT_TRUE(zhang["exists"].AsBool());

    const JsonValue& controls = zhang["controls"];
    ASSERT_EQ(controls.AsObject().size(), 30u);
    EXPECT_EQ(controls["性别组"]["text"].AsString(), "性别: 男");
    EXPECT_EQ(controls["性别组"]["color"].AsNumber(), 65280);
    EXPECT_FALSE(controls["性别组"]["strikeout"].AsBool());
    EXPECT_EQ(controls["个人简介组"]["text"].AsString(),
              "个人简介: \r\n写代码，跑步，偶尔写点东西。");
    EXPECT_EQ(controls["公司组1"]["text"].AsString(),
              "公司: 长沙湘江网络科技有限公司\r\n年份: 2009 - 2012");
    EXPECT_EQ(controls["在线状态"]["text"].AsString(), "在线状态:  在线");
    const std::string avatar = demo::AvatarPng("e4b8ad7a68616e6773616e0c2f");
    EXPECT_EQ(controls["图片框1"]["pictureBytes"].AsNumber(), avatar.size());
    EXPECT_EQ(controls["图片框1"]["pictureSha256"].AsString(),
              Sha256Hex({reinterpret_cast<const std::uint8_t*>(avatar.data()), avatar.size()}));

    const std::optional<JsonValue> nobody = ParseJson(lines[1]);
    ASSERT_TRUE(nobody) << lines[1];
    EXPECT_FALSE((*nobody)["exists"].AsBool());
    EXPECT_EQ((*nobody)["controls"]["在线状态"]["text"].AsString(), "不存在的用户");
    EXPECT_EQ((*nobody)["controls"]["在线状态"]["color"].AsNumber(), 33023);
    EXPECT_TRUE((*nobody)["controls"]["在线状态"]["strikeout"].AsBool());
    EXPECT_EQ((*nobody)["controls"]["性别组"]["color"].AsNumber(), 0);
}

// Whatever the page holds, the output stays valid JSON and valid UTF-8.
TEST_F(QueryProgramTest, HostilePageTextStaysValidJson) {
    m_service.SetProfilePage(
        "odd",
        "stylesheet<img class=portrait-img src=\"\\\"\x01\"><span></span>"
        "<div class=info-online>\"\\\x7f\xff\xfe</div>基本资料 性别 profile-cnt>\t\x02</span>"
        "</div> </div> <div id=foot>");
    const ProgramRun run = RunQuery({"--json", "--origin", m_service.Origin(), "odd"});
    ASSERT_EQ(run.status, 0);
    const std::optional<JsonValue> result = ParseJson(run.out);
    ASSERT_TRUE(result) << run.out;
    EXPECT_EQ((*result)["avatarUrl"].AsString(), "\\\"\x01");
    EXPECT_EQ((*result)["controls"]["性别组"]["text"].AsString(), "性别: \t\x02");
    // Bytes that are not UTF-8 were decoded as the replacement character, which GBK lacks.
    EXPECT_EQ((*result)["onlineText"].AsString(), "\"\\\x7f??");
}

// A page cannot drive the terminal: control characters in its values are shown, not sent.
TEST_F(QueryProgramTest, TextShowsControlCharactersOfThePageHarmlessly) {
    m_service.SetProfilePage("esc", "stylesheet 基本资料 性别 profile-cnt>\x1b[2J\x07"
                                    "a\tb</span>"
                                    "</div> </div> <div id=foot>");
    const ProgramRun run = RunQuery({"--origin", m_service.Origin(), "esc"});
    ASSERT_EQ(run.status, 0);
    EXPECT_EQ(run.out.find('\x1b'), std::string::npos);
    EXPECT_EQ(run.out.find('\x07'), std::string::npos);
    EXPECT_NE(run.out.find("  性别: \xEF\xBF\xBD[2J\xEF\xBF\xBD"
                           "a b\n"),
              std::string::npos);
}

TEST_F(QueryProgramTest, TextShowsTheWindowGroupByGroup) {
    const ProgramRun run = RunQuery({"--origin", m_service.Origin(), "lisi_2008"});
    ASSERT_EQ(run.status, 0) << run.err;
    const std::vector<std::string> lines = Lines(run.out);
    ASSERT_EQ(lines.size(), 3u + 5 + 28 + 1);
    EXPECT_EQ(lines[0], "lisi_2008  " + m_service.Origin() + "/p/lisi_2008/detail");
    EXPECT_EQ(lines[1], "在线状态:  离线");
    EXPECT_EQ(lines[2].rfind("头像: ", 0), 0u);
    EXPECT_EQ(lines[3], "基本资料");
    EXPECT_EQ(lines[4], "  性别: 女");
    EXPECT_EQ(lines[9], "  个人简介:  喜欢安静，喜欢 <b>猫</b> &amp; 茶。");
    EXPECT_EQ(lines[10], "详细资料");
    EXPECT_EQ(lines[32], "工作信息");
    EXPECT_EQ(lines[33], "  公司: 上海青禾设计工作室  年份: 2013 - 至今");
    EXPECT_EQ(lines[34], "  公司: 无  年份: 无");
    EXPECT_EQ(lines.back(), "");
}

TEST_F(QueryProgramTest, ExitStatusTellsWhetherEveryPageWasFetched) {
    int closedPort = 0;
    {
        demo::SampleService gone;
        ASSERT_TRUE(gone.Start());
        closedPort = gone.Port();
    }
    const std::string closed = "http://127.0.0.1:" + std::to_string(closedPort);
    struct Case {
        const char* name;
        std::vector<std::string> arguments;
        std::string environmentOrigin;
        int status;
        std::string errContains;
        std::size_t outLines;
    } cases[] = {
        {"all fetched", {"--origin", m_service.Origin(), "张三", "nobody", ""}, "", 0, "", 3 * 37},
        {"environment origin", {"lisi_2008"}, m_service.Origin(), 0, "", 37},
        {"option wins over environment", {"--origin", m_service.Origin(), "x"}, closed, 0, "", 37},
        {"one page not fetched",
         {"--origin", closed, "张三"},
         "",
         1,
         "cannot fetch " + closed + "/p/%D5%C5%C8%FD/detail: ",
         37},
        {"environment origin not reachable", {"x"}, closed, 1, closed + "/p/x/detail", 37},
        {"no name", {"--json"}, "", 2, "usage: quorlen-query", 0},
        {"unknown option", {"--verbose", "x"}, "", 2, "unknown option --verbose", 0},
        {"origin without value", {"x", "--origin"}, "", 2, "usage:", 0},
        {"origin with a path", {"--origin", "http://127.0.0.1/p", "x"}, "", 2, "usage:", 0},
        {"bad environment origin", {"x"}, "127.0.0.1:80", 2, "usage:", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const ProgramRun run = RunQuery(c.arguments, c.environmentOrigin);
        EXPECT_EQ(run.status, c.status);
        if (c.errContains.empty())
            EXPECT_EQ(run.err, "");
        else
            EXPECT_NE(run.err.find(c.errContains), std::string::npos) << run.err;
        EXPECT_EQ(Lines(run.out).size(), c.outLines);
    }
}

TEST(QueryProgram, NamesReachTheServerAsPercentEncodedGbk) {
    RecordingServer server;
    struct Case {
        const char* name;
        std::string target;
    } cases[] = {
        {"张三", "/p/%D5%C5%C8%FD/detail"},
        {"abc_XYZ-0.9", "/p/abc_XYZ-0.9/detail"},
        {"a b+c", "/p/a%20b%2Bc/detail"},
        {"", "/p//detail"},
        // GBK holds no emoji: one "?" per UTF-16 unit.
        {"\xF0\x9F\x98\x80", "/p/%3F%3F/detail"},
    };
    for (const Case& c : cases) {
        const std::size_t before = server.RequestCount();
        const ProgramRun run = RunQuery({"--origin", server.BaseUrl(), c.name});
        EXPECT_EQ(run.status, 0) << c.name << run.err;
        const std::vector<RecordedRequest> requests = server.Requests();
        ASSERT_GT(requests.size(), before) << c.name;
        EXPECT_EQ(requests[before].method, "GET");
        EXPECT_EQ(requests[before].target, c.target) << c.name;
    }
}

} // namespace
} // namespace quorlen
