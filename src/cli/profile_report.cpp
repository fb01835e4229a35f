#include "cli/profile_report.h"

#include "cli/json_writer.h"
#include "cli/sha256.h"
#include "codec/gbk_unicode.h"
#include "query/control_names.h"
#include "query/main_window_layout.h"
#include "query/profile_fields.h"

#include <array>

namespace quorlen {

namespace {

constexpr std::array kGroupBoxes = {controls::kBasicGroupBox, controls::kDetailGroupBox,
                                    controls::kInterestsGroupBox, controls::kEducationGroupBox,
                                    controls::kWorkGroupBox};

// A page's texts go to a terminal as they were cut, so control characters (an escape
// sequence above all) are shown as U+FFFD instead of being obeyed; a tab becomes a space.
std::string Printable(std::string_view utf8) {
    std::string out;
    for (const char c : utf8) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte == '\t')
            out += ' ';
        else if (byte < 0x20 || byte == 0x7F)
            out += "\xEF\xBF\xBD";
        else
            out += c;
    }
    return out;
}

// The lines of a text without their trailing blanks, the empty ones left out, joined by two
// spaces.
std::string OneLine(std::string_view utf8) {
    std::string line;
    while (!utf8.empty()) {
        const std::size_t end = utf8.find_first_of("\r\n");
        std::string_view piece = utf8.substr(0, end);
        while (!piece.empty() && (piece.back() == ' ' || piece.back() == '\t'))
            piece.remove_suffix(1);
        if (!piece.empty()) {
            if (!line.empty())
                line += "  ";
            line += Printable(piece);
        }
        if (end == std::string_view::npos)
            break;
        utf8.remove_prefix(end + 1);
    }
    return line;
}

std::string ControlLine(const DisplayModel& model, std::string_view control) {
    return OneLine(GbkToUtf8(model.Control(control).text));
}

} // namespace

std::string TextReport(std::string_view utf8Name, const ProfileOutcome& outcome,
                       const DisplayModel& model) {
    std::string report(utf8Name);
    report += "  ";
    report += GbkToUtf8(outcome.profileUrl);
    report += '\n';
    report += ControlLine(model, controls::kOnlineStatus);
    report += '\n';
    const Bytes picture = model.Control(controls::kAvatarPicture).picture;
    report +=
        picture.empty() ? "头像: 无\n" : "头像: " + std::to_string(picture.size()) + " 字节\n";
    for (const std::string_view box : kGroupBoxes) {
        report += ControlLine(model, box);
        report += '\n';
        for (const ProfileField& field : ProfileFieldTable()) {
            const ControlLayout* layout = FindControlLayout(field.control);
            if (layout && layout->parent == box) {
                report += "  ";
                report += ControlLine(model, field.control);
                report += '\n';
            }
        }
    }
    report += '\n';
    return report;
}

std::string JsonReport(std::string_view utf8Name, const ProfileOutcome& outcome,
                       const DisplayModel& model) {
    std::string json = "{\"name\": ";
    AppendJsonString(json, utf8Name);
    json += ", \"url\": ";
    AppendJsonString(json, GbkToUtf8(outcome.profileUrl));
    json += ", \"avatarUrl\": ";
    AppendJsonString(json, GbkToUtf8(outcome.avatarUrl));
    json += ", \"onlineText\": ";
    AppendJsonString(json, GbkToUtf8(outcome.onlineText));
    json += ", \"exists\": ";
    json += outcome.exists ? "true" : "false";
    json += ", \"controls\": {";
    const auto appendTextControl = [&](std::string_view control) {
        const ControlState state = model.Control(control);
        AppendJsonString(json, GbkToUtf8(control));
        json += ": {\"text\": ";
        AppendJsonString(json, GbkToUtf8(state.text));
        json += ", \"color\": " + std::to_string(state.color);
        json += ", \"strikeout\": ";
        json += state.strikeout ? "true" : "false";
        json += "}, ";
    };
    for (const ProfileField& field : ProfileFieldTable())
        appendTextControl(field.control);
    appendTextControl(controls::kOnlineStatus);
    const Bytes picture = model.Control(controls::kAvatarPicture).picture;
    AppendJsonString(json, GbkToUtf8(controls::kAvatarPicture));
    json += ": {\"pictureBytes\": " + std::to_string(picture.size());
    json += ", \"pictureSha256\": \"" + Sha256Hex(picture) + "\"}}}\n";
    return json;
}

} // namespace quorlen
