#pragma once
// Choosing a file to load or save: the dialogs' one seam, so that models and tests never open a real
// dialog. The Qt side shows a non-native QFileDialog.

#include <string>

namespace qx {

struct TFileChoice {
    std::string Filter;      // "QxEditorｷｰ設定 (*.sck)" (UTF-8, Qt's filter form)
    std::string DefaultExt;  // added to a saved name without one ("sck"); "" for none
};

class TFileChooser {
public:
    virtual ~TFileChooser() = default;
    // True and `path` set when the user chose a file.
    virtual bool ChooseOpenFile(const TFileChoice& choice, std::string& path) = 0;
    // The save side does not ask about replacing a file; the caller does.
    virtual bool ChooseSaveFile(const TFileChoice& choice, std::string& path) = 0;
};

} // namespace qx
