#include "documents/DocumentCodec.h"

#include "documents/CharCodeConvert.h"
#include "documents/DocumentCodes.h"
#include "documents/DocumentPieces.h"
#include "documents/MessageDialog.h"
#include "documents/MessageTexts.h"
#include "documents/UnicodeCoding.h"
#include "platform/Cp932.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace qx {

namespace {

bool StartsWith(std::string_view Bytes, std::string_view Mark) { return Bytes.substr(0, Mark.size()) == Mark; }

// Bytes that every code reads as themselves.
bool IsPlainPiece(std::string_view Bytes)
{
    return std::all_of(Bytes.begin(), Bytes.end(),
                       [](char C) { return IsPlainInEveryCode(static_cast<unsigned char>(C)); });
}

// The first line end of a text given in pieces, as DetectLineEnd tells it.
class TLineEndProbe {
public:
    void Feed(std::string_view Piece)
    {
        if (FFound != 0 || Piece.empty()) return;
        if (FCrAtEnd) {
            FFound = Piece[0] == '\n' ? 1 : 2;
            return;
        }
        const std::size_t I = Piece.find_first_of("\r\n");
        if (I == std::string_view::npos) return;
        if (Piece[I] == '\r' && I + 1 == Piece.size()) FCrAtEnd = true;
        else FFound = DetectLineEnd(Piece.substr(I));
    }
    int LineEnd() const { return FFound != 0 ? FFound : (FCrAtEnd ? 2 : 0); }

private:
    int FFound = 0;
    bool FCrAtEnd = false;
};

class TDocumentDecoder {
public:
    TDocumentDecoder(TByteSource& Source, TPrompter& Prompter, TTextSink& Sink, std::size_t ReadSize)
        : FSource(Source), FPrompter(Prompter), FSink(Sink), FReadSize(ReadSize)
    {
    }

    TDecodedDocument Run(int OpenCode)
    {
        TPieceReader Reader(FSource, FReadSize);
        Reader.Start(0);
        // The marks, and the head that DetectCharCode tests for binary bytes.
        const std::string_view First = Reader.Ahead(513);
        switch (OpenCode) {
        case ocAuto:
            if (TTextCode Marked; FChooser.Head(First, Marked)) return Decode(Reader, Marked, 2);
            return Decode(Reader, TTextCode::Sjis, 0, true);
        case ocSjis: return Decode(Reader, TTextCode::Sjis, 0);
        case ocEuc: return Decode(Reader, TTextCode::Euc, 0);
        case ocJis: return Decode(Reader, TTextCode::Jis, 0);
        case ocUtf16LE: return Decode(Reader, TTextCode::Utf16LE, StartsWith(First, "\xFF\xFE") ? 2 : 0);
        case ocUtf16BE: return Decode(Reader, TTextCode::Utf16BE, StartsWith(First, "\xFE\xFF") ? 2 : 0);
        case ocUtf8: return Decode(Reader, TTextCode::Utf8, 0);
        default: return {TLoadStatus::BadChoice, {}, 0, 0, 0};
        }
    }

private:
    bool Units() const
    {
        return FConverter.Code() == TTextCode::Utf16LE || FConverter.Code() == TTextCode::Utf16BE;
    }

    // Reads the bytes from Skip on in pieces, each decoded at once. Detect: the automatic choice
    // between UTF-8 and the byte codes, made anew after each piece.
    TDecodedDocument Decode(TPieceReader& Reader, TTextCode Code, std::size_t Skip, bool Detect = false)
    {
        FConverter.Restart(Code);
        FSkip = Skip;
        if (Units()) Reader.ReadUnits();
        Reader.Drop(Skip);
        TLineEndProbe LineEnd;  // of the bytes, and for UTF-16 of the text
        std::string_view Piece;
        while (Reader.Next(Piece)) {
            const std::uint64_t At = Reader.Offset() - Piece.size();
            if (Detect) {
                FChooser.Observe(Piece);
                if (const TTextCode Guess = FChooser.Guessed(); Guess != FConverter.Code())
                    Switch(Guess, At, Reader.SourceOffset());
            }
            std::string_view Text = FConverter.Convert(Piece, At);
            if (FConverter.NotInCode()) {
                // UTF-8 is checked by its decoding: the text is not UTF-8 after all.
                if (!Detect) return {TLoadStatus::NotInCode, {}, 0, 0, 0};
                FChooser.NotUtf8();
                Switch(FChooser.Guessed(), At, Reader.SourceOffset());
                Text = FConverter.Convert(Piece, At);
            }
            if (FPlain) FPlain = IsPlainPiece(Piece);
            FSink.Append(Text);
            LineEnd.Feed(Units() ? Text : Piece);
        }
        if (Detect && FChooser.EucOrSjis()) {
            const int Answer = ShowMessageDialog(FPrompter, MsgSjisOrEuc(), "確認", TMsgDlgType::mtConfirmation,
                                                 {TMsgDlgBtn::mbYes, TMsgDlgBtn::mbNo});
            if (Answer == mr::Yes) Switch(TTextCode::Euc, Reader.Offset(), Reader.SourceOffset());
            else if (Answer != mr::No) return {TLoadStatus::Cancelled, {}, 0, 0, 0};
        }
        TDecodedDocument Result;
        Result.CharType = CharTypeOf(FConverter.Code());
        Result.RtrnType = RtrnTypeOfLineEnd(LineEnd.LineEnd());
        Result.Lost = FConverter.Lost();
        Result.Nuls = FConverter.Nuls();
        Result.Utf8Mark = FConverter.Marked();
        return Result;
    }

