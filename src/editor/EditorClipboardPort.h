#pragma once
// The system clipboard as the editing control sees it: Shift-JIS text, and a flag that the text is a
// box (rectangular) selection, which travels as a format of its own beside the plain text.

#include <cstddef>
#include <functional>
#include <optional>
#include <string>

namespace qx {

// The name of the box format, a MIME type of the clipboard.
constexpr const char* BoxClipboardFormat = "application/x-qt-windows-mime;value=\"TEditor Box Type\"";

class TEditorClipboardPort {
public:
    virtual ~TEditorClipboardPort() = default;
    virtual bool HasText() const = 0;
    // The clipboard's text as Shift-JIS bytes; Lost (when given) receives the number of its characters
    // that code page 932 has no code for (each became "?").
    virtual std::string Text(std::size_t* Lost) const = 0;
    std::string Text() const { return Text(nullptr); }
    // True when the clipboard holds a box selection.
    virtual bool HasBoxFormat() const = 0;
    // Puts Shift-JIS text on the clipboard, marked as a box selection when Box.
    virtual void SetText(const std::string& Text, bool Box) = 0;
    // Empties the clipboard.
    virtual void Clear() { SetText({}, false); }

    // The primary selection of desktops that have one (X11), which a middle click pastes. A control
    // offers its selection while it has one: Text is asked for only when a program pastes, so selecting
    // costs nothing in the size of the selection. Before the selection goes, the owner keeps its text
    // (asked once, then fixed). Desktops without a primary selection ignore all three.
    virtual void OfferPrimarySelection(const void* Owner, std::function<std::string()> Text) {}
    virtual void KeepPrimarySelection(const void* Owner) {}
    // The primary selection's text as Shift-JIS bytes, Lost as for Text; nothing when there is none.
    virtual std::optional<std::string> PrimarySelectionText(std::size_t* Lost) const
    {
        if (Lost) *Lost = 0;
        return std::nullopt;
    }
    std::optional<std::string> PrimarySelectionText() const { return PrimarySelectionText(nullptr); }
};

} // namespace qx
