#include "demo/sample_users.h"

namespace quorlen::demo {

namespace {

const std::vector<SampleUser>& Users() {
    static const std::vector<SampleUser> users = {
        {
            .name = "张三",
            .gbkName = "\xD5\xC5\xC8\xFD",
            .portraitId = "e4b8ad7a68616e6773616e0c2f",
            .onlinePhrase = "在线",
            .basic = {{"性别", "男"},
                      {"生日", "1986年5月20日"},
                      {"血型", "O型"},
                      {"出生地", "湖南 长沙"},
                      {"居住地", "广东 深圳"},
                      {"个人简介", "写代码，跑步，偶尔写点东西。"}},
            .detail = {{"体型", "匀称"},
                       {"婚姻状态", "已婚"},
                       {"个人习惯", "早睡早起"},
                       {"性格", "开朗"},
                       {"教育程度", "硕士"},
                       {"当前职业", "软件工程师"},
                       {"联系方式", "zhangsan@example.com"}},
            .interests = {{"书籍", "三体、围城"},
                          {"音乐", "古典音乐"},
                          {"电影", "霸王别姬"},
                          {"运动", "跑步、羽毛球"},
                          {"品牌", "李宁"},
                          {"欣赏的人", "钱学森"},
                          {"其他爱好", "摄影"}},
            .education = {{"大学", "湖南大学"},
                          {"高中", "长沙市第一中学"},
                          {"初中", "长沙市明德中学"},
                          {"小学", "长沙市育英学校"},
                          {"其他", "新东方英语"}},
            .companies = {{"深圳星河软件有限公司", "2012 - 2016"},
                          {"长沙湘江网络科技有限公司", "2009 - 2012"},
                          {"湖南大学计算机实验室", "2008 - 2009"}},
        },
        {
            .name = "lisi_2008",
            .gbkName = "lisi_2008",
            .portraitId = "6c697369ab12cd",
            .onlinePhrase = "离线",
            .basic = {{"性别", "女"},
                      {"生日", "1990年11月3日"},
                      {"血型", "A型"},
                      {"出生地", "浙江 杭州"},
                      {"居住地", "上海 浦东新区"},
                      {"个人简介", "喜欢安静，喜欢 <b>猫</b> &amp; 茶。"}},
            .detail = {{"体型", "苗条"},
                       {"婚姻状态", "单身"},
                       {"个人习惯", "喝茶"},
                       {"性格", "安静"},
                       {"教育程度", "本科"},
                       {"当前职业", "设计师"},
                       {"联系方式", "QQ 12345678"}},
            .interests = {{"书籍", "红楼梦"},
                          {"音乐", "民谣"},
                          {"电影", "千与千寻"},
                          {"运动", "瑜伽"},
                          {"品牌", "无印良品"},
                          {"欣赏的人", "林徽因"},
                          {"其他爱好", "手绘"}},
            .education = {{"大学", "中国美术学院"},
                          {"高中", "杭州高级中学"},
                          {"初中", "杭州市十三中"},
                          {"小学", "求是小学"},
                          {"其他", "无"}},
            .companies = {{"上海青禾设计工作室", "2013 - 至今"}},
        },
        {
            // Partly filled: no blood type or profile text, no interests, no employer.
            .name = "王小明",
            .gbkName = "\xCD\xF5\xD0\xA1\xC3\xF7",
            .portraitId = "77616e67786d01",
            .onlinePhrase = "在线",
            .basic = {{"性别", "男"}, {"生日", "2001年1月1日"}, {"居住地", "北京 海淀"}},
            .detail = {{"体型", "偏瘦"}, {"当前职业", "学生"}},
            .education = {{"大学", "北京理工大学"}, {"高中", "北京四中"}},
        },
        {
            .name = "赵敏",
            .gbkName = "\xD5\xD4\xC3\xF4",
            .portraitId = "7a68616f6d696e99",
            .onlinePhrase = "在线",
            .basic = {{"性别", "女"},
                      {"生日", "1985年8月8日"},
                      {"血型", "B型"},
                      {"出生地", "四川 成都"},
                      {"居住地", "四川 成都"},
                      {"个人简介", "做菜，旅行。"}},
            .detail = {{"体型", "匀称"},
                       {"婚姻状态", "已婚"},
                       {"个人习惯", "晨跑"},
                       {"性格", "直爽"},
                       {"教育程度", "本科"},
                       {"当前职业", "编辑"},
                       {"联系方式", "zhaomin@example.com"}},
            .interests = {{"书籍", "倚天屠龙记"},
                          {"音乐", "川剧"},
                          {"电影", "让子弹飞"},
                          {"运动", "登山"},
                          {"品牌", "华为"},
                          {"欣赏的人", "苏轼"},
                          {"其他爱好", "做菜"}},
            .education = {{"大学", "四川大学"},
                          {"高中", "成都七中"},
                          {"初中", "成都树德中学"},
                          {"小学", "成都泡桐树小学"},
                          {"其他", "无"}},
            .companies = {{"成都锦城出版社", "2010 - 至今"}, {"四川日报社", "2007 - 2010"}},
        },
    };
    return users;
}

} // namespace

std::span<const SampleUser> SampleUsers() {
    return Users();
}

const SampleUser* FindSampleUser(std::string_view gbkName) {
    for (const SampleUser& user : Users()) {
        if (user.gbkName == gbkName)
            return &user;
    }
    return nullptr;
}

} // namespace quorlen::demo
