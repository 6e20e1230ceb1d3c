#pragma once
// The pieces a document's bytes are read and decoded in, shared by the open road (DocumentCodec) and
// grep, which reads every file in the code the open road would choose for it: a reader that cuts the
// bytes after line ends, the automatic choice of the code from those pieces, and the conversion of a
// piece to the editor's Shift-JIS text.

#include "documents/CharCodeConvert.h"
#include "documents/DocumentCodec.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace qx {

enum class TTextCode { Sjis, Euc, Jis, Utf8, Utf16LE, Utf16BE };

// Reads a source in pieces that end after a line end (a CR or LF byte, or a CR or LF unit at an even
// offset for UTF-16), the last one at the end of the bytes; a piece without a line end grows until it
// has one. A copy reads on where the original stands, from the source it is given.
class TPieceReader {
public:
    TPieceReader(TByteSource& Source, std::size_t ReadSize) : FSource(&Source), FReadSize(std::max<std::size_t>(ReadSize, 4)) {}
    // The source that a copy reads from; it must stand where the original's stands.
    void SetSource(TByteSource& Source) { FSource = &Source; }

    // Starts at Offset (even for UTF-16) and reads no further than Limit.
    void Start(std::uint64_t Offset, std::uint64_t Limit = UINT64_MAX);
    // At least the next Wanted bytes (fewer at the end), read ahead of the pieces.
    std::string_view Ahead(std::size_t Wanted);
    // Leaves out the next N bytes (read ahead).
    void Drop(std::size_t N);
    // The pieces are UTF-16 units from here on.
    void ReadUnits() { FUnits = true; }

    // Where the next piece starts.
    std::uint64_t Offset() const { return FOffset; }
    // Where the source stands.
    std::uint64_t SourceOffset() const { return FRead; }

    bool Next(std::string_view& Piece);

private:
    void Fill(std::size_t Wanted);
    std::size_t LastLineEnd(std::size_t Searched) const;

    TByteSource* FSource;
    std::size_t FReadSize;
    bool FUnits = false;
    std::vector<char> FBuffer;
    std::size_t FBegin = 0, FEnd = 0;
    std::uint64_t FOffset = 0, FRead = 0, FLimit = UINT64_MAX;
    bool FAtEnd = false;
};

// The automatic choice of a document's code: a UTF-16 mark, else UTF-8 while every piece read so far
// is, else the byte code detected (binary bytes in the head, or undecided kana pairs, read as
// Shift-JIS). Pieces must be cut after line ends (TPieceReader's).
class TCodeChooser {
public:
    // The first bytes of the file (513 or more, or all of them): the mark and the binary head. Answers
    // the mark's code (UTF-16) or nothing.
    bool Head(std::string_view First, TTextCode& Marked);
    void Observe(std::string_view Piece);
    // The text was read as UTF-8 and a piece is not.
    void NotUtf8() { FUtf8 = TUtf8::Invalid; }
    // Before the first piece: the plain bytes before it (not observed) held a binary byte.
    void BinaryBefore() { FDetected = dcBinary; }
    // The code as far as the text was read.
    TTextCode Guessed() const;
    // No later piece can change the choice.
    bool Settled() const
    {
        return FUtf8 == TUtf8::Invalid && (FBinary || (FDetected != dcAscii && FDetected != dcEucOrSjis));
    }
    // Only pairs that EUC and Shift-JIS share were met (the open road asks which).
    bool EucOrSjis() const { return FUtf8 != TUtf8::Valid && FDetected == dcEucOrSjis; }

private:
    enum class TUtf8 { AsciiOnly, Valid, Invalid };
    bool FBinary = false;
    int FDetected = dcAscii;
    TUtf8 FUtf8 = TUtf8::AsciiOnly;
};

// A byte that every code reads as itself: below 0x80, but not ESC, SO and SI, which switch a JIS
// reader's set.
constexpr bool IsPlainInEveryCode(unsigned char B) { return B < 0x80 && B != 0x1B && B != 0x0E && B != 0x0F; }

// The first bytes of a file, known to be plain in every code, so that the choice of the code need not
// read them again: how many, and whether one of them is below 0x08 (a byte that the detection takes
// for binary).
struct TPlainHead {
    std::uint64_t Size = 0;
    bool Binary = false;
};

// The code grep reads a file in, chosen as the open road chooses it without asking (undecided
// Shift-JIS or EUC is Shift-JIS): the pieces are read from the start (after a plain head, from its end
// on, and its first bytes for the mark and the binary head) until the choice is settled, the text reads
// as UTF-8 or the bytes end.
// UTF-8 is a choice that the rest of the text may still undo: its reader checks it by converting it
// (TPieceConverter::NotInCode), and the choice is made again with Utf8 false. Skip: the mark's bytes
// before the text.
TTextCode ChooseDocumentCode(TByteSource& Source, std::uint64_t& Skip, bool Utf8 = true, TPlainHead Plain = {},
                             std::size_t ReadSize = 64 << 10);

// Converts the pieces of one text, in order, to Shift-JIS with NULs as spaces, counting what is lost.
class TPieceConverter {
public:
    explicit TPieceConverter(TTextCode Code = TTextCode::Sjis) : FCode(Code) {}
    TTextCode Code() const { return FCode; }
    // A new text in Code, from its start.
    void Restart(TTextCode Code);
    // The pieces from here on are in Code (those before read the same in every code).
    void SetCode(TTextCode Code) { FCode = Code; }
    // The piece's text (At: the piece's offset in the file; a UTF-8 mark at 0 is not text), valid until
    // the next call. For UTF-8 that is not, the text is empty and NotInCode() true.
    std::string_view Convert(std::string_view Piece, std::uint64_t At);
    bool NotInCode() const { return FNotInCode; }
    std::size_t Lost() const { return FLost; }
    std::size_t Nuls() const { return FNuls; }
    // The UTF-8 text started with its mark.
    bool Marked() const { return FMarked; }

private:
    TTextCode FCode;
    bool FNotInCode = false, FMarked = false;
    std::size_t FLost = 0, FNuls = 0;
    TJisReadState FJis;
    std::string FBytes; // a piece with its NULs made spaces
    std::string FText;  // a converted piece
};

} // namespace qx
