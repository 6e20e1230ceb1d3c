#include "documents/DocumentCodec.h"

#include "documents/CharCodeConvert.h"
#include "documents/DocumentCodes.h"
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

bool IsAscii(std::string_view Bytes)
{
    return std::all_of(Bytes.begin(), Bytes.end(), [](char C) { return static_cast<unsigned char>(C) < 0x80; });
}

// Bytes that every code reads as themselves: below 0x80, but not ESC, SO and SI, which switch a JIS
// reader's set.
bool IsPlainInEveryCode(std::string_view Bytes)
{
    return std::all_of(Bytes.begin(), Bytes.end(), [](char C) {
        const auto B = static_cast<unsigned char>(C);
        return B < 0x80 && B != 0x1B && B != 0x0E && B != 0x0F;
    });
}

enum class TCode { Sjis, Euc, Jis, Utf8, Utf16LE, Utf16BE };

// Reads a source in pieces that end after a line end (a CR or LF byte, or a CR or LF unit at an even
// offset for UTF-16), the last one at the end of the bytes; a piece without a line end grows until it
// has one.
class TPieceReader {
public:
    TPieceReader(TByteSource& Source, std::size_t ReadSize) : FSource(Source), FReadSize(std::max<std::size_t>(ReadSize, 4)) {}

    // Starts at Offset (even for UTF-16) and reads no further than Limit.
    void Start(std::uint64_t Offset, std::uint64_t Limit = UINT64_MAX)
    {
        FSource.Seek(Offset);
        FOffset = FRead = Offset;
        FLimit = Limit;
        FBegin = FEnd = 0;
        FAtEnd = false;
    }

    // At least the next Wanted bytes (fewer at the end), read ahead of the pieces.
    std::string_view Ahead(std::size_t Wanted)
    {
        if (FEnd - FBegin < Wanted && !FAtEnd) Fill(std::max(Wanted, FReadSize));
        return {FBuffer.data() + FBegin, FEnd - FBegin};
    }
    // Leaves out the next N bytes (read ahead).
    void Drop(std::size_t N)
    {
        N = std::min(N, FEnd - FBegin);
        FBegin += N;
        FOffset += N;
    }
    // The pieces are UTF-16 units from here on.
    void ReadUnits() { FUnits = true; }

    // Where the next piece starts.
    std::uint64_t Offset() const { return FOffset; }
    // Where the source stands.
    std::uint64_t SourceOffset() const { return FRead; }

    bool Next(std::string_view& Piece)
    {
        std::size_t Searched = 0;  // the buffered bytes known to hold no line end
        for (;;) {
            const std::size_t Cut = LastLineEnd(Searched);
            if (Cut > 0 || FAtEnd) {
                const std::size_t Size = Cut > 0 ? Cut : FEnd - FBegin;
                if (Size == 0) return false;
                Piece = {FBuffer.data() + FBegin, Size};
                FBegin += Size;
                FOffset += Size;
                return true;
            }
            Searched = FEnd - FBegin;
            Fill(std::max(FReadSize, Searched * 2));
        }
    }

private:
    // Reads until Wanted bytes are buffered or the source ends; the pieces handed out make room.
    void Fill(std::size_t Wanted)
    {
        if (FBegin > 0) {
            std::memmove(FBuffer.data(), FBuffer.data() + FBegin, FEnd - FBegin);
            FEnd -= FBegin;
            FBegin = 0;
        }
        if (FBuffer.size() < Wanted) FBuffer.resize(Wanted);
        while (FEnd < Wanted) {
            const std::size_t Room = static_cast<std::size_t>(std::min<std::uint64_t>(Wanted - FEnd, FLimit - FRead));
            const std::size_t N = Room == 0 ? 0 : FSource.Read(FBuffer.data() + FEnd, Room);
            if (N == 0) {
                FAtEnd = true;
                return;
            }
            FEnd += N;
            FRead += N;
        }
    }

    // The length of the buffered bytes up to their last line end, 0 when the bytes after the first
    // Searched hold none.
    std::size_t LastLineEnd(std::size_t Searched) const
    {
        const char* P = FBuffer.data() + FBegin;
        std::size_t N = FEnd - FBegin;
        if (!FUnits) {
            for (std::size_t I = N; I > Searched; --I)
                if (P[I - 1] == '\n' || P[I - 1] == '\r') return I;
            return 0;
        }
        // Units start at even offsets (pieces are made of whole units). A cut after any unit but a high
        // surrogate decodes alike, so the byte order need not be known: a zero byte and a CR or LF.
        for (N &= ~std::size_t{1}; N >= 2 && N > Searched; N -= 2) {
            const char A = P[N - 2], B = P[N - 1];
            if ((A == 0 && (B == '\n' || B == '\r')) || (B == 0 && (A == '\n' || A == '\r'))) return N;
        }
        return 0;
    }

