#include "mainwindow/files/CloseWalk.h"

#include "support/ScriptedPrompter.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace qx {
namespace {

struct FakeTabs : TDocumentTabs {
    std::vector<bool> Dirty;
    std::vector<bool> SaveWorks;
    std::vector<int> Saved;
    int Active = -1;
    int Count() const override { return static_cast<int>(Dirty.size()); }
    bool Modified(int Page) const override { return Dirty[Page]; }
    std::string Name(int Page) const override { return "/d/" + std::to_string(Page) + ".txt"; }
    void Activate(int Page) override { Active = Page; }
    bool SaveActive() override
    {
        if (!SaveWorks[Active]) return false;
        Saved.push_back(Active);
        Dirty[Active] = false;
        return true;
    }
};

struct Walk {
    std::vector<bool> Dirty;
    std::vector<bool> SaveWorks;
    std::vector<int> Answers;
    TCloseResult Result;
    std::vector<int> Saved;
    size_t Questions;
};

TEST(CloseWalk, AnswersDecideWhatIsSavedAndWhetherTheTabsMayGo)
{
    const std::vector<Walk> walks = {
        // Yes, then All: the rest are saved without a question.
        {{true, true, false, true}, {true, true, true, true}, {mr::Yes, mr::All}, TCloseResult::Closed, {0, 1, 3}, 2},
        // Yes, then Cancel: the first stays saved, nothing closes.
        {{true, true, true}, {true, true, true}, {mr::Yes, mr::Cancel}, TCloseResult::Cancelled, {0}, 2},
        // No leaves a document unsaved and the walk goes on.
        {{true, true}, {true, true}, {mr::No, mr::Yes}, TCloseResult::Closed, {1}, 2},
        // A save that did not happen stops the walk: nothing may be freed.
        {{true, true}, {false, true}, {mr::Yes}, TCloseResult::SaveFailed, {}, 1},
        {{true, true, true}, {true, false, true}, {mr::All}, TCloseResult::SaveFailed, {0}, 1},
        // The close box of the question is Cancel.
        {{true}, {true}, {CloseBoxResult}, TCloseResult::Cancelled, {}, 1},
        {{false, false}, {true, true}, {}, TCloseResult::Closed, {}, 0},
    };
    for (size_t i = 0; i < walks.size(); ++i) {
        const Walk& w = walks[i];
        FakeTabs tabs;
        tabs.Dirty = w.Dirty;
        tabs.SaveWorks = w.SaveWorks;
        test::ScriptedMessagePrompter prompter;
        prompter.Answers.assign(w.Answers.begin(), w.Answers.end());
        int beeps = 0;
        EXPECT_EQ(CloseAllDocuments(tabs, {&prompter, [&] { ++beeps; }}), w.Result) << "walk " << i;
        EXPECT_EQ(tabs.Saved, w.Saved) << "walk " << i;
        EXPECT_EQ(prompter.Requests.size(), w.Questions) << "walk " << i;
        EXPECT_EQ(beeps, static_cast<int>(w.Questions)) << "walk " << i;
        EXPECT_TRUE(prompter.Answers.empty()) << "walk " << i;
    }
}

TEST(CloseWalk, TheQuestionOffersAllAndNamesTheDocument)
{
    FakeTabs tabs;
    tabs.Dirty = {false, true};
    tabs.SaveWorks = {true, true};
    test::ScriptedMessagePrompter prompter;
    prompter.Answers = {mr::No};
    CloseAllDocuments(tabs, {&prompter, nullptr});
    ASSERT_EQ(prompter.Requests.size(), 1u);
    const TPromptRequest& q = prompter.Requests[0];
    EXPECT_NE(q.Text.find("/d/1.txt"), std::string::npos);
    EXPECT_EQ(q.Caption, "確認");
    EXPECT_EQ(q.Kind, TMsgDlgType::mtConfirmation);
    EXPECT_TRUE(q.Buttons.Contains(TMsgDlgBtn::mbAll));
    EXPECT_EQ(tabs.Active, 1);
}

TEST(CloseWalk, QuerySaveDocument)
{
    struct Case {
        bool Dirty, SaveWorks;
        std::vector<int> Answers;
        bool MayGo;
    };
    for (const Case& c : std::vector<Case>{{false, true, {}, true},
                                          {true, true, {mr::Yes}, true},
                                          {true, true, {mr::No}, true},
                                          {true, true, {mr::Cancel}, false},
                                          {true, false, {mr::Yes}, false}}) {
        FakeTabs tabs;
        tabs.Dirty = {c.Dirty};
        tabs.SaveWorks = {c.SaveWorks};
        tabs.Active = 0;
        test::ScriptedMessagePrompter prompter;
        prompter.Answers.assign(c.Answers.begin(), c.Answers.end());
        EXPECT_EQ(QuerySaveDocument(tabs, 0, {&prompter, nullptr}), c.MayGo);
        if (c.Dirty) EXPECT_FALSE(prompter.Requests[0].Buttons.Contains(TMsgDlgBtn::mbAll));
    }
}

TEST(CloseWalk, TheWindowsCloseByResidentModeTrayQuitAndCancel)
{
    using W = TWindowClose;
    struct Case {
        bool Resident, Tray, Quit;
        bool DocumentsGo, ProjectGoes;
        W Result;
        bool ProjectAskedResident;
    };
    const Case cases[] = {
        {false, true, false, true, true, W::Quit, false},
        {true, true, false, true, true, W::HideInTray, true},
        {true, false, false, true, true, W::Minimize, true},
        {true, true, true, true, true, W::Quit, false},  // File > Exit, the session's end
        {false, false, false, false, true, W::Keep, false},
        {true, true, true, false, true, W::Keep, false},
        {true, true, true, true, false, W::Keep, false},
    };
    for (const Case& c : cases) {
        bool quit = c.Quit, saved = false;
        std::optional<bool> residentProject;
        const W result = CloseMainWindow(quit, c.Resident, c.Tray,
                                         {[&] { return c.DocumentsGo; },
                                          [&](bool Resident) {
                                              residentProject = Resident;
                                              return c.ProjectGoes;
                                          },
                                          [&] { saved = true; }});
        const std::string name = std::to_string(c.Resident) + std::to_string(c.Tray) + std::to_string(c.Quit) +
                                 std::to_string(c.DocumentsGo) + std::to_string(c.ProjectGoes);
        EXPECT_EQ(result, c.Result) << name;
        EXPECT_EQ(saved, result != W::Keep) << name;
        EXPECT_EQ(residentProject.has_value(), c.DocumentsGo) << name;
        if (residentProject) EXPECT_EQ(*residentProject, c.ProjectAskedResident) << name;
        // A quit asked for serves one close: cancelled, the next close of a resident window stays.
        EXPECT_FALSE(quit) << name;
    }
}

} // namespace
} // namespace qx
