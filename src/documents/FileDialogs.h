#pragma once
// The open and save dialogs with the strip of character-code and line-end lists, and the folder chooser,
// as a service that models call and tests script: nothing here opens a window.

#include <string>
#include <vector>

namespace qx {

// The lists of the main window's open and save dialogs (UTF-8); the chosen index + 1 is the code choice
// (TOpenCharCode) and the line-end choice (TLineEndChoice).
const std::vector<std::string>& CharCodeListStrings();
const std::vector<std::string>& LineEndListStrings();

struct TFileDialogRequest {
    bool Save = false;
    std::string Title;
    std::string InitialDir;
    std::string FileName;
    // Filters in the class library's form: "name|pattern;pattern|name|pattern" ("*.*" when empty).
    std::string Filter;
    int FilterIndex = 1;  // 1-based
    bool MultiSelect = false;
    std::string DefaultExt;
    // The strip under the standard controls.
    std::string LabelCaption;
    std::vector<std::string> ComboBoxStrings;
    int ComboBoxInitialIndex = 0;
    bool ComboBoxVisible = false;
    std::string ComboBoxHint;
    std::vector<std::string> ComboBoxStrings2;
    int ComboBoxInitialIndex2 = 0;
    bool ComboBoxVisible2 = false;
    std::string ComboBoxHint2;
};

struct TFileDialogResult {
    bool Accepted = false;
    std::vector<std::string> Files;  // the chosen names, full paths
    int FilterIndex = 1;
    int ComboBoxIndex = 0;   // the first list's index + 1 (0 when nothing was chosen)
    int ComboBoxIndex2 = 0;  // the second list's
};

class TFileDialogService {
public:
    virtual ~TFileDialogService() = default;
    virtual TFileDialogResult Execute(const TFileDialogRequest& Request) = 0;
    // The folder chooser: true and Folder set when one was chosen; false and Folder empty on cancel.
    virtual bool BrowseForFolder(const std::string& Title, const std::string& Root, std::string& Folder) = 0;
};

// One filter of a filter text: its name and its patterns.
struct TFileFilter {
    std::string Name;
    std::vector<std::string> Patterns;
};
std::vector<TFileFilter> ParseFileFilter(const std::string& Filter);

// The filters in the form a Qt file dialog shows and reads: "description (p1 p2)", where the description
// is the filter's name without the pattern list it may already carry in brackets at its end, and the
// class library's "*.*" (every file) becomes "*".
std::vector<std::string> QtNameFilters(const std::string& Filter);
// The 0-based place of a 1-based filter index among Count filters; the first for an index outside.
int QtFilterPlace(int FilterIndex, int Count);

} // namespace qx
