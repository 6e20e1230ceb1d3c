#pragma once
// The one-point tips: a list of short texts about the program's features, paged through in a small
// window at start and from the Help menu. The tips file holds one tip per line in CP932; the user's
// choice to see them at start lives under [OnePoint] "ShowAtStart" of "QxEditor.ini".

#include "platform/Color.h"
#include "platform/Component.h"
#include "platform/StringList.h"

#include <string>
#include <string_view>

namespace qx {

inline constexpr std::string_view TipsFileName = "QxEditor.tip";
// The one tip of an empty list.
inline constexpr std::string_view kNoTipsText = "No tips available !";

// The paging of the tip window: the tips (never empty), the one shown and which way one can go.
class TTipPager {
public:
    // An empty list pages the single tip kNoTipsText.
    explicit TTipPager(const TStringList& tips);
    int Count() const { return FTips.Count(); }
    int Index() const { return FIndex; }
    const std::string& Tip() const { return FTips[FIndex]; }
    bool CanPrev() const { return FIndex > 0; }
    bool CanNext() const { return FIndex + 1 < Count(); }
    void Next();
    void Prev();

private:
    TStringList FTips;
    int FIndex = 0;
};

// What the tip window is shown with. Texts are UTF-8, the tips CP932.
struct TTipWindowSetup {
    std::string Caption;
    std::string CheckCaption;
    std::string Heading;
    TColor Background = clWhite;
    bool ShowAtStart = true;
    TStringList Tips;
};

// The tip window (the Qt side shows the dialog; tests fake it).
class TTipWindow {
public:
    virtual ~TTipWindow() = default;
    // Shows the window modally; returns the modal result (OK from the close button, Cancel from the
    // window's close box) and the check box's state at closing in `showAtStart`.
    virtual int ShowModal(const TTipWindowSetup& setup, bool& showAtStart) = 0;
};

class TQxEditorTips : public TComponent {
public:
    // `iniPath`: the main settings file, where the show-at-start choice is kept.
    explicit TQxEditorTips(std::string iniPath, TComponent* AOwner = nullptr)
        : TComponent(AOwner), FIniPath(std::move(iniPath)) {}

    std::string Title;
    std::string TipHelp;
    TColor TipBackground = clWhite;
    bool ShowAtStart = true;
    bool SaveShowAtStart = true;
    TStringList Tips;
    int TipsCount() const { return Tips.Count(); }

    // Reads the tips file into Tips; a missing or unreadable file leaves the list as it was (false).
    bool LoadTips(const std::string& path);
    // [OnePoint] "ShowAtStart", with ShowAtStart as the default.
    bool ReadShowAtStart() const;
    // Shows the tip window; keeps the check box in ShowAtStart and, when SaveShowAtStart is set, in the
    // settings file (every other byte of it stays). True when the window was closed in any way.
    bool Execute(TTipWindow& window);

private:
    std::string FIniPath;
};

} // namespace qx
