#pragma once
// A window for the file roads' tests: tabs of real document editors (no widgets), scripted dialogs and
// answers, and a log of the window steps the roads ask for.

#include "documents/GlobalState.h"
#include "editor/EditorFixture.h"
#include "editor/QxEditor.h"
#include "editor/QxEditorDocument.h"
#include "mainwindow/files/FileRoads.h"
#include "mainwindow/files/TabModel.h"
#include "support/ScriptedFileDialogs.h"
#include "support/ScriptedPrompter.h"

#include <memory>
#include <string>
#include <vector>

namespace qx::test {

class FakeFileRoadHost : public TFileRoadHost {
public:
    FakeFileRoadHost() { NewTab(); }

    struct Tab {
        std::unique_ptr<HostedEditor> Pane;
        std::unique_ptr<TQxEditorDocument> Document;
        std::string Name;
    };

    TQxEditor& EditorOf(int Page) { return static_cast<TQxEditor&>(*Tabs[static_cast<std::size_t>(Page)].Pane->Editor); }
    TQxEditor& Current() { return EditorOf(Page); }
    std::string TextOf(int Page) { return EditorOf(Page).Lines().Text(); }

    int Count() const override { return static_cast<int>(Tabs.size()); }
    bool Modified(int P) const override { return Tabs[static_cast<std::size_t>(P)].Pane->Editor->Modified(); }
    std::string Name(int P) const override { return Tabs[static_cast<std::size_t>(P)].Name; }
    void Activate(int P) override { Page = P; }
    bool SaveActive() override { return SaveDocument(*this); }
    TPrompter& Prompter() override { return Prompts; }
    TGlobalState& State() override { return Global; }
    TFileDialogService& Dialogs() override { return FileDialogs; }
    std::string& LastDialogFolder() override { return LastFolder; }
    void MessageBeep() override { ++Beeps; }
    int CurrentPage() const override { return Page; }
    bool CurrentTabInUse() override { return TabInUse(Name(Page), Modified(Page)); }
    void NewTab() override
    {
        Tab tab;
        tab.Pane = std::make_unique<HostedEditor>(Construct<TQxEditor>());
        tab.Document = std::make_unique<TQxEditorDocument>(static_cast<TQxEditor&>(*tab.Pane->Editor));
        tab.Name = std::string(UntitledPrefix) + " " + std::to_string(++Untitled);
        Tabs.push_back(std::move(tab));
        Page = Count() - 1;
    }
    void DiscardNewTab(int Back) override
    {
        Tabs.pop_back();
        Page = Back;
    }
    TDocumentEditor& CurrentDocument() override { return *Tabs[static_cast<std::size_t>(Page)].Document; }
    TDocumentHost DocumentHost() override
    {
        TDocumentHost host;
        host.Prompter = &Prompts;
        host.ApplyEnvironment = [this](int N, const std::string& File, const TEditorEnvironment*) {
            Log.push_back("environment " + std::to_string(N) + (File.empty() ? "" : " " + File));
        };
        host.SetEditMode = [](bool) {};
        host.Beep = [this] { ++Beeps; };
        host.IsNamedDocument = [this] { return !IsUntitled(Name(Page)); };
        host.AfterReload = [] {};
        return host;
    }
    void DocumentBoundTo(const std::string& N) override
    {
        Tabs[static_cast<std::size_t>(Page)].Name = N;
        Log.push_back("bound " + N);
    }
    void DocumentOpened(const TOpenRequest& Request) override { Log.push_back("opened " + Request.FileName); }
    bool StoreProjectItem() override
    {
        Log.push_back("store item");
        return true;
    }
    std::string ProjectItemShownName() override { return "item.txt"; }
    void MakeBackupFile(const std::string& FileName) override { Log.push_back("backup " + FileName); }
    TEditor* FocusedEditor() const override { return Tabs[static_cast<std::size_t>(Page)].Pane->Editor.get(); }
    TEditor* CurrentEditor() const override { return FocusedEditor(); }

    std::vector<Tab> Tabs;
    int Page = 0;
    int Untitled = 0;
    int Beeps = 0;
    TGlobalState Global;
    ScriptedMessagePrompter Prompts;
    ScriptedFileDialogs FileDialogs;
    std::string LastFolder;
    std::vector<std::string> Log;
};

} // namespace qx::test
