#include "query/display_model.h"
#include "query/query_state.h"

#include <gtest/gtest.h>
#include <thread>

namespace quorlen {
namespace {

TEST(QueryState, ALaterQuerySupersedesTheEarlierOnesWritesAndTexts) {
    QueryState state;
    DisplayModel model;
    const QueryTicket first = state.BeginQuery("http://a/p/x/detail");
    GatedDisplay firstDisplay(state, first.generation, model);
    firstDisplay.SetText("c", "first");
    EXPECT_TRUE(state.PublishAvatarUrl(first.generation, "avatar-1"));

    const QueryTicket second = state.BeginQuery("http://a/p/y/detail");
    EXPECT_EQ(first.profileUrl, "http://a/p/x/detail");
    EXPECT_EQ(state.ProfileUrl(), "http://a/p/y/detail");
    EXPECT_FALSE(state.IsCurrent(first.generation));
    EXPECT_TRUE(state.IsCurrent(second.generation));

    firstDisplay.SetText("c", "late");
    firstDisplay.SetTextColor("c", 1);
    firstDisplay.SetStrikeout("c", true);
    firstDisplay.SetPicture("c", Bytes{1});
    EXPECT_FALSE(state.PublishAvatarUrl(first.generation, "avatar-late"));
    EXPECT_FALSE(state.PublishOnlineText(first.generation, "late"));
    EXPECT_FALSE(state.PublishPageText(first.generation, "late"));
    EXPECT_EQ(model.Control("c").text, "first");
    EXPECT_EQ(model.Writes().size(), 1u);
    EXPECT_EQ(state.AvatarUrl(), "avatar-1");

    GatedDisplay secondDisplay(state, second.generation, model);
    secondDisplay.SetText("c", "second");
    EXPECT_TRUE(state.PublishAvatarUrl(second.generation, "avatar-2"));
    EXPECT_EQ(model.Control("c").text, "second");
    EXPECT_EQ(state.AvatarUrl(), "avatar-2");

    state.SupersedeAll();
    secondDisplay.SetText("c", "after shutdown");
    EXPECT_EQ(model.Control("c").text, "second");
}

// A reader on another thread sees either the old or the new address, never a mixture.
TEST(QueryState, AvatarUrlIsPublishedInOneStep) {
    QueryState state;
    const QueryTicket ticket = state.BeginQuery("u");
    const Text a(4096, 'a');
    const Text b(4096, 'b');
    std::thread writer([&] {
        for (int i = 0; i < 2000; ++i)
            state.PublishAvatarUrl(ticket.generation, i % 2 ? a : b);
    });
    for (int i = 0; i < 2000; ++i) {
        const Text seen = state.AvatarUrl();
        EXPECT_TRUE(seen.empty() || seen == a || seen == b);
    }
    writer.join();
}

} // namespace
} // namespace quorlen
