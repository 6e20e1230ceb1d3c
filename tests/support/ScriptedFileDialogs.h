#pragma once
// The file dialogs for tests: records every request and answers from a script of chosen files ("" = the
// user cancelled; an empty script cancels too), or, before those, from a script of whole results (several
// files, the chosen type and lists).

#include "documents/FileDialogs.h"

#include <deque>
#include <string>
#include <vector>

namespace qx::test {

class ScriptedFileDialogs : public TFileDialogService {
public:
    TFileDialogResult Execute(const TFileDialogRequest& request) override
    {
        Requests.push_back(request);
        if (!Results.empty()) {
            TFileDialogResult scripted = Results.front();
            Results.pop_front();
            return scripted;
        }
        TFileDialogResult result;
        if (Files.empty()) return result;
        const std::string file = Files.front();
        Files.pop_front();
        result.Accepted = !file.empty();
        if (result.Accepted) result.Files.push_back(file);
        return result;
    }

    bool BrowseForFolder(const std::string&, const std::string&, std::string& folder) override
    {
        folder.clear();
        return false;
    }

    std::deque<TFileDialogResult> Results;
    std::deque<std::string> Files;
    std::vector<TFileDialogRequest> Requests;
};

} // namespace qx::test
