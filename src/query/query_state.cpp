#include "query/query_state.h"

namespace quorlen {

QueryTicket QueryState::BeginQuery(Text profileUrl) {
    std::lock_guard lock(m_mutex);
    m_profileUrl = profileUrl;
    return {++m_generation, std::move(profileUrl)};
}

void QueryState::SupersedeAll() {
    std::lock_guard lock(m_mutex);
    ++m_generation;
}

bool QueryState::IsCurrent(std::uint64_t generation) const {
    std::lock_guard lock(m_mutex);
    return generation == m_generation;
}

Text QueryState::ProfileUrl() const {
    std::lock_guard lock(m_mutex);
    return m_profileUrl;
}

Text QueryState::PageText() const {
    std::lock_guard lock(m_mutex);
    return m_pageText;
}

Text QueryState::AvatarUrl() const {
    std::lock_guard lock(m_mutex);
    return m_avatarUrl;
}

Text QueryState::OnlineText() const {
    std::lock_guard lock(m_mutex);
    return m_onlineText;
}

bool QueryState::Publish(std::uint64_t generation, Text& slot, Text text) {
    std::lock_guard lock(m_mutex);
    if (generation != m_generation)
        return false;
    slot = std::move(text);
    return true;
}

bool QueryState::PublishPageText(std::uint64_t generation, Text text) {
    return Publish(generation, m_pageText, std::move(text));
}

bool QueryState::PublishAvatarUrl(std::uint64_t generation, Text text) {
    return Publish(generation, m_avatarUrl, std::move(text));
}

bool QueryState::PublishOnlineText(std::uint64_t generation, Text text) {
    return Publish(generation, m_onlineText, std::move(text));
}

void GatedDisplay::SetText(std::string_view control, std::string_view text) {
    m_state.WriteIfCurrent(m_generation, [&] { m_target.SetText(control, text); });
}

void GatedDisplay::SetTextColor(std::string_view control, std::uint32_t color) {
    m_state.WriteIfCurrent(m_generation, [&] { m_target.SetTextColor(control, color); });
}

void GatedDisplay::SetStrikeout(std::string_view control, bool strikeout) {
    m_state.WriteIfCurrent(m_generation, [&] { m_target.SetStrikeout(control, strikeout); });
}

void GatedDisplay::SetPicture(std::string_view control, const Bytes& picture) {
    m_state.WriteIfCurrent(m_generation, [&] { m_target.SetPicture(control, picture); });
}

} // namespace quorlen
