#pragma once

#include "query/display.h"

#include <cstdint>
#include <mutex>

namespace quorlen {

// What a started query carries to its worker: its own copy of the address, and the
// generation that tells whether a later query has superseded it.
struct QueryTicket {
    std::uint64_t generation = 0;
    Text profileUrl;
};

// The texts that queries share with the rest of the program (the address of the last query,
// its page, avatar address and online phrase) and the generation of the current query.
// A later query supersedes every earlier one: from then on the earlier worker can neither
// publish a text nor write the display, so two overlapping queries never mix their results.
class QueryState {
public:
    // Stores the address as ProfileUrl and makes the new query the current one.
    QueryTicket BeginQuery(Text profileUrl);
    // Supersedes the current query without starting another (at shutdown).
    void SupersedeAll();
    bool IsCurrent(std::uint64_t generation) const;

    Text ProfileUrl() const;
    Text PageText() const;
    Text AvatarUrl() const;
    Text OnlineText() const;

    // Each stores its text in one step, only while `generation` is current; false otherwise.
    bool PublishPageText(std::uint64_t generation, Text text);
    bool PublishAvatarUrl(std::uint64_t generation, Text text);
    bool PublishOnlineText(std::uint64_t generation, Text text);

    // Runs `write` under the lock while `generation` is current, so that no write of a
    // query can follow the start of the query that supersedes it. `write` must not call back
    // into this object.
    template <typename Write>
    bool WriteIfCurrent(std::uint64_t generation, Write&& write) {
        std::lock_guard lock(m_mutex);
        if (generation != m_generation)
            return false;
        write();
        return true;
    }

private:
    bool Publish(std::uint64_t generation, Text& slot, Text text);

    mutable std::mutex m_mutex;
    std::uint64_t m_generation = 0;
    Text m_profileUrl;
    Text m_pageText;
    Text m_avatarUrl;
    Text m_onlineText;
};

// The display as one query sees it: every write goes through while the query is current
// and is dropped once a later query has superseded it.
class GatedDisplay final : public Display {
public:
    GatedDisplay(QueryState& state, std::uint64_t generation, Display& target)
        : m_state(state), m_generation(generation), m_target(target) {}

    void SetText(std::string_view control, std::string_view text) override;
    void SetTextColor(std::string_view control, std::uint32_t color) override;
    void SetStrikeout(std::string_view control, bool strikeout) override;
    void SetPicture(std::string_view control, const Bytes& picture) override;

private:
    QueryState& m_state;
    std::uint64_t m_generation;
    Display& m_target;
};

} // namespace quorlen
