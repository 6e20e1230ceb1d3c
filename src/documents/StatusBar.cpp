#include "documents/StatusBar.h"

#include "documents/DocumentCodes.h"
#include "platform/TabColumns.h"

#include <algorithm>
#include <cstdio>

namespace qx {

namespace {

std::string Format(const char* Pattern, long long A, long long B)
{
    char Buffer[64];
    std::snprintf(Buffer, sizeof Buffer, Pattern, A, B);
    return Buffer;
}

} // namespace

int CharacterColumn(std::string_view RowText, int Col, int TabSpaceCount, int WrapByte)
{
    return CharactersBeforeColumn(RowText, {TabSpaceCount > 0 ? TabSpaceCount : 1, WrapByte}, Col);
}

void TStatusBarModel::RefreshStatusBar(const TStatusSnapshot* Focused)
{
    if (!Focused) return;
    const TStatusBarSettings& Settings = FState.Settings.StatusBar;
    const long long Line = Settings.RowByLog ? Focused->Line : Focused->Row;
    const long long Col = Settings.ColByChar
                              ? CharacterColumn(Focused->RowText, Focused->Col, Focused->TabSpaceCount, Focused->WrapByte)
                              : Focused->Col;
    FPanels[0] = Format(Settings.PosZeroVisibled ? "%.5lld : %.3lld" : "%lld : %lld", Line + 1, Col + 1);
    FPanels[1] = Format(Settings.SizeZeroVisibled ? "%.6lld / %.6lld" : "%lld / %lld", Focused->SelStart,
                        FState.TextLengthValue);
    FPanels[7] = Focused->OpenReadOnly ? "読専" : Focused->ReadOnly ? "書禁" : "編集";
    FPanels[4] = Focused->OverWrite ? "上書" : "挿入";
    FPanels[8] = std::string(CharTypeName(Focused->CharType));
    FPanels[9] = std::string(RtrnTypeName(Focused->RtrnType));
}

void TStatusBarModel::UpdateTextLength(const TStatusSnapshot* Focused)
{
    if (Focused) FState.TextLengthValue = Focused->TextLength;
}

void TStatusBarModel::SetModified(bool Modified) { FPanels[2] = Modified ? "更新" : ""; }

void TStatusBarModel::UpdateLockKeys(const TLockKeyProbe& Probe)
{
    FPanels[5] = Probe.NumLock().value_or(false) ? "NUM" : "";
    FPanels[6] = Probe.CapsLock().value_or(false) ? "CAP" : "";
}

void TStatusBarModel::SetFreeText(std::string Text) { FPanels[10] = std::move(Text); }

} // namespace qx
