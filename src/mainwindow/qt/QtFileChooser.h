#pragma once
// The file chooser as the user sees it: a non-native QFileDialog with the choice's filter; a saved name
// without an extension gets the default one. Replacing a file is asked about by the caller.

#include "mainwindow/FileChooser.h"

class QWidget;

namespace qx {

class TQtFileChooser : public TFileChooser {
public:
    explicit TQtFileChooser(QWidget* parent) : FParent(parent) {}
    bool ChooseOpenFile(const TFileChoice& choice, std::string& path) override;
    bool ChooseSaveFile(const TFileChoice& choice, std::string& path) override;

private:
    bool Choose(const TFileChoice& choice, bool save, std::string& path);
    QWidget* FParent;
};

} // namespace qx
