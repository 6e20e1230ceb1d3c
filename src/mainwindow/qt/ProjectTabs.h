#pragma once
// The main window's tabs as the project manager sees them: names, texts, the stored items' tabs and
// the open road for files.

#include "dialogs/ProjectServices.h"

namespace qx {

class TQxEditorMain;

class TWindowProjectTabs : public TProjectTabs {
public:
    explicit TWindowProjectTabs(TQxEditorMain& Window) : FWindow(Window) {}

    int TabCount() const override;
    std::string DocumentName(int tab) const override;
    void SetDocumentName(int tab, const std::string& docName) override;
    void ActivateTab(int tab) override;
    int ActiveTab() const override;
    std::string TabText(int tab) const override;
    void OpenStoredItem(const std::string& docName, const std::string& caption, const std::string& text,
                        const std::string& ext) override;
    void MarkStored(int tab) override;
    void OpenFile(const std::string& path) override;

private:
    TQxEditorMain& FWindow;
};

} // namespace qx
