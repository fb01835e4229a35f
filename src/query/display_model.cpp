#include "query/display_model.h"

#include "query/main_window_layout.h"

namespace quorlen {

DisplayModel::DisplayModel() {
    for (const ControlLayout& control : MainWindowLayout())
        m_controls[Text(control.name)].text = Text(control.initialText);
}

ControlState& DisplayModel::StateOf(std::string_view control) {
    auto found = m_controls.find(control);
    if (found == m_controls.end())
        found = m_controls.emplace(Text(control), ControlState{}).first;
    return found->second;
}

void DisplayModel::SetText(std::string_view control, std::string_view text) {
    std::lock_guard lock(m_mutex);
    StateOf(control).text = Text(text);
    m_writes.push_back({DisplayWrite::Kind::Text, Text(control), Text(text)});
}

void DisplayModel::SetTextColor(std::string_view control, std::uint32_t color) {
    std::lock_guard lock(m_mutex);
    StateOf(control).color = color;
    m_writes.push_back({DisplayWrite::Kind::TextColor, Text(control), {}, color});
}

void DisplayModel::SetStrikeout(std::string_view control, bool strikeout) {
    std::lock_guard lock(m_mutex);
    StateOf(control).strikeout = strikeout;
    m_writes.push_back({DisplayWrite::Kind::Strikeout, Text(control), {}, strikeout ? 1u : 0u});
}

void DisplayModel::SetPicture(std::string_view control, const Bytes& picture) {
    std::lock_guard lock(m_mutex);
    StateOf(control).picture = picture;
    m_writes.push_back({DisplayWrite::Kind::Picture,
                        Text(control),
                        {},
                        static_cast<std::uint32_t>(picture.size())});
}

ControlState DisplayModel::Control(std::string_view name) const {
    std::lock_guard lock(m_mutex);
    const auto found = m_controls.find(name);
    return found == m_controls.end() ? ControlState{} : found->second;
}

bool DisplayModel::HasControl(std::string_view name) const {
    std::lock_guard lock(m_mutex);
    return m_controls.find(name) != m_controls.end();
}

std::vector<Text> DisplayModel::ControlNames() const {
    std::lock_guard lock(m_mutex);
    std::vector<Text> names;
    for (const auto& [name, state] : m_controls)
        names.push_back(name);
    return names;
}

std::vector<DisplayWrite> DisplayModel::Writes() const {
    std::lock_guard lock(m_mutex);
    return m_writes;
}

} // namespace quorlen
