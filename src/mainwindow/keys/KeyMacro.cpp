#include "mainwindow/keys/KeyMacro.h"

#include "platform/Exception.h"
#include "platform/FileBytes.h"
#include "platform/IniFile.h"
#include "platform/LeadByte.h"
#include "platform/SystemError.h"
#include "platform/VirtualKeyCodes.h"

#include <cctype>
#include <cerrno>
#include <string_view>

namespace qx {

namespace {

std::uint8_t StateByte(TShortCut modifiers, TShortCut bit)
{
    return (modifiers & bit) ? KeyStateDown : 0;
}

TShortCut ModifiersOf(const TKeyMacroData& record)
{
    TShortCut modifiers = 0;
    if (record.Shift & KeyStateDown) modifiers |= scShift;
    if (record.Ctrl & KeyStateDown) modifiers |= scCtrl;
    if (record.Alt & KeyStateDown) modifiers |= scAlt;
    return modifiers;
}

// A press of Shift, Ctrl or Alt alone: on its own it does nothing a macro should repeat.
bool IsLoneModifierPress(const TKeyMacroData& record)
{
    return record.Msg == CN_KEYDOWN && record.CharCode >= VK_SHIFT && record.CharCode <= VK_MENU;
}

std::string_view MessageName(std::int32_t msg)
{
    switch (msg) {
    case WM_IME_CHAR: return "WM_IME_CHAR: ";
    case CN_KEYDOWN: return "CN_KEYDOWN: ";
    case CN_CHAR: return "CN_CHAR: ";
    default: return "MSG: ";
    }
}

// The character after " // ": the character itself, or "#" and its code when a byte of it is a control
// character (a line end there would split the record's line).
std::string CharComment(std::uint16_t code)
{
    const std::string bytes = CharBytes(code);
    for (char c : bytes)
        if (static_cast<unsigned char>(c) < 0x20) return "#" + std::to_string(code);
    return bytes;
}

bool IsIdentStart(char c)
{
    return std::isalpha(static_cast<unsigned char>(c)) || c == '_';
}

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

bool IsHexDigit(char c)
{
    return std::isxdigit(static_cast<unsigned char>(c)) != 0;
}

// The numbers of one line before its comment, read as the class library's token parser reads them:
// names, quoted strings, character literals, punctuation and real numbers are skipped. False for a number outside 32 bits. `hasTokens`
// tells whether the line holds anything but blanks.
bool LineNumbers(std::string_view line, std::vector<int>& numbers, bool& hasTokens)
{
    if (const std::size_t comment = line.find("//"); comment != std::string_view::npos)
        line = line.substr(0, comment);
    numbers.clear();
    hasTokens = false;
    std::size_t i = 0;
    while (i < line.size()) {
        const char c = line[i];
        if (static_cast<unsigned char>(c) <= ' ') {
            ++i;
            continue;
        }
        hasTokens = true;
        if (IsIdentStart(c)) {
            while (i < line.size() && (IsIdentStart(line[i]) || IsDigit(line[i]))) ++i;
            continue;
        }
        if (c == '\'') {  // a quoted string, to its closing quote or the line's end
            const std::size_t close = line.find('\'', i + 1);
            i = close == std::string_view::npos ? line.size() : close + 1;
            continue;
        }
        if (c == '#') {  // a character literal such as #13
            ++i;
            while (i < line.size() && IsDigit(line[i])) ++i;
            continue;
        }
        const bool negative = c == '-' && i + 1 < line.size() && IsDigit(line[i + 1]);
        const bool hex = c == '$' && i + 1 < line.size() && IsHexDigit(line[i + 1]);
        if (!IsDigit(c) && !negative && !hex) {
            i += CharLengthAt(line, i);
            continue;
        }
        const std::size_t start = i++;
        while (i < line.size() && (hex ? IsHexDigit(line[i]) : IsDigit(line[i]))) ++i;
        if (!hex && i + 1 < line.size() && line[i] == '.' && IsDigit(line[i + 1])) {
            // A real number: not one of the record's numbers.
            ++i;
            while (i < line.size() && (IsDigit(line[i]) || line[i] == 'e' || line[i] == 'E' ||
                                       ((line[i] == '+' || line[i] == '-') &&
                                        (line[i - 1] == 'e' || line[i - 1] == 'E'))))
                ++i;
            continue;
        }
        int value;
        if (!TryStrToInt(line.substr(start, i - start), value)) return false;
        numbers.push_back(value);
    }
    return true;
}

} // namespace

void TKeyMacro::SetControl(TKeyTarget* control)
{
    if (control == FControl) return;
    if (FState == TKeyMacroState::Recording && !control) {
        CancelRecord();
        FControl = nullptr;
        return;
    }
    FControl = control;
}

void TKeyMacro::ControlDestroyed(TKeyTarget* control)
{
    if (control && control == FControl) FControl = nullptr;
}

void TKeyMacro::SetState(TKeyMacroState state)
{
    FState = state;
    if (OnChange) OnChange();
}

bool TKeyMacro::Append(std::int32_t msg, std::uint16_t charCode, std::int32_t keyData, TShortCut modifiers)
{
    if (FState != TKeyMacroState::Recording || !FControl) return false;
    FKeyUnderWay = false;
    FRecords.push_back({msg, charCode, keyData, StateByte(modifiers, scShift), StateByte(modifiers, scCtrl),
                        StateByte(modifiers, scAlt)});
    return true;
}

bool TKeyMacro::RecordKey(TShortCut key, std::int32_t keyData, const std::function<bool()>& dispatch)
{
    const bool recorded = Append(CN_KEYDOWN, key & 0xFF, keyData, KeyModifiers(key));
    FKeyUnderWay = recorded;
    struct TUnderWay {
        bool& Flag;
        ~TUnderWay() { Flag = false; }
    } underWay{FKeyUnderWay};
    return dispatch();
}

void TKeyMacro::RecordChar(std::uint16_t charCode, TShortCut modifiers)
{
    Append(CN_CHAR, charCode, 1, modifiers);
}

void TKeyMacro::RecordImeText(const std::string& text, TShortCut modifiers)
{
    for (std::uint16_t code : CharCodes(text)) Append(WM_IME_CHAR, code, 1, modifiers);
}

void TKeyMacro::StartRecord()
{
    if (!FControl || (FState != TKeyMacroState::Empty && FState != TKeyMacroState::Ready)) return;
    FRecords.clear();
    SetState(TKeyMacroState::Recording);
}

void TKeyMacro::StopRecord()
{
    if (FState != TKeyMacroState::Recording) return;
    if (FKeyUnderWay && !FRecords.empty()) FRecords.pop_back();
    FKeyUnderWay = false;
    while (!FRecords.empty() && IsLoneModifierPress(FRecords.back())) FRecords.pop_back();
    SetState(TKeyMacroState::Ready);
}

void TKeyMacro::CancelRecord()
{
    if (FState != TKeyMacroState::Recording) return;
    StopRecord();
    FRecords.clear();
    SetState(TKeyMacroState::Empty);
}

void TKeyMacro::PlayRecord(const TKeyMacroData& record)
{
    const TShortCut modifiers = ModifiersOf(record);
    switch (record.Msg) {
    case CN_KEYDOWN:
        // A virtual key fits a byte; anything larger comes from a hand-made file and is no key.
        if (record.CharCode <= 0xFF) Input->KeyDown(static_cast<TShortCut>(record.CharCode | modifiers), record.KeyData);
        break;
    case CN_CHAR: Input->KeyChar(record.CharCode, modifiers); break;
    case WM_IME_CHAR: Input->ImeText(CharBytes(record.CharCode), modifiers); break;
    default: break;  // only a hand-made file holds other messages: kept, never played
    }
}

void TKeyMacro::Play()
{
    if (FState != TKeyMacroState::Ready || !FControl || !Input || FRecords.empty()) return;
    SetState(TKeyMacroState::Playing);
    // A played command may clear or reload the macro: play the records as they were at the start.
    const std::vector<TKeyMacroData> records = FRecords;
    try {
        for (const TKeyMacroData& record : records) {
            PlayRecord(record);
            if (FState != TKeyMacroState::Playing) {
                if (ShowDialog) Report("Cancel Execute " + Name, TMsgDlgType::mtInformation);
                break;
            }
            if (!FControl) break;  // the target went away
        }
    } catch (...) {
        if (FState == TKeyMacroState::Playing) SetState(TKeyMacroState::Ready);
        throw;
    }
    if (FState == TKeyMacroState::Playing) SetState(TKeyMacroState::Ready);
}

void TKeyMacro::StopPlay()
{
    if (FState == TKeyMacroState::Playing) SetState(TKeyMacroState::Ready);
}

void TKeyMacro::Clear()
{
    StopRecord();
    StopPlay();
    SetState(TKeyMacroState::Empty);
    FRecords.clear();
}

void TKeyMacro::Report(const std::string& text, TMsgDlgType kind) const
{
    if (!Prompter) return;
    TPromptRequest request;
    request.Text = text;
    request.Kind = kind;
    request.Buttons = {TMsgDlgBtn::mbOK};
    Prompter->Show(request);
}

std::string TKeyMacro::WriteRecords() const
{
    std::string text;
    for (const TKeyMacroData& r : FRecords) {
        text += MessageName(r.Msg);
        text += std::to_string(r.Msg) + ", CharCode: " + std::to_string(r.CharCode) +
                ", KeyData: " + std::to_string(r.KeyData) + ", Shift: " + std::to_string(r.Shift) +
                ", Ctrl: " + std::to_string(r.Ctrl) + ", Alt: " + std::to_string(r.Alt);
        if (r.Msg != CN_KEYDOWN) text += " // " + CharComment(r.CharCode);
        text += "\r\n";
    }
    return text;
}

bool TKeyMacro::ReadRecords(const std::string& bytes)
{
    std::vector<TKeyMacroData> records;
    std::vector<int> numbers;
    bool ok = true;
    std::size_t start = 0;
    while (ok && start <= bytes.size()) {
        std::size_t end = bytes.find_first_of("\r\n", start);
        if (end == std::string::npos) end = bytes.size();
        bool hasTokens = false;
        ok = LineNumbers(std::string_view(bytes).substr(start, end - start), numbers, hasTokens);
        if (ok && hasTokens) {
            if (numbers.size() < 6) ok = false;
            else
                records.push_back({numbers[0], static_cast<std::uint16_t>(numbers[1] & 0xFFFF), numbers[2],
                                   static_cast<std::uint8_t>(numbers[3] & 0xFF),
                                   static_cast<std::uint8_t>(numbers[4] & 0xFF),
                                   static_cast<std::uint8_t>(numbers[5] & 0xFF)});
        }
        start = end + 1;
    }
    if (!ok) {
        if (ShowDialog) Report("Invalid data loaded." + Name, TMsgDlgType::mtError);
        return false;
    }
    Clear();
    FRecords = std::move(records);
    SetState(TKeyMacroState::Ready);
    return true;
}

void TKeyMacro::SaveToFile(const std::string& path) const
{
    WriteFileBytesSafely(path, WriteRecords());
}

bool TKeyMacro::LoadFromFile(const std::string& path)
{
    std::string bytes;
    if (!ReadFileBytes(path, bytes)) throw EFOpenError(FileOpenErrorText(path, ENOENT));
    return ReadRecords(bytes);
}

} // namespace qx
