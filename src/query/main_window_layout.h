#pragma once

#include <span>
#include <string_view>

namespace quorlen {

enum class ControlKind { Button, PictureBox, GroupBox, Label, EditBox, WebBrowser };

// One control of the main window as it is laid out at start. Names and texts are GBK.
struct ControlLayout {
    std::string_view name;
    ControlKind kind;
    // The group box that holds the control, or empty when it sits on the window itself;
    // left and top are relative to the parent's client area.
    std::string_view parent;
    int left;
    int top;
    int width;
    int height;
    // The caption of a button, label or group box, the content of an edit box; empty for
    // the picture boxes and the browser, which start without text.
    std::string_view initialText;
    bool hidden;
};

// Every control of the main window. Among controls of the same parent the order is the
// stacking order, the first on top.
std::span<const ControlLayout> MainWindowLayout();

// The control of that name, or nullptr.
const ControlLayout* FindControlLayout(std::string_view name);

} // namespace quorlen
