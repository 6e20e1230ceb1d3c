#pragma once
// The one road of keyboard input in the main window. A key press becomes a shortcut value; the command
// that carries it (the first row in table order) runs, and a key that no command takes goes to the
// focused editor together with the characters it types. The key macro sees every input before it is
// dispatched, and its playback comes back in here.

#include "mainwindow/keys/CommandKeys.h"
#include "platform/KeyInput.h"

namespace qx {

class TKeyMacro;

// Runs the action of a command row; false when it did not run (disabled), so the key goes on to the
// editor as the class library's action dispatch lets it.
class TCommandRunner {
public:
    virtual ~TCommandRunner() = default;
    virtual bool ExecuteCommand(int row) = 0;
};

class TKeyRouter : public TKeyInput {
public:
    TKeyRouter(const TCommandKeys& keys, TCommandRunner& runner, TKeyMacro* macro = nullptr);
    ~TKeyRouter() override;
    TKeyRouter(const TKeyRouter&) = delete;
    TKeyRouter& operator=(const TKeyRouter&) = delete;

    // The focused editor; the key macro records for it and plays into it.
    void SetTarget(TKeyTarget* target);
    TKeyTarget* Target() const { return FTarget; }
    // The editor is being destroyed.
    void TargetDestroyed(TKeyTarget* target);

    // Whether a command carries the key (the editor's widget then claims it from the menu bar).
    bool IsBound(TShortCut key) const { return FKeys.CommandOf(key) >= 0; }

    // A key press of the focused editor; true when a command took it (its characters are then not typed).
    bool RouteKeyDown(TShortCut key, std::int32_t keyData);
    // A key that the window's other widgets left: the command that carries it runs when it is enabled;
    // true when it ran. Such a key is neither recorded nor given to the editor.
    bool RunCommandKey(TShortCut key);

    void KeyDown(TShortCut key, std::int32_t keyData) override { RouteKeyDown(key, keyData); }
    void KeyChar(std::uint16_t charCode, TShortCut modifiers) override;
    void ImeText(const std::string& text, TShortCut modifiers) override;

private:
    const TCommandKeys& FKeys;
    TCommandRunner& FRunner;
    TKeyMacro* FMacro;
    TKeyTarget* FTarget = nullptr;
};

} // namespace qx