    TByteSource& FSource;
    const std::size_t FReadSize;
    bool FUnits = false;
    std::vector<char> FBuffer;
    std::size_t FBegin = 0, FEnd = 0;
    std::uint64_t FOffset = 0, FRead = 0, FLimit = UINT64_MAX;
    bool FAtEnd = false;
};

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
            if (const int Bom = DetectUnicodeBom(First); Bom != 0)
                return Decode(Reader, Bom == 2 ? TCode::Utf16BE : TCode::Utf16LE, 2);
            FBinary = HasBinaryHead(First);
            return Decode(Reader, TCode::Sjis, 0, true);
        case ocSjis: return Decode(Reader, TCode::Sjis, 0);
        case ocEuc: return Decode(Reader, TCode::Euc, 0);
        case ocJis: return Decode(Reader, TCode::Jis, 0);
        case ocUtf16LE: return Decode(Reader, TCode::Utf16LE, StartsWith(First, "\xFF\xFE") ? 2 : 0);
        case ocUtf16BE: return Decode(Reader, TCode::Utf16BE, StartsWith(First, "\xFE\xFF") ? 2 : 0);
        case ocUtf8: return Decode(Reader, TCode::Utf8, 0);
        default: return {TLoadStatus::BadChoice, {}, 0, 0, 0};
        }
    }

