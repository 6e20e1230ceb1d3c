#pragma once
// The installer's prompter as message boxes, with Japanese button texts and the delete confirmation's
// four buttons.

#include "installer/Prompter.h"

class QWidget;

namespace qx {

class TQtSetupPrompter : public TSetupPrompter {
public:
    TPromptAnswer Ask(TPromptKind kind, const std::string& caption, const std::string& text,
                      TPromptButtons buttons) override;
};

} // namespace qx
