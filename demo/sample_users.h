#pragma once

#include <span>
#include <string_view>
#include <utility>
#include <vector>

namespace quorlen::demo {

using SampleEntry = std::pair<std::string_view, std::string_view>; // label, value (UTF-8)

struct SampleCompany {
    std::string_view name;
    std::string_view years;
};

// A user of the sample service. Texts are UTF-8 as the service's pages carry them; a section
// without entries is left out of the page, heading and all.
struct SampleUser {
    std::string_view name;
    std::string_view gbkName; // the same name in GBK, as it arrives in the address
    std::string_view portraitId;
    std::string_view onlinePhrase;
    std::vector<SampleEntry> basic = {};
    std::vector<SampleEntry> detail = {};
    std::vector<SampleEntry> interests = {};
    std::vector<SampleEntry> education = {};
    std::vector<SampleCompany> companies = {};
};

std::span<const SampleUser> SampleUsers();

// The user whose name is these GBK bytes, or nullptr.
const SampleUser* FindSampleUser(std::string_view gbkName);

} // namespace quorlen::demo
