#pragma once
// The installer's prompter as Qt message boxes: Japanese button captions in the installer's order
// (the delete confirmation reads "はい(&Y)", "すべて削除(&A)", "いいえ(&N)", "キャンセル"), the kind's icon,
// the first button as the default, and Cancel (whether offered or not) when the box is closed.

#include "platform/Prompter.h"

namespace qx {

class TQtSetupPrompter : public TPrompter {
public:
    int Show(const TPromptRequest& request) override;
    bool InputQuery(const std::string& caption, const std::string& prompt, std::string& value) override;
};

} // namespace qx