private:
    bool Units() const { return FCode == TCode::Utf16LE || FCode == TCode::Utf16BE; }

    // Reads the bytes from Skip on in pieces, each decoded at once. Detect: the automatic choice
    // between UTF-8 and the byte codes, made anew after each piece.
    TDecodedDocument Decode(TPieceReader& Reader, TCode Code, std::size_t Skip, bool Detect = false)
    {
        FCode = Code;
        FSkip = Skip;
        if (Units()) Reader.ReadUnits();
        Reader.Drop(Skip);
        TLineEndProbe LineEnd;  // of the bytes, and for UTF-16 of the text
        std::string_view Piece;
        while (Reader.Next(Piece)) {
            const std::uint64_t At = Reader.Offset() - Piece.size();
            if (Detect) {
                Observe(Piece);
                if (const TCode Guess = Guessed(); Guess != FCode) Switch(Guess, At, Reader.SourceOffset());
            }
            std::string_view Text = Convert(Piece, At);
            if (FNotUtf8) {
                // UTF-8 is checked by its decoding: the text is not UTF-8 after all.
                if (!Detect) return {TLoadStatus::NotInCode, {}, 0, 0, 0};
                FUtf8 = TUtf8::Invalid;
                FNotUtf8 = false;
                Switch(Guessed(), At, Reader.SourceOffset());
                Text = Convert(Piece, At);
            }
            if (FPlain) FPlain = IsPlainInEveryCode(Piece);
            FSink.Append(Text);
            LineEnd.Feed(Units() ? Text : Piece);
        }
        if (Detect && FUtf8 != TUtf8::Valid && FDetected == dcEucOrSjis) {
            const int Answer = ShowMessageDialog(FPrompter, MsgSjisOrEuc(), "確認", TMsgDlgType::mtConfirmation,
                                                 {TMsgDlgBtn::mbYes, TMsgDlgBtn::mbNo});
            if (Answer == mr::Yes) Switch(TCode::Euc, Reader.Offset(), Reader.SourceOffset());
            else if (Answer != mr::No) return {TLoadStatus::Cancelled, {}, 0, 0, 0};
        }
        TDecodedDocument Result;
        Result.CharType = CharTypeOf(FCode);
        Result.RtrnType = RtrnTypeOfLineEnd(LineEnd.LineEnd());
        Result.Lost = FLost;
        return Result;
    }

    static int CharTypeOf(TCode Code)
    {
        switch (Code) {
        case TCode::Euc: return sfctEUC;
        case TCode::Jis: return sfctJIS;
        case TCode::Utf8: return sfctUTF8;
        case TCode::Utf16LE: return sfctUnicode;
        case TCode::Utf16BE: return sfctUnicodeBig;
        default: return sfctSJIS;
        }
    }

    // What the automatic choice learns from the next piece: whether the text is still UTF-8, and the
    // byte code found so far.
    void Observe(std::string_view Piece)
    {
        // Once the text reads as UTF-8, its decoding checks each piece.
        if (FUtf8 == TUtf8::AsciiOnly) {
            if (DetectUtf8(Piece) != 0) FUtf8 = TUtf8::Valid;
            else if (!IsAscii(Piece)) FUtf8 = TUtf8::Invalid;
        }
        if (!FBinary && (FDetected == dcAscii || FDetected == dcEucOrSjis))
            FDetected = ContinueCharCodeDetection(Piece, FDetected);
    }

    // The code the text is in as far as it was read (undecided kana pairs are read as Shift-JIS until
    // the end, where the user is asked).
    TCode Guessed() const
    {
        if (FUtf8 == TUtf8::Valid) return TCode::Utf8;
        if (FBinary) return TCode::Sjis;
        switch (FDetected) {
        case dcJis:
        case dcOldJis: return TCode::Jis;
        case dcEuc: return TCode::Euc;
        default: return TCode::Sjis;
        }
    }

    // From now on the text is read in Code. Unless every byte decoded so far reads the same in every
    // code, the text decoded so far (up to Done) is decoded anew, then the source goes back to Resume.
    void Switch(TCode Code, std::uint64_t Done, std::uint64_t Resume)
    {
        FCode = Code;
        if (FPlain) return;
        FSink.Restart();
        FLost = 0;
        FJis = {};
        TPieceReader Again(FSource, FReadSize);
        Again.Start(FSkip, Done);
        std::string_view Piece;
        while (Again.Next(Piece)) FSink.Append(Convert(Piece, Again.Offset() - Piece.size()));
        FSource.Seek(Resume);
    }

    // A piece of the bytes (At: its offset in the file) as Shift-JIS text, NULs as spaces.
    std::string_view Convert(std::string_view Piece, std::uint64_t At)
    {
        std::size_t Lost = 0;
        switch (FCode) {
        case TCode::Sjis:
        case TCode::Euc:
        case TCode::Jis:
            // NULs become spaces before the conversion, in a copy only when there is one.
            if (std::memchr(Piece.data(), 0, Piece.size())) {
                FBytes.assign(Piece);
                ReplaceNulBytes(FBytes);
                Piece = FBytes;
            }
            if (FCode == TCode::Sjis) return Piece;
            FText = FCode == TCode::Euc ? EucToSjis(Piece, &Lost) : JisPieceToSjis(Piece, &Lost, FJis);
            break;
        case TCode::Utf8:
            // The mark, when there is one, is not text.
            if (At == 0 && StartsWith(Piece, "\xEF\xBB\xBF")) Piece.remove_prefix(3);
            // False for bytes that are not UTF-8 (DetectUtf8's rule).
            FNotUtf8 = !Utf8ToSjis(Piece, FText, &Lost);
            ReplaceNulBytes(FText);
            break;
        case TCode::Utf16LE:
        case TCode::Utf16BE:
            Utf16ToSjis(Piece, FCode == TCode::Utf16BE, FText, &Lost);
            ReplaceNulBytes(FText);
            break;
        }
        FLost += Lost;
        return FText;
    }

    enum class TUtf8 { AsciiOnly, Valid, Invalid };

    TByteSource& FSource;
    TPrompter& FPrompter;
    TTextSink& FSink;
    const std::size_t FReadSize;
    TCode FCode = TCode::Sjis;
    std::uint64_t FSkip = 0;  // the mark's bytes before the text
    bool FBinary = false;     // the head holds binary bytes: Shift-JIS
    int FDetected = dcAscii;
    TUtf8 FUtf8 = TUtf8::AsciiOnly;
    bool FNotUtf8 = false;    // the last piece decoded as UTF-8 was none
    bool FPlain = true;       // every byte read so far reads the same in every code
    std::size_t FLost = 0;
    TJisReadState FJis;
    std::string FBytes;       // a piece with its NULs made spaces
    std::string FText;        // a converted piece
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

void ReplaceNulBytes(std::string& Text)
{
    char* Nul = static_cast<char*>(std::memchr(Text.data(), 0, Text.size()));
    if (!Nul) return;
    std::replace(Nul, Text.data() + Text.size(), '\0', ' ');
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

void EncodeDocument(const TBytePieces& Text, int CharType, int RtrnType, const TBytePut& Put, std::size_t* Lost)
{
    if (Lost) *Lost = 0;
    if (CharType == sfctUnicode) Put(std::string_view("\xFF\xFE", 2));
    if (CharType == sfctUnicodeBig) Put(std::string_view("\xFE\xFF", 2));
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

std::string EncodeDocument(std::string_view Text, int CharType, int RtrnType, std::size_t* Lost)
{
    std::string bytes;
    EncodeDocument([Text](const TBytePut& Put) { Put(Text); }, CharType, RtrnType,
                   [&bytes](std::string_view Piece) { bytes.append(Piece); }, Lost);
    return bytes;
}

bool CharTypeMayLose(int CharType) { return CharType == sfctJIS || CharType == sfctEUC; }

} // namespace qx
