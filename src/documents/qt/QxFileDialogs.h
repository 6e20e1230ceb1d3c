#pragma once
// The open and save dialogs: a non-native QFileDialog with a strip under the standard controls (a label
// and up to two lists, for the character code and the line end), and the folder chooser.

#include "documents/FileDialogs.h"

#include <memory>

class QFileDialog;
class QWidget;

namespace qx {

// The dialog for a request, with the strip "clientPanel" ("qxlabel", "qxcombo", "qxcombo2") below the
// standard controls when a list is visible. Built apart from running it so that it can be looked at.
std::unique_ptr<QFileDialog> CreateFileDialog(const TFileDialogRequest& Request, QWidget* Parent = nullptr);
// The result of a dialog that was closed (Accepted: with OK).
TFileDialogResult FileDialogResult(const QFileDialog& Dialog, bool Accepted);

class TQtFileDialogService : public TFileDialogService {
public:
    explicit TQtFileDialogService(QWidget* Parent = nullptr) : FParent(Parent) {}
    TFileDialogResult Execute(const TFileDialogRequest& Request) override;
    bool BrowseForFolder(const std::string& Title, const std::string& Root, std::string& Folder) override;

private:
    QWidget* FParent;
};

} // namespace qx
