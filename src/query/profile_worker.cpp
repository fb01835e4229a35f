#include "query/profile_worker.h"

#include "platform/whole_body_get.h"
#include "query/control_names.h"
#include "query/find_marker.h"
#include "query/profile_fields.h"
#include "web/http_class.h"

namespace quorlen {

namespace {

constexpr std::string_view kCropFront = "stylesheet";
constexpr std::string_view kCropBack = "</div> </div> <div id=foot>";
constexpr std::string_view kAvatarFront = "portrait-img src=\"";
constexpr std::string_view kAvatarBack = "\"><span></span>";
constexpr std::string_view kOnlineFront = "<div class=info-online>";
constexpr std::string_view kOnlineBack = "</div>";
constexpr std::string_view kOnlinePrefix = "\xD4\xDA\xCF\xDF\xD7\xB4\xCC\xAC:  "; // 在线状态:
constexpr std::string_view kOnline = "\xD4\xDA\xCF\xDF";                          // 在线
constexpr std::string_view kNoSuchUser =
    "\xB2\xBB\xB4\xE6\xD4\xDA\xB5\xC4\xD3\xC3\xBB\xA7"; // 不存在的用户

} // namespace

ProfileOutcome ProfileWorker(QueryState& state, QueryTicket ticket, Display& target,
                             HttpClass& http, std::string_view defaultPortraitAddress) {
    GatedDisplay display(state, ticket.generation, target);
    ProfileOutcome outcome;
    outcome.profileUrl = ticket.profileUrl;
    const auto superseded = [&] {
        outcome.superseded = !state.IsCurrent(ticket.generation);
        return outcome.superseded;
    };

    const Text body = http.FetchText(ticket.profileUrl);
    // The fetch clears this thread's last error when it starts, so an error now means
    // nothing came back at all.
    if (const PlatformError& error = LastPlatformError(); error.code != 0) {
        outcome.pageFetched = false;
        outcome.fetchError = error;
    }
    if (superseded())
        return outcome;

    int position = 0;
    const Text page = CutBetween(http.UrlDecodeUtf8(body), kCropFront, kCropBack, position);
    state.PublishPageText(ticket.generation, page);

    position = 0;
    outcome.avatarUrl = CutBetween(page, kAvatarFront, kAvatarBack, position);
    state.PublishAvatarUrl(ticket.generation, outcome.avatarUrl);
    const Bytes avatar = FetchWholeBody(outcome.avatarUrl);
    if (superseded())
        return outcome;
    display.SetPicture(controls::kAvatarPicture, avatar);

    ResetProfileFields(display);

    if (FindMarker(outcome.avatarUrl, defaultPortraitAddress) != -1) {
        outcome.exists = false;
        display.SetText(controls::kOnlineStatus, kNoSuchUser);
        display.SetTextColor(controls::kOnlineStatus, colors::kOrange);
        display.SetStrikeout(controls::kOnlineStatus, true);
        superseded();
        return outcome;
    }

    position = 0;
    outcome.onlineText = CutBetween(page, kOnlineFront, kOnlineBack, position);
    state.PublishOnlineText(ticket.generation, outcome.onlineText);
    display.SetText(controls::kOnlineStatus, JoinTexts({kOnlinePrefix, outcome.onlineText}));
    display.SetStrikeout(controls::kOnlineStatus, false);
    display.SetTextColor(controls::kOnlineStatus,
                         outcome.onlineText == kOnline ? colors::kGreen : colors::kRed);

    FillProfileSections(display, page);
    superseded();
    return outcome;
}

} // namespace quorlen
