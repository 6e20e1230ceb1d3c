#include "mainwindow/qt/ProjectTabs.h"

#include "documents/EditorEnvironment.h"
#include "editor/EditorStrings.h"
#include "mainwindow/files/TabModel.h"
#include "mainwindow/qt/EditorFrame.h"
#include "mainwindow/qt/QxEditorMain.h"

#include <QTabWidget>

namespace qx {

int TWindowProjectTabs::TabCount() const { return FWindow.Count(); }

std::string TWindowProjectTabs::DocumentName(int tab) const { return FWindow.Name(tab); }

void TWindowProjectTabs::SetDocumentName(int tab, const std::string& docName)
{
    FWindow.FrameOfPage(tab)->SetFileName(docName);
    if (tab == ActiveTab()) FWindow.SetCurFile(docName);
}

void TWindowProjectTabs::ActivateTab(int tab) { FWindow.Activate(tab); }

int TWindowProjectTabs::ActiveTab() const { return FWindow.Pages()->currentIndex(); }

std::string TWindowProjectTabs::TabText(int tab) const
{
    return FWindow.FrameOfPage(tab)->MainEditor().Lines().Text();
}

void TWindowProjectTabs::OpenStoredItem(const std::string& docName, const std::string&, const std::string& text,
                                        const std::string& ext)
{
    TEditorFrame* frame = FWindow.CurrentFrame();
    if (!frame || !IsUntitled(frame->FileName()) || frame->MainEditor().Modified()) FWindow.NewTab();
    frame = FWindow.CurrentFrame();
    FWindow.SwitchEnvironment(EnvironmentIndexOfExt(FWindow.State(), ext));
    TQxEditorDocument document = frame->Document();
    document.LoadText(text);
    document.SetModified(false);
    // The caption follows from the document name, as for every tab.
    FWindow.SetCurFile(docName);
    FWindow.SetChange(false);
    frame->MainHost().setFocus();
}

void TWindowProjectTabs::MarkStored(int tab)
{
    FWindow.FrameOfPage(tab)->Document().SetModified(false);
    if (tab == ActiveTab()) {
        FWindow.SetChange(false);
        FWindow.SetCurFile(DocumentName(tab));
    }
}

void TWindowProjectTabs::OpenFile(const std::string& path) { FWindow.OpenFile({"", "", "", path}, true); }

} // namespace qx
