#include "documents/DocumentPieces.h"

#include "documents/UnicodeCoding.h"

#include <algorithm>
#include <cstring>

namespace qx {

namespace {

bool IsAscii(std::string_view Bytes)
{
    return std::all_of(Bytes.begin(), Bytes.end(), [](char C) { return static_cast<unsigned char>(C) < 0x80; });
}

} // namespace

void TPieceReader::Start(std::uint64_t Offset, std::uint64_t Limit)
{
    FSource->Seek(Offset);
    FOffset = FRead = Offset;
    FLimit = Limit;
    FBegin = FEnd = 0;
    FAtEnd = false;
}

std::string_view TPieceReader::Ahead(std::size_t Wanted)
{
    if (FEnd - FBegin < Wanted && !FAtEnd) Fill(std::max(Wanted, FReadSize));
    return {FBuffer.data() + FBegin, FEnd - FBegin};
}

void TPieceReader::Drop(std::size_t N)
{
    N = std::min(N, FEnd - FBegin);
    FBegin += N;
    FOffset += N;
}

bool TPieceReader::Next(std::string_view& Piece)
{
    std::size_t Searched = 0; // the buffered bytes known to hold no line end
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

// Reads until Wanted bytes are buffered or the source ends; the pieces handed out make room.
void TPieceReader::Fill(std::size_t Wanted)
{
    if (FBegin > 0) {
        std::memmove(FBuffer.data(), FBuffer.data() + FBegin, FEnd - FBegin);
        FEnd -= FBegin;
        FBegin = 0;
    }
    if (FBuffer.size() < Wanted) FBuffer.resize(Wanted);
    while (FEnd < Wanted) {
        const std::size_t Room = static_cast<std::size_t>(std::min<std::uint64_t>(Wanted - FEnd, FLimit - FRead));
        const std::size_t N = Room == 0 ? 0 : FSource->Read(FBuffer.data() + FEnd, Room);
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
std::size_t TPieceReader::LastLineEnd(std::size_t Searched) const
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

bool TCodeChooser::Head(std::string_view First, TTextCode& Marked)
{
    if (const int Bom = DetectUnicodeBom(First); Bom != 0) {
        Marked = Bom == 2 ? TTextCode::Utf16BE : TTextCode::Utf16LE;
        return true;
    }
    FBinary = HasBinaryHead(First);
    return false;
}

void TCodeChooser::Observe(std::string_view Piece)
{
    // Once the text reads as UTF-8, its decoding checks each piece.
    if (FUtf8 == TUtf8::AsciiOnly) {
        if (DetectUtf8(Piece) != 0) FUtf8 = TUtf8::Valid;
        else if (!IsAscii(Piece)) FUtf8 = TUtf8::Invalid;
    }
    if (!FBinary && (FDetected == dcAscii || FDetected == dcEucOrSjis))
        FDetected = ContinueCharCodeDetection(Piece, FDetected);
}

TTextCode TCodeChooser::Guessed() const
{
    if (FUtf8 == TUtf8::Valid) return TTextCode::Utf8;
    if (FBinary) return TTextCode::Sjis;
    switch (FDetected) {
    case dcJis:
    case dcOldJis: return TTextCode::Jis;
    case dcEuc: return TTextCode::Euc;
    default: return TTextCode::Sjis;
    }
}

TTextCode ChooseDocumentCode(TByteSource& Source, std::uint64_t& Skip, bool Utf8, TPlainHead Plain, std::size_t ReadSize)
{
    TPieceReader Reader(Source, ReadSize);
    Reader.Start(0);
    TCodeChooser Chooser;
    TTextCode Marked;
    Skip = 0;
    if (Chooser.Head(Reader.Ahead(513), Marked)) {
        Skip = 2;
        return Marked;
    }
    if (!Utf8) Chooser.NotUtf8();
    // Plain bytes leave the detection where it is, but for a binary one, and its pairs and escapes start
    // at a byte that is not plain: the pieces from the plain head's end on tell it as much as those
    // from the start. (They are cut elsewhere, so that a first piece may read as UTF-8 where a longer
    // one would not, or the other way round; the UTF-8 reader's check of every piece settles that.)
    if (Plain.Size > 0) {
        if (Plain.Binary) Chooser.BinaryBefore();
        Reader.Start(Plain.Size);
    }
    std::string_view Piece;
    while (!Chooser.Settled() && Chooser.Guessed() != TTextCode::Utf8 && Reader.Next(Piece)) Chooser.Observe(Piece);
    return Chooser.Guessed();
}

void TPieceConverter::Restart(TTextCode Code)
{
    FCode = Code;
    FNotInCode = FMarked = false;
    FLost = FNuls = 0;
    FJis = {};
}

std::string_view TPieceConverter::Convert(std::string_view Piece, std::uint64_t At)
{
    std::size_t Lost = 0;
    const auto CountNuls = [this](std::string& Text) { FNuls += ReplaceNulBytes(Text); };
    FNotInCode = false;
    switch (FCode) {
    case TTextCode::Sjis:
    case TTextCode::Euc:
    case TTextCode::Jis:
        // NULs become spaces before the conversion, in a copy only when there is one.
        if (std::memchr(Piece.data(), 0, Piece.size())) {
            FBytes.assign(Piece);
            CountNuls(FBytes);
            Piece = FBytes;
        }
        if (FCode == TTextCode::Sjis) return Piece;
        FText = FCode == TTextCode::Euc ? EucToSjis(Piece, &Lost) : JisPieceToSjis(Piece, &Lost, FJis);
        break;
    case TTextCode::Utf8:
        // The mark, when there is one, is not text.
        if (At == 0 && Piece.substr(0, 3) == "\xEF\xBB\xBF") {
            Piece.remove_prefix(3);
            FMarked = true;
        }
        // False for bytes that are not UTF-8 (DetectUtf8's rule).
        FNotInCode = !Utf8ToSjis(Piece, FText, &Lost);
        CountNuls(FText);
        break;
    case TTextCode::Utf16LE:
    case TTextCode::Utf16BE:
        Utf16ToSjis(Piece, FCode == TTextCode::Utf16BE, FText, &Lost);
        CountNuls(FText);
        break;
    }
    FLost += Lost;
    return FText;
}

} // namespace qx
