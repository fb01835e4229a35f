#pragma once

#include "platform/last_error.h"
#include "query/display.h"
#include "query/query_state.h"

#include <string_view>

namespace quorlen {

class HttpClass;

// What a worker found out, as plain data for a front end that reports more than the
// window shows.
struct ProfileOutcome {
    Text profileUrl;
    // False when the page could not be fetched at all (an HTTP error page counts as
    // fetched); then `fetchError` holds the platform's error.
    bool pageFetched = true;
    PlatformError fetchError;
    Text avatarUrl;
    Text onlineText;
    // False only when the avatar address showed the service's not-found portrait.
    bool exists = true;
    // True when a later query superseded this one before it finished; it then wrote nothing
    // after that point and the other fields hold what it had reached.
    bool superseded = false;
};

// One profile query, run on its worker thread: fetch the page, decode and crop it, cut the
// avatar address and show the avatar, reset the fields, test for a user that does not exist,
// show the online status and fill the fields. It writes `display` and the shared texts of
// `state` only while its ticket is current.
ProfileOutcome ProfileWorker(QueryState& state, QueryTicket ticket, Display& display,
                             HttpClass& http, std::string_view defaultPortraitAddress);

} // namespace quorlen
