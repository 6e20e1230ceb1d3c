#pragma once
// The clipboard viewer ("クリップボードビューア"): a window beside the main window over the clipboard
// history. It lists the entries, shows the chosen one in a preview editor, and takes an entry out onto
// the clipboard, deletes one or clears all. Whoever owns the history calls RefreshList on its changes.

#include "dialogs/ClipBoardViewer.h"

#include <QDialog>

class QLabel;
class QListWidget;
class QPushButton;

namespace qx {

class TEditorWidget;
class TPrompter;
class TQxClipBoardHistory;
class TQxEditor;

class TClipBoardViewer : public QDialog {
public:
    // SetClipboardText puts a Shift-JIS text on the clipboard.
    TClipBoardViewer(TQxClipBoardHistory& History, TPrompter& Prompter,
                     std::function<void(const std::string&)> SetClipboardText, QWidget* Parent = nullptr);

    // The list again from the history; entry 0 chosen and shown.
    void RefreshList();
    TQxEditor& ClipViewQxEditor();

    QListWidget* ListBox1;
    TEditorWidget* Preview;
    QLabel* ClipSize;
    QLabel* ToTalSize;
    QPushButton* Button1;
    QPushButton* Button3;
    QPushButton* Button6;
    QPushButton* Button4;

private:
    void ShowEntry(int Index);

    TPrompter& FPrompter;
    TClipBoardViewerModel FModel;
};

} // namespace qx
