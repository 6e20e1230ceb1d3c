#pragma once
// A file chooser for tests: answers from a script of paths ("" = the user cancelled) and counts calls.

#include "mainwindow/FileChooser.h"

#include <deque>
#include <string>
#include <vector>

namespace qx::test {

class FakeFileChooser : public TFileChooser {
public:
    bool ChooseOpenFile(const TFileChoice& choice, std::string& path) override { return Next(choice, path); }
    bool ChooseSaveFile(const TFileChoice& choice, std::string& path) override { return Next(choice, path); }

    std::deque<std::string> Paths;
    std::vector<TFileChoice> Choices;

private:
    bool Next(const TFileChoice& choice, std::string& path)
    {
        Choices.push_back(choice);
        if (Paths.empty()) return false;
        path = Paths.front();
        Paths.pop_front();
        return !path.empty();
    }
};

} // namespace qx::test
