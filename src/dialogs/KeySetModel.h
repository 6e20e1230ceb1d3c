#pragma once
// The key assignment dialog's logic: the key texts of every tree node, the node chosen, assigning a
// key (refused when another command, or the chosen one, already has it), clearing, loading and saving
// key files, and OK, which saves "QxEditor.sck" and has the window apply it to its commands at once.
// Cancel needs nothing: the texts live only as long as the dialog.

#include "dialogs/ShortCutFile.h"

#include <functional>
#include <span>
#include <string>
#include <string_view>

namespace qx {

class TFileDialogService;
class TPrompter;

class TKeySetModel {
public:
    // `shortCutFile` is the program folder's "QxEditor.sck"; `applyShortCuts` gives the window's commands
    // the keys of the file it is called with.
    using TApplyShortCuts = std::function<void(const std::string& path)>;
    TKeySetModel(std::string shortCutFile, TApplyShortCuts applyShortCuts, TPrompter& prompter,
                 TFileDialogService& dialogs);

    // The key names the dialog offers, in its order ("F1" first).
    static std::span<const std::string_view> KeyNames();
    // The filter of the load and save dialogs, and the extension a saved name gets.
    static constexpr const char* KeyFileFilter = "QxEditorｷｰ設定 (*.sck)|*.sck";
    static constexpr const char* KeyFileExt = "sck";

    // The dialog's showing: reads "QxEditor.sck" (defaults for a missing file; an unreadable one is
    // reported and the defaults shown) and selects the first node.
    void Show();

    const TKeyTexts& KeyTexts() const { return FTexts; }
    int Selected() const { return FSelected; }
    void Select(int node);
    // Whether the selected node is a command (assigning and clearing are possible).
    bool CanAssign() const;
    // What the "current key" panel shows: the command's key text, empty for a group.
    std::string CurrentKeyText() const;

    // Builds "Alt+", "Shift+", "Ctrl+" (in this order) and the key name; refuses, with a message, a
    // key that any command already carries (compared as keys, so "Ctrl+Shift+A" is "Shift+Ctrl+A").
    // True when assigned.
    bool Assign(std::string_view keyName, bool shift, bool ctrl, bool alt);
    void ClearKey();

    // Through the file dialogs; errors are reported and change nothing.
    void LoadFile();
    void SaveFile();

    // Saves "QxEditor.sck" and applies it; false (reported) when it could not be saved: the dialog
    // then stays open and nothing changes.
    bool Ok();

private:
    bool Load(const std::string& path);
    bool Save(const std::string& path);

    std::string FShortCutFile;
    TApplyShortCuts FApplyShortCuts;
    TPrompter& FPrompter;
    TFileDialogService& FDialogs;
    TKeyTexts FTexts;
    int FSelected = 0;
};

} // namespace qx
