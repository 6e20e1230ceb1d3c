#pragma once
// What minimising and restoring the main window do: a clipboard viewer and a word assistant that stay on
// top with the window are hidden with it and come back with it; the window goes into the tray when
// [HideOption] "MinimizeToTray" asks for it and a tray holds the program's icon (never where there is no
// way back); and the title shows only the document's name while minimised when [Option] "ShowFilePath"
// is on and "MiniFullPath" is off.

#include <optional>
#include <string>

namespace qx {

// The state at the moment the window is minimised.
struct TMinimizeState {
    bool StayOnTop = false;
    bool ClipViewerShown = false;
    bool WordAssistantShown = false;
    bool MinimizeToTray = false;
    // The tray shows the program's icon (so a hidden window can be brought back from it).
    bool TrayHoldsIcon = false;
};

struct TMinimizeSteps {
    bool HideClipViewer = false;
    bool HideWordAssistant = false;
    // Hide the window: it is in the tray only.
    bool HideWindow = false;
};

struct TRestoreSteps {
    bool ShowClipViewer = false;
    bool ShowWordAssistant = false;
};

class TMinimizeRestore {
public:
    TMinimizeSteps Minimize(const TMinimizeState& State);
    // The tool windows the minimise hid come back (once).
    TRestoreSteps Restore();

    // The window's title while minimised, when it differs from the usual one: "[" + the document's name
    // without folder (a project item's shown name) + "] - QxEditor ".
    static std::optional<std::string> MinimizedTitle(const std::string& DocumentName, bool ShowFilePath,
                                                     bool MiniFullPath);

private:
    TRestoreSteps FHidden;
};

} // namespace qx
