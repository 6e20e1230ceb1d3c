#pragma once
// The document panels of the main window's status bar, as texts computed from a snapshot of the focused
// editor. The snapshot's figures come from the row store's index (line of a row, character offset of the
// caret, text length), so a caret move costs nothing in the size of the text; only the caret row's own
// text is walked, for a column counted in characters.

#include "documents/GlobalState.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace qx {

// Panels: 0 line : column, 1 offset / length, 2 modified, 3 spacer, 4 insert or overwrite, 5 Num Lock,
// 6 Caps Lock, 7 edit state, 8 character code, 9 line end, 10 free text.
inline constexpr int StatusPanelCount = 11;
inline constexpr std::array<int, StatusPanelCount> StatusPanelWidths = {95, 115, 38, 10, 38, 38, 38, 38, 70, 50, 150};
using TStatusPanels = std::array<std::string, StatusPanelCount>;  // UTF-8

// What the status bar needs of the focused editor.
struct TStatusSnapshot {
    int Row = 0;             // caret row
    int Line = 0;            // logical line of the caret row
    int Col = 0;             // caret column on the screen (a tab spans to its stop; may lie past the row end)
    std::string_view RowText;  // the caret row's text
    int TabSpaceCount = 8;
    int WrapByte = 0;        // the wrap column while word wrap is on, else 0
    std::int64_t SelStart = 0;   // the caret's character offset (a line end counts 2)
    std::int64_t TextLength = 0; // the text's length in the same count
    bool OverWrite = false;
    bool OpenReadOnly = false;
    bool ReadOnly = false;
    int CharType = 2;  // TSaveFileCharType
    int RtrnType = 2;  // TSaveFileRtrnType
};

// Num Lock and Caps Lock; nothing when the platform cannot tell.
class TLockKeyProbe {
public:
    virtual ~TLockKeyProbe() = default;
    virtual std::optional<bool> NumLock() const = 0;
    virtual std::optional<bool> CapsLock() const = 0;
};

// The number of characters before screen column Col of a row: the column is first mapped to the byte
// it stands on (a tab is one character however wide it shows), and each column past the row's end
// counts one.
int CharacterColumn(std::string_view RowText, int Col, int TabSpaceCount, int WrapByte);

class TStatusBarModel {
public:
    explicit TStatusBarModel(TGlobalState& State) : FState(State) {}

    const TStatusPanels& Panels() const { return FPanels; }

    // Panels 0, 1, 4, 7, 8 and 9 from the focused editor; nothing without one.
    void RefreshStatusBar(const TStatusSnapshot* Focused);
    // TextLengthValue from the focused editor; nothing without one.
    void UpdateTextLength(const TStatusSnapshot* Focused);
    // Panel 2.
    void SetModified(bool Modified);
    // Panels 5 and 6; unknown states leave them empty.
    void UpdateLockKeys(const TLockKeyProbe& Probe);
    // Panel 10.
    void SetFreeText(std::string Text);

private:
    TGlobalState& FState;
    TStatusPanels FPanels;
};

} // namespace qx
