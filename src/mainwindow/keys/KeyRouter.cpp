#include "mainwindow/keys/KeyRouter.h"

#include "mainwindow/keys/KeyMacro.h"

namespace qx {

TKeyRouter::TKeyRouter(const TCommandKeys& keys, TCommandRunner& runner, TKeyMacro* macro)
    : FKeys(keys), FRunner(runner), FMacro(macro)
{
    if (FMacro) FMacro->Input = this;
}

TKeyRouter::~TKeyRouter()
{
    // A macro that outlives its router plays into nothing rather than into freed memory.
    if (FMacro && FMacro->Input == this) FMacro->Input = nullptr;
}

void TKeyRouter::SetTarget(TKeyTarget* target)
{
    FTarget = target;
    if (FMacro) FMacro->SetControl(target);
}

void TKeyRouter::TargetDestroyed(TKeyTarget* target)
{
    if (target && target == FTarget) FTarget = nullptr;
    if (FMacro) FMacro->ControlDestroyed(target);
}

bool TKeyRouter::RouteKeyDown(TShortCut key, std::int32_t keyData)
{
    const auto dispatch = [&] {
        if (RunCommandKey(key)) return true;
        if (FTarget) FTarget->KeyDown(key, keyData);
        return false;
    };
    return FMacro ? FMacro->RecordKey(key, keyData, dispatch) : dispatch();
}

bool TKeyRouter::RunCommandKey(TShortCut key)
{
    const int row = FKeys.CommandOf(key);
    return row >= 0 && FRunner.ExecuteCommand(row);
}

void TKeyRouter::KeyChar(std::uint16_t charCode, TShortCut modifiers)
{
    if (FMacro) FMacro->RecordChar(charCode, modifiers);
    if (FTarget) FTarget->KeyChar(charCode, modifiers);
}

void TKeyRouter::ImeText(const std::string& text, TShortCut modifiers)
{
    if (text.empty()) return;
    if (FMacro) FMacro->RecordImeText(text, modifiers);
    if (FTarget) FTarget->ImeText(text, modifiers);
}

} // namespace qx