    static int CharTypeOf(TTextCode Code)
    {
        switch (Code) {
        case TTextCode::Euc: return sfctEUC;
        case TTextCode::Jis: return sfctJIS;
        case TTextCode::Utf8: return sfctUTF8;
        case TTextCode::Utf16LE: return sfctUnicode;
        case TTextCode::Utf16BE: return sfctUnicodeBig;
        default: return sfctSJIS;
        }
    }

    // From now on the text is read in Code. Unless every byte decoded so far reads the same in every
    // code, the text decoded so far (up to Done) is decoded anew, then the source goes back to Resume.
    void Switch(TTextCode Code, std::uint64_t Done, std::uint64_t Resume)
    {
        if (FPlain) {
            FConverter.SetCode(Code);
            return;
        }
        FSink.Restart();
        FConverter.Restart(Code);
        TPieceReader Again(FSource, FReadSize);
        Again.Start(FSkip, Done);
        std::string_view Piece;
        while (Again.Next(Piece)) FSink.Append(FConverter.Convert(Piece, Again.Offset() - Piece.size()));
        FSource.Seek(Resume);
    }

    TByteSource& FSource;
    TPrompter& FPrompter;
    TTextSink& FSink;
    const std::size_t FReadSize;
    std::uint64_t FSkip = 0;  // the mark's bytes before the text
    TCodeChooser FChooser;
    TPieceConverter FConverter;
    bool FPlain = true;       // every byte read so far reads the same in every code
};

// Reads bytes held in memory.
class TMemorySource : public TByteSource {
public:
    explicit TMemorySource(std::string_view Bytes) : FBytes(Bytes) {}
    std::size_t Read(char* Into, std::size_t Size) override
    {
        const std::size_t N = std::min(Size, FBytes.size() - FAt);
        std::memcpy(Into, FBytes.data() + FAt, N);
        FAt += N;
        return N;
    }
    void Seek(std::uint64_t Offset) override { FAt = static_cast<std::size_t>(std::min<std::uint64_t>(Offset, FBytes.size())); }

private:
    std::string_view FBytes;
    std::size_t FAt = 0;
};

} // namespace

std::size_t ReplaceNulBytes(std::string& Text)
{
    char* Nul = static_cast<char*>(std::memchr(Text.data(), 0, Text.size()));
    if (!Nul) return 0;
    std::size_t Count = 0;
    for (char* End = Text.data() + Text.size(); Nul < End; ++Nul)
        if (*Nul == 0) {
            *Nul = ' ';
            ++Count;
        }
    return Count;
}

std::string_view LostCharacterMark(int CharType)
{
    return CharType == sfctEUC || CharType == sfctJIS ? "〓" : "?";
}

TDecodedDocument DecodeDocument(TByteSource& Source, int OpenCode, TPrompter& Prompter, TTextSink& Sink,
                                std::size_t ReadSize)
{
    return TDocumentDecoder(Source, Prompter, Sink, ReadSize).Run(OpenCode);
}

TDecodedDocument DecodeDocument(std::string Bytes, int OpenCode, TPrompter& Prompter)
{
    TMemorySource Source(Bytes);
    TStringSink Sink;
    TDecodedDocument Result = DecodeDocument(Source, OpenCode, Prompter, Sink, std::max<std::size_t>(Bytes.size(), 1));
    if (Result.Status == TLoadStatus::Loaded) Result.Text = std::move(Sink.Text);
    return Result;
}

std::string_view DocumentMark(int CharType, bool Utf8Mark)
{
    switch (CharType) {
    case sfctUnicode: return "\xFF\xFE";
    case sfctUnicodeBig: return "\xFE\xFF";
    case sfctUTF8: return Utf8Mark ? "\xEF\xBB\xBF" : "";
    default: return "";
    }
}

void EncodeDocument(const TBytePieces& Text, int CharType, int RtrnType, const TBytePut& Put, std::size_t* Lost,
                    bool Utf8Mark)
{
    if (Lost) *Lost = 0;
    if (const std::string_view Mark = DocumentMark(CharType, Utf8Mark); !Mark.empty()) Put(Mark);
    std::string lines;
    Text([&](std::string_view Piece) {
        // Line ends first, on the Shift-JIS text, where a LF byte is always a line end.
        std::string_view source = Piece;
        if (RtrnType != sfrtLF) {
            const std::size_t breaks = static_cast<std::size_t>(std::count(Piece.begin(), Piece.end(), '\n'));
            lines.clear();
            lines.reserve(Piece.size() + (RtrnType == sfrtCRLF ? breaks : 0));
            std::size_t start = 0;
            for (std::size_t pos; (pos = Piece.find('\n', start)) != std::string_view::npos; start = pos + 1) {
                lines.append(Piece.substr(start, pos - start));
                lines.append(RtrnType == sfrtCR ? "\r" : "\r\n");
            }
            lines.append(Piece.substr(start));
            source = lines;
        }
        std::size_t lost = 0;
        switch (CharType) {
        case sfctJIS: Put(SjisToJis(source, &lost)); break;
        case sfctEUC: Put(SjisToEuc(source, &lost)); break;
        case sfctUnicode: Put(SjisToUtf16(source, false)); break;
        case sfctUnicodeBig: Put(SjisToUtf16(source, true)); break;
        case sfctUTF8: Put(Cp932ToUtf8(source)); break;
        default: Put(source);
        }
        if (Lost) *Lost += lost;
    });
}

std::string EncodeDocument(std::string_view Text, int CharType, int RtrnType, std::size_t* Lost, bool Utf8Mark)
{
    std::string bytes;
    EncodeDocument([Text](const TBytePut& Put) { Put(Text); }, CharType, RtrnType,
                   [&bytes](std::string_view Piece) { bytes.append(Piece); }, Lost, Utf8Mark);
    return bytes;
}

bool CharTypeMayLose(int CharType) { return CharType == sfctJIS || CharType == sfctEUC; }

} // namespace qx
