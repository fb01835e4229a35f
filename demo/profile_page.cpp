#include "demo/profile_page.h"

namespace quorlen::demo {

namespace {

// Inline style and script of the size asked for, made of rules and module definitions like
// those of a real page.
std::string Furniture(std::size_t bytes) {
    std::string style = "<style type=\"text/css\">\n";
    std::string script = "<script type=\"text/javascript\">\nvar F = window.F || {};\n";
    const std::size_t half = bytes / 2;
    for (int i = 0; style.size() < half; ++i) {
        style += ".mod-item-" + std::to_string(i) + " .item-title{margin:0 " +
                 std::to_string(i % 17) + "px;padding:4px " + std::to_string(i % 9) +
                 "px;color:#3" + std::to_string(i % 10) + "6699;font:12px/1.5 arial,sans-serif;}\n";
    }
    style += "</style>\n";
    for (int i = 0; script.size() < bytes - half; ++i) {
        script += "F.module('widget/item" + std::to_string(i) +
                  "', function(require, exports){ var node = document.getElementById('item" +
                  std::to_string(i) +
                  "'); exports.init = function(o){ if (node) { node.title = o.t" +
                  " || ''; } }; });\n";
    }
    script += "</script>\n";
    return style + script;
}

void AppendEntries(std::string& page, std::string_view heading,
                   const std::vector<SampleEntry>& entries, bool valueInProfileCnt) {
    if (entries.empty())
        return;
    page += "<div class=mod-profile-section><h3 class=mod-title>";
    page += heading;
    page += "</h3>\n<ul class=profile-list>\n";
    for (const auto& [label, value] : entries) {
        page += "<li class=profile-item><span class=profile-attr>";
        page += label;
        page += valueInProfileCnt ? "</span><span class=profile-cnt>" : "</span><span>";
        page += value;
        page += "</span></li>\n";
    }
    page += "</ul></div>\n";
}

std::string Page(std::string_view name, std::string_view avatar, std::string_view onlinePhrase,
                 const SampleUser* user, std::string_view origin, std::size_t furnitureBytes) {
    std::string page = "<!DOCTYPE html>\n<html><head>\n<meta charset=\"utf-8\">\n<title>";
    page += name;
    page += "的个人资料_百度空间</title>\n<link rel=\"stylesheet\" type=\"text/css\" href=\"";
    page += origin;
    page += "/static/profile/detail.css\">\n";
    page += Furniture(furnitureBytes);
    page += "</head>\n<body>\n<div id=head><div class=nav><a href=\"/\">首页</a> | <a "
            "href=\"/album\">相册</a> | <a href=\"/friends\">好友</a></div></div>\n";
    page += "<div id=content> <div class=mod-detail>\n<div class=detail-left>\n";
    page += "<a class=portrait href=\"#\"><img class=portrait-img src=\"";
    page += avatar;
    page += "\"><span></span></a>\n<div class=info-name>";
    page += name;
    page += "</div>\n";
    if (!onlinePhrase.empty()) {
        page += "<div class=info-online>";
        page += onlinePhrase;
        page += "</div>\n";
    }
    page += "</div>\n<div class=detail-right>\n";
    if (user) {
        AppendEntries(page, "基本资料", user->basic, true);
        AppendEntries(page, "详细资料", user->detail, false);
        AppendEntries(page, "兴趣爱好", user->interests, true);
        AppendEntries(page, "教育背景", user->education, false);
        if (!user->companies.empty()) {
            page += "<div class=mod-profile-section><h3 class=mod-title>工作信息</h3>\n<ul>\n";
            for (const SampleCompany& company : user->companies) {
                page += "<li class=profile-corp><span class=corp-name><span "
                        "class=profile-attr>公司</span>";
                page += company.name;
                page += "</span><span class=profile-corp-exp>";
                page += company.years;
                page += "</span></li>\n";
            }
            page += "</ul></div>\n";
        }
    }
    page += "</div> </div> <div id=foot>&copy;2013 Baidu <a href=\"/help\">帮助</a></div>\n";
    page += "</body></html>\n";
    return page;
}

} // namespace

std::string PortraitAddress(std::string_view origin, std::string_view portraitId) {
    std::string address(origin);
    address += "/sys/portrait/item/";
    address += portraitId;
    address += ".jpg?cdnversion=20130603";
    return address;
}

std::string ProfilePage(const SampleUser& user, std::string_view origin,
                        std::size_t furnitureBytes) {
    return Page(user.name, PortraitAddress(origin, user.portraitId), user.onlinePhrase, &user,
                origin, furnitureBytes);
}

std::string NotFoundPage(std::string_view origin) {
    return Page("", PortraitAddress(origin, ""), "", nullptr, origin, kDefaultFurnitureBytes);
}

} // namespace quorlen::demo
