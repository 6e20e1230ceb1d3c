#pragma once
// The editor options dialog's working copy: the environment chosen in its list, loaded from that
// environment's file, edited by the pages, and saved and re-applied by Apply. Nothing reaches a file or
// an editor before Apply.

#include "documents/EditorEnvironment.h"
#include "documents/GlobalState.h"
#include "platform/Prompter.h"

#include <string>
#include <vector>

namespace qx {

// What Apply reaches beyond the environment files.
class TEditOptionHost {
public:
    virtual ~TEditOptionHost() = default;
    // The environment number of the current tab; -1 without a tab.
    virtual int CurrentEnvironment() const = 0;
    // Applies environment N's file to both panes of the current tab, in one update.
    virtual void ApplyToCurrentTab(int N) = 0;
    // The selection state, the text length, the status bar and the open and save dialogs' filters.
    virtual void Refresh() = 0;
};

inline constexpr int kEditOptionPageCount = 16;
// The page list's captions (UTF-8), as the list shows them.
extern const char* const kEditOptionPageCaptions[kEditOptionPageCount];

class TEditOptionModel {
public:
    TEditOptionModel(TGlobalState& State, TPrompter& Prompter) : FState(State), FPrompter(Prompter) {}

    // The environment list ("標準" first, CP932) and the current tab's environment chosen, or the
    // first when that number is beyond the list.
    void Show(int CurrentEnvironment);
    // Replaces the list (after the environment manager) and chooses Index.
    void SetNames(std::vector<std::string> Names, int Index);
    const std::vector<std::string>& Names() const { return FNames; }
    int Index() const { return FIndex; }
    // Loads environment Index into the working copy and goes to the first page; unapplied edits are
    // dropped. An unreadable file is reported and gives the defaults (Apply then refuses to write it).
    void SelectEnvironment(int Index);

    // The page shown; choosing the shown page again changes nothing (false).
    int Page() const { return FPage; }
    bool SelectPage(int Page);

    // Saves the working copy as the chosen environment, re-applies the current tab's environment, binds
    // the extensions again and refreshes. False (reported, nothing applied) when the file cannot be
    // written; true and nothing done without a chosen environment.
    bool Apply(TEditOptionHost& Host);

    TEditorEnvironment Record;
    TGlobalState& State() { return FState; }
    TPrompter& Prompter() { return FPrompter; }

private:
    TGlobalState& FState;
    TPrompter& FPrompter;
    std::vector<std::string> FNames;
    int FIndex = -1;
    int FPage = -1;
};

// Highlight word files ("*.qxh"): a comment header, then "[1]" + each word of the first list, "[2]" and
// "[3]" for the others.
std::string HilightFileBytes(const std::vector<std::string> (&Words)[3]);
// Reads the three lists from a highlight file (comment and other lines skipped, words cut to 100 bytes);
// false and the lists untouched when the file cannot be read.
bool LoadHilightFile(const std::string& FileName, std::vector<std::string> (&Words)[3]);
// False when the file cannot be written.
bool SaveHilightFile(const std::string& FileName, const std::vector<std::string> (&Words)[3]);

} // namespace qx
