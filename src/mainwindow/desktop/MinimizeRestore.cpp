#include "mainwindow/desktop/MinimizeRestore.h"

#include "mainwindow/files/TabModel.h"

#include <utility>

namespace qx {

TMinimizeSteps TMinimizeRestore::Minimize(const TMinimizeState& State)
{
    TMinimizeSteps steps;
    steps.HideClipViewer = State.StayOnTop && State.ClipViewerShown;
    steps.HideWordAssistant = State.StayOnTop && State.WordAssistantShown;
    steps.HideWindow = State.MinimizeToTray && State.TrayHoldsIcon;
    FHidden = {steps.HideClipViewer, steps.HideWordAssistant};
    return steps;
}

TRestoreSteps TMinimizeRestore::Restore()
{
    return std::exchange(FHidden, {});
}

std::optional<std::string> TMinimizeRestore::MinimizedTitle(const std::string& DocumentName, bool ShowFilePath,
                                                            bool MiniFullPath)
{
    if (!ShowFilePath || MiniFullPath) return std::nullopt;
    return "[" + DocumentShownName(DocumentName) + "] - QxEditor ";
}

} // namespace qx
