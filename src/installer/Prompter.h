#pragma once
// The one way the installer talks to its user: every message box and question goes through a prompter.
// The wizard supplies message boxes; tests script the answers and record the texts.

#include <string>

namespace qx {

enum class TPromptKind { Information, Warning, Error, Question };

// The button sets the installer uses. YesAllNoCancel is the delete confirmation ("削除の確認").
enum class TPromptButtons { OK, OKCancel, YesNo, YesAllNoCancel };

enum class TPromptAnswer { OK, Cancel, Yes, No, All };

class TSetupPrompter {
public:
    virtual ~TSetupPrompter() = default;
    virtual TPromptAnswer Ask(TPromptKind kind, const std::string& caption, const std::string& text,
                              TPromptButtons buttons) = 0;
};

} // namespace qx
