// The page pipeline of a query on any bytes the server may send: decode, crop, cut the
// avatar and online phrase, reset and fill a display model. Every control written must be
// one of the layout's, and the fill must agree with a plain search of the whole page.
#include "codec/url_decode.h"
#include "query/display_model.h"
#include "query/find_marker.h"
#include "query/main_window_layout.h"
#include "query/profile_fields.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view body(reinterpret_cast<const char*>(data), size);
    int position = 0;
    const quorlen::Text page = quorlen::CutBetween(quorlen::UrlDecodeUtf8(body), "stylesheet",
                                                   "</div> </div> <div id=foot>", position);
    position = 0;
    const quorlen::Text avatar =
        quorlen::CutBetween(page, "portrait-img src=\"", "\"><span></span>", position);
    if (avatar.size() > page.size())
        __builtin_trap();

    // The raw body is searched as well as the cropped page, so that the fuzzer can reach the
    // fill without first finding both crop markers.
    for (const std::string_view text : {std::string_view(page), body}) {
        quorlen::DisplayModel model;
        quorlen::ResetProfileFields(model);
        quorlen::FillProfileSections(model, text);
        if (model.ControlNames().size() != quorlen::MainWindowLayout().size())
            __builtin_trap();
        for (const quorlen::ProfileField& field : quorlen::ProfileFieldTable()) {
            const quorlen::ControlState state = model.Control(field.control);
            if (state.text == field.defaultText)
                continue;
            // A found value: the prefix, then bytes of the page (and the years after theirs).
            if (!state.text.starts_with(field.prefix) ||
                state.text.size() > field.prefix.size() + field.yearsPrefix.size() + text.size())
                __builtin_trap();
        }
    }
    return 0;
}
