#pragma once
// A project manager over fake services: tabs held in a vector, scripted dialogs and documents, a
// scripted prompter, and a temporary program folder.

#include "dialogs/ProjectManager.h"
#include "dialogs/ProjectProperty.h"
#include "platform/Cp932.h"
#include "support/ScriptedPrompter.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <deque>
#include <map>
#include <optional>

namespace qx::test {

struct FakeTab {
    std::string DocName, Text, Caption, Ext;
    bool Stored = false;
};

// The scripted prompter, with a look at the project whenever a box is shown (the window may paint then).
class ProjectPrompter : public ScriptedMessagePrompter {
public:
    int Show(const TPromptRequest& request) override
    {
        if (OnShow) OnShow();
        return ScriptedMessagePrompter::Show(request);
    }
    std::function<void()> OnShow;
};

class FakeProjectTabs : public TProjectTabs {
public:
    int TabCount() const override { return static_cast<int>(Tabs.size()); }
    std::string DocumentName(int tab) const override { return Tabs.at(static_cast<std::size_t>(tab)).DocName; }
    void SetDocumentName(int tab, const std::string& docName) override { Tabs.at(static_cast<std::size_t>(tab)).DocName = docName; }
    void ActivateTab(int tab) override { Active = tab; }
    int ActiveTab() const override { return Active; }
    std::string TabText(int tab) const override { return Tabs.at(static_cast<std::size_t>(tab)).Text; }
    void OpenStoredItem(const std::string& docName, const std::string& caption, const std::string& text,
                        const std::string& ext) override
    {
        Tabs.push_back({docName, text, caption, ext});
        Active = TabCount() - 1;
    }
    void MarkStored(int tab) override { Tabs.at(static_cast<std::size_t>(tab)).Stored = true; }
    void OpenFile(const std::string& path) override { OpenedFiles.push_back(path); }

    std::vector<FakeTab> Tabs;
    int Active = -1;
    std::vector<std::string> OpenedFiles;
};

class FakeProjectDialogs : public TProjectDialogs {
public:
    bool ChooseProjectToOpen(std::string& path) override
    {
        OpenStarts.push_back(path);
        return Next(OpenAnswers, path);
    }
    bool ChooseProjectToSave(std::string& path) override
    {
        SaveStarts.push_back(path);
        return Next(SaveAnswers, path);
    }
    std::vector<std::string> ChooseFilesToAdd() override { return FilesToAdd; }
    bool ChooseExportFile(std::string& path) override { return Next(ExportAnswers, path); }
    bool EditProperties(TProjectPropertyForm& form) override
    {
        ++PropertyDialogs;
        Shown = form;
        if (!PropertyEdit) return false;
        PropertyEdit(form);
        return true;
    }

    std::deque<std::optional<std::string>> OpenAnswers, SaveAnswers, ExportAnswers;  // nullopt: Cancel
    std::vector<std::string> OpenStarts, SaveStarts;
    std::vector<std::string> FilesToAdd;
    std::function<void(TProjectPropertyForm&)> PropertyEdit;  // unset: Cancel
    TProjectPropertyForm Shown;
    int PropertyDialogs = 0;

private:
    static bool Next(std::deque<std::optional<std::string>>& answers, std::string& path)
    {
        if (answers.empty()) {
            ADD_FAILURE() << "unscripted file dialog";
            return false;
        }
        const std::optional<std::string> answer = answers.front();
        answers.pop_front();
        if (answer) path = *answer;
        return answer.has_value();
    }
};

class RecordingListener : public TProjectTreeListener {
public:
    void ProjectTreeRebuilt() override { ++Rebuilds; }
    void ProjectNodeSelected(int index) override { Selected = index; }
    void ProjectPaneVisibilityChanged(bool visible) override { PaneVisible = visible; }
    int Rebuilds = 0;
    int Selected = -2;
    std::optional<bool> PaneVisible;
};

class ProjectFixture : public ::testing::Test {
protected:
    ProjectFixture()
    {
        State.ProgramFolder = Dir.Path() + "/";
        CreateGlobalLists(State);
        Manager.SetListener(&Listener);
        Manager.NewProject();
    }

    std::string Sjis(const std::string& utf8) { return Utf8ToCp932(utf8); }
    const TProjectRecordList& Records() { return State.ProjectItemList; }
    // The records as "level:name" in list order (names as UTF-8).
    std::vector<std::string> Shape()
    {
        std::vector<std::string> shape;
        for (const TProjectRecListItem& r : Records().Records())
            shape.push_back(std::to_string(r.Level) + ":" + Cp932ToUtf8(r.Name));
        return shape;
    }
    // Adds a record under `parent` (-1: the root, before the trash) without asking anything.
    int Add(int parent, TProjectNodeType type, const std::string& name, const std::string& text = {})
    {
        Manager.SetSelectedProjectItemIndex(parent);
        if (type != TProjectNodeType::ntLink) Prompter.InputAnswers.push_back({true, name});
        if (type == TProjectNodeType::ntBox) EXPECT_TRUE(Manager.NewProjectBox());
        else if (type == TProjectNodeType::ntFolder) EXPECT_TRUE(Manager.NewProjectFolder());
        else if (type == TProjectNodeType::ntImport) EXPECT_TRUE(Manager.NewProjectFile());
        else {
            EXPECT_TRUE(Manager.LinkProjectFile(name));
            return Manager.Records().SubtreeEnd(parent) - 1;
        }
        if (type == TProjectNodeType::ntImport) State.ProjectItemList.Items(Manager.SelectedProjectItemIndex()).Text = text;
        return Manager.SelectedProjectItemIndex();
    }
    int IndexOf(const std::string& name)
    {
        for (int i = 0; i < Records().Count(); ++i)
            if (Records().Names(i) == Sjis(name)) return i;
        ADD_FAILURE() << "no record " << name;
        return -1;
    }

    TempDir Dir;
    TGlobalState State;
    ProjectPrompter Prompter;
    FakeProjectTabs Tabs;
    FakeProjectDialogs Dialogs;
    RecordingListener Listener;
    int Beeps = 0;
    TProjectManager Manager{State, TProjectServices{Prompter, Tabs, Dialogs, [this] { ++Beeps; }}};
};

} // namespace qx::test
