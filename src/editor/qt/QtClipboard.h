#pragma once
// The control's clipboard over QClipboard: text converted through the code page 932 codec, the box
// flag as a format of its own.

#include "editor/EditorClipboardPort.h"

namespace qx {

class TQtClipboard : public TEditorClipboardPort {
public:
    bool HasText() const override;
    std::string Text() const override;
    bool HasBoxFormat() const override;
    void SetText(const std::string& Text, bool Box) override;
};

} // namespace qx
