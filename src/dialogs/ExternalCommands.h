#pragma once
// The external-command list: the file "Command" in the program folder, one command a line,
// "Com=" + program + ";" + "Parm=" + parameters + ";" (the tools' text-list format, Shift-JIS).
//
// A command is started without a shell: its parameter template is split into arguments first (blanks
// separate, double quotes group and are dropped), then "%FILENAME%" in an argument stands for the
// current document's file name, so a name with blanks or quotes stays one argument and can never be
// read as more of a command line.

#include "platform/StringList.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace qx {

class TLauncher;
class TPrompter;

constexpr std::string_view kFileNamePlaceholder = "%FILENAME%";

// The program of a line: the text after the first "Com=" up to the ";" that follows it; the whole line
// when either is missing.
std::string CommandProgram(std::string_view Line);
// The parameter template of a line: the text after the first "Parm=", less the ";" that ends the line;
// empty when the line has no "Parm=".
std::string CommandParameters(std::string_view Line);
// The line that stores a program and its parameter template.
std::string CommandLine(std::string_view Program, std::string_view Parameters);
// The template's arguments: runs of non-blank characters, where a double-quoted part may hold blanks
// ("" gives an empty argument); an unclosed quote runs to the end.
std::vector<std::string> SplitArguments(std::string_view Template);
// Every "%FILENAME%" of Text replaced by FileName (what FileName holds is not searched again).
std::string ReplaceFileName(std::string_view Text, std::string_view FileName);

// The program and arguments a line starts with: Shift-JIS text made the file system's (UTF-8), the
// file name (already the file system's bytes) put in where the placeholder stands.
struct TCommandInvocation {
    std::string Program;
    std::vector<std::string> Arguments;
};
TCommandInvocation PrepareCommand(std::string_view Line, std::string_view FileName);

// The dialog's logic over the list; the widgets show Lines and forward the clicks.
class TCommandListModel {
public:
    TCommandListModel(std::string Folder, TPrompter& Prompter, TLauncher& Launcher);

    // Loads "Command" (an empty list when there is none) and selects the first line.
    void Load();
    // Writes the list to "Command"; nothing when it was never loaded (a file that could not be read is
    // not replaced by an empty list).
    void Save() const;

    const TStringList& Lines() const { return FLines; }
    int ItemIndex() const { return FItemIndex; }
    // Selects a line (-1: none) and fills the two fields from it.
    void Select(int Index);
    // The two fields (Shift-JIS): the program and the parameter template.
    std::string Program;
    std::string Parameters;

    void Add();
    void Change();
    // With no line selected: a beep and a message.
    void Delete();
    // Starts the selected line with FileName; false when nothing was started (no line selected, an
    // empty line, or a program that could not be started: each says so).
    bool Execute(const std::string& FileName);

    std::function<void()> Beep;

private:
    void Warn(const std::string& Utf8Text);

    std::string FFolder;
    TPrompter& FPrompter;
    TLauncher& FLauncher;
    TStringList FLines;
    int FItemIndex = -1;
    bool FLoaded = false;
};

} // namespace qx
