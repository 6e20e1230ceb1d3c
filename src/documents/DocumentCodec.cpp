#include "documents/DocumentCodec.h"

#include "documents/CharCodeConvert.h"
#include "documents/DocumentCodes.h"
#include "documents/MessageDialog.h"
#include "documents/MessageTexts.h"
#include "documents/UnicodeCoding.h"
#include "platform/Cp932.h"

#include <algorithm>
#include <cstring>

namespace qx {

namespace {

bool StartsWith(std::string_view Bytes, std::string_view Mark) { return Bytes.substr(0, Mark.size()) == Mark; }

bool IsAscii(std::string_view Bytes)
{
    return std::all_of(Bytes.begin(), Bytes.end(), [](char C) { return static_cast<unsigned char>(C) < 0x80; });
}

void DecodeUtf16(TDecodedDocument& Result, std::string_view Bytes, bool BigEndian)
{
    Result.CharType = BigEndian ? sfctUnicodeBig : sfctUnicode;
    Result.Text = Utf16ToSjis(Bytes, BigEndian, &Result.Lost);
    ReplaceNulBytes(Result.Text);
}

// The mark, when there is one, is not text (also in a file that holds nothing else).
void DecodeUtf8(TDecodedDocument& Result, std::string_view Bytes)
{
    Result.CharType = sfctUTF8;
    Result.Text = Utf8ToSjis(StartsWith(Bytes, "\xEF\xBB\xBF") ? Bytes.substr(3) : Bytes, &Result.Lost);
    ReplaceNulBytes(Result.Text);
}

// A byte-code text (NULs already spaces) converted from Source to Shift-JIS.
void DecodeBytes(TDecodedDocument& Result, std::string& Bytes, int Source, int CharType)
{
    Result.CharType = CharType;
    Result.Text = Source == dcSjis ? std::move(Bytes) : ConvertCharCode(Bytes, Source, dcSjis, &Result.Lost);
}

} // namespace

void ReplaceNulBytes(std::string& Text)
{
    char* Nul = static_cast<char*>(std::memchr(Text.data(), 0, Text.size()));
    if (!Nul) return;
    std::replace(Nul, Text.data() + Text.size(), '\0', ' ');
}

TDecodedDocument DecodeDocument(std::string Bytes, int OpenCode, TPrompter& Prompter)
{
    TDecodedDocument Result;
    // The byte codes take their line end from the file's bytes, the Unicode codes from the converted text.
    int LineEnd = 0;
    switch (OpenCode) {
    case ocAuto: {
        const int Bom = DetectUnicodeBom(Bytes);
        if (Bom != 0) {
            DecodeUtf16(Result, std::string_view(Bytes).substr(2), Bom == 2);
            LineEnd = DetectLineEnd(Result.Text);
            break;
        }
        const int Utf8 = DetectUtf8(Bytes);
        if (Utf8 != 0) {
            DecodeUtf8(Result, Bytes);
            LineEnd = DetectLineEnd(Result.Text);
            break;
        }
        int Detected = DetectCharCode(Bytes);
        ReplaceNulBytes(Bytes);
        LineEnd = DetectLineEnd(Bytes);
        if (Detected == dcEucOrSjis) {
            const int Answer = ShowMessageDialog(Prompter, MsgSjisOrEuc(), "確認", TMsgDlgType::mtConfirmation,
                                                 {TMsgDlgBtn::mbYes, TMsgDlgBtn::mbNo});
            if (Answer == mr::Yes) Detected = dcEuc;
            else if (Answer == mr::No) Detected = dcSjis;
            else return {TLoadStatus::Cancelled, {}, 0, 0, 0};
        }
        switch (Detected) {
        case dcJis:
        case dcOldJis: DecodeBytes(Result, Bytes, Detected, sfctJIS); break;
        case dcEuc: DecodeBytes(Result, Bytes, dcEuc, sfctEUC); break;
        default: DecodeBytes(Result, Bytes, dcSjis, sfctSJIS); break;
        }
        break;
    }
    case ocSjis:
    case ocEuc:
    case ocJis: {
        ReplaceNulBytes(Bytes);
        LineEnd = DetectLineEnd(Bytes);
        if (OpenCode == ocSjis) DecodeBytes(Result, Bytes, dcSjis, sfctSJIS);
        else if (OpenCode == ocEuc) DecodeBytes(Result, Bytes, dcEuc, sfctEUC);
        else DecodeBytes(Result, Bytes, dcJis, sfctJIS);
        break;
    }
    case ocUtf16LE:
    case ocUtf16BE: {
        const bool BigEndian = OpenCode == ocUtf16BE;
        const bool Marked = StartsWith(Bytes, BigEndian ? "\xFE\xFF" : "\xFF\xFE");
        DecodeUtf16(Result, std::string_view(Bytes).substr(Marked ? 2 : 0), BigEndian);
        LineEnd = DetectLineEnd(Result.Text);
        break;
    }
    case ocUtf8: {
        const int Utf8 = DetectUtf8(Bytes);
        if (Utf8 == 0 && !IsAscii(Bytes)) return {TLoadStatus::NotInCode, {}, 0, 0, 0};
        DecodeUtf8(Result, Bytes);
        LineEnd = DetectLineEnd(Result.Text);
        break;
    }
    default: return {TLoadStatus::BadChoice, {}, 0, 0, 0};
    }
    Result.RtrnType = RtrnTypeOfLineEnd(LineEnd);
    return Result;
}

std::string EncodeDocument(std::string_view Text, int CharType, int RtrnType, std::size_t* Lost)
{
    if (Lost) *Lost = 0;
    // Line ends first, on the Shift-JIS text, where a LF byte is always a line end.
    std::string Lines;
    std::string_view Source = Text;
    if (RtrnType != sfrtLF) {
        const std::size_t Breaks = static_cast<std::size_t>(std::count(Text.begin(), Text.end(), '\n'));
        Lines.reserve(Text.size() + (RtrnType == sfrtCRLF ? Breaks : 0));
        std::size_t Start = 0;
        for (std::size_t Pos; (Pos = Text.find('\n', Start)) != std::string_view::npos; Start = Pos + 1) {
            Lines.append(Text.substr(Start, Pos - Start));
            Lines.append(RtrnType == sfrtCR ? "\r" : "\r\n");
        }
        Lines.append(Text.substr(Start));
        Source = Lines;
    }
    switch (CharType) {
    case sfctJIS: return SjisToJis(Source, Lost);
    case sfctEUC: return SjisToEuc(Source, Lost);
    case sfctUnicode: return "\xFF\xFE" + SjisToUtf16(Source, false);
    case sfctUnicodeBig: return "\xFE\xFF" + SjisToUtf16(Source, true);
    case sfctUTF8: return Cp932ToUtf8(Source);
    default: return Source.data() == Text.data() ? std::string(Text) : std::move(Lines);
    }
}

} // namespace qx
