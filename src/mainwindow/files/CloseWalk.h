#pragma once
// Closing documents with the save question: the walk over every tab that "close all" and the program's
// end make, and the question for the current document alone. A tab is freed only when its text was
// saved or the user chose not to save it: a save that did not happen stops the walk.

#include "platform/Prompter.h"

#include <functional>
#include <string>

namespace qx {

// What the walk needs of the window's tabs.
class TDocumentTabs {
public:
    virtual ~TDocumentTabs() = default;
    virtual int Count() const = 0;
    virtual bool Modified(int Page) const = 0;
    virtual std::string Name(int Page) const = 0;
    // Makes the page the active one (its name becomes the current file).
    virtual void Activate(int Page) = 0;
    // Saves the active page's document; false when the save did not happen.
    virtual bool SaveActive() = 0;
};

struct TCloseServices {
    TPrompter* Prompter = nullptr;
    std::function<void()> Beep;
};

enum class TCloseResult { Closed, Cancelled, SaveFailed };

// Asks for each modified document in page order (Yes, No, Cancel, All: save this and every later one
// without asking). Closed only when every document was saved or let go; the caller then frees the tabs.
TCloseResult CloseAllDocuments(TDocumentTabs& Tabs, const TCloseServices& Services);

// The question for the active document before it goes: true when it may go (saved, not modified, or
// the user said No); false on Cancel or a save that did not happen.
bool QuerySaveDocument(TDocumentTabs& Tabs, int Active, const TCloseServices& Services);

// What a close of the main window comes to.
enum class TWindowClose { Keep, Quit, HideInTray, Minimize };

// The steps of a window close, in their order.
struct TWindowCloseSteps {
    // Every document asked about and freed; false when the user cancelled or a save did not happen.
    std::function<bool()> CloseDocuments;
    // The project at the close (saved, or asked about unless the window stays); false: the close stops.
    std::function<bool(bool Resident)> CloseProject;
    std::function<void()> SaveSettings;
};

// The close of the main window. A resident window (AlwaysQxEditor) stays when closed, in the tray when
// there is one, else minimised (a hidden window without a tray icon could never come back), unless
// QuitRequested (File > Exit, the session's end) asks for the real end. The settings are written
// whenever the documents and the project let the close go on. QuitRequested serves this close alone: a
// quit cancelled at a question leaves a resident window resident at the next close.
TWindowClose CloseMainWindow(bool& QuitRequested, bool AlwaysQxEditor, bool HasTray, const TWindowCloseSteps& Steps);

} // namespace qx
