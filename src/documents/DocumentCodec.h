#pragma once
// A document's bytes to the editor's Shift-JIS text and back.
//
// Decoding makes a result first and touches no editor: only a loaded result may replace a document's
// text, so a declined question or bytes that are not in the chosen code leave the open document as it
// was. Encoding goes piece by piece, so that a save streams the text to the file; the characters the
// target code cannot hold are counted in a pass of their own first, so that the caller can ask before
// anything is written.

#include "platform/FileBytes.h"
#include "platform/Prompter.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace qx {

enum class TLoadStatus {
    Loaded,
    Cancelled,  // the user declined the Shift-JIS-or-EUC question
    NotInCode,  // the bytes are not in the code the user chose (forced UTF-8)
    BadChoice,  // a code choice outside 1..7
    ReadError,  // the file could not be read
};

struct TDecodedDocument {
    TLoadStatus Status = TLoadStatus::Loaded;
    std::string Text;     // Shift-JIS; NUL bytes are spaces
    int CharType = 2;     // TSaveFileCharType the bytes were found in
    int RtrnType = 2;     // TSaveFileRtrnType of the first line end
    std::size_t Lost = 0; // characters Shift-JIS could not hold (replaced by LostCharacterMark)
    std::size_t Nuls = 0; // NUL bytes made spaces
    bool Utf8Mark = false; // UTF-8 that started with its mark
};

// The character a load writes in the place of one that Shift-JIS cannot hold, as UTF-8: the geta mark
// from EUC and JIS (their readers' substitute), "?" from UTF-8 and UTF-16 (the code page's).
std::string_view LostCharacterMark(int CharType);

// Where a document's bytes come from, read front to back; the decoder may go back to an earlier place.
class TByteSource {
public:
    virtual ~TByteSource() = default;
    // Reads up to Size bytes into Into and answers how many; 0 at the end. Raises EInOutError when the
    // bytes cannot be read.
    virtual std::size_t Read(char* Into, std::size_t Size) = 0;
    // The next Read starts at byte Offset.
    virtual void Seek(std::uint64_t Offset) = 0;
};

// Where the decoded text goes, piece by piece, so that no whole copy of the file or of its text is ever
// held besides what the receiver builds.
class TTextSink {
public:
    virtual ~TTextSink() = default;
    // The next piece of the text (Shift-JIS, NULs already spaces). A piece may end anywhere, also
    // between the CR and the LF of a line end.
    virtual void Append(std::string_view Text) = 0;
    // Everything appended so far is void: the text comes again from its start, in another code.
    virtual void Restart() = 0;
};

// A sink that gathers the whole text in one string.
class TStringSink : public TTextSink {
public:
    void Append(std::string_view Piece) override { Text.append(Piece); }
    void Restart() override { Text.clear(); }
    std::string Text;
};

// The bytes the decoder reads at a time; a line longer than that is read whole.
constexpr std::size_t kDocumentReadSize = std::size_t{256} << 10;

// Decodes a file's bytes read with the code choice OpenCode (TOpenCharCode). Automatic choice: a
// UTF-16 mark, else UTF-8, else the detected JIS, EUC or Shift-JIS; when EUC and Shift-JIS cannot be
// told apart the prompter asks (Yes: EUC, No: Shift-JIS, anything else: Cancelled). A forced UTF-16 code
// skips the first two bytes only when they are that order's mark; a forced UTF-8 accepts any UTF-8,
// pure ASCII included, with or without the mark.
TDecodedDocument DecodeDocument(std::string Bytes, int OpenCode, TPrompter& Prompter);
// The same, read from Source ReadSize bytes at a time and decoded piece by piece into Sink (the result's
// Text stays empty). The code is chosen from the pieces read so far and each piece decoded at once; the
// few texts whose code turns out otherwise further on (UTF-8 until a byte that UTF-8 does not allow, or a
// text that only an EUC answer decides) are read again from the start after a Restart. A result that is
// not Loaded leaves in Sink what it will: the caller drops it. Read errors propagate.
TDecodedDocument DecodeDocument(TByteSource& Source, int OpenCode, TPrompter& Prompter, TTextSink& Sink,
                                std::size_t ReadSize = kDocumentReadSize);

// The bytes a file in CharType starts with: UTF-16's mark, and UTF-8's when Utf8Mark (a file read with
// one keeps it); none for the others.
std::string_view DocumentMark(int CharType, bool Utf8Mark);

// The document's Shift-JIS text (lines separated by LF, the last line without one) as the bytes of a
// file in CharType (TSaveFileCharType) with RtrnType's line ends, after DocumentMark. `Lost` (when
// given) receives the number of characters the code cannot hold.
std::string EncodeDocument(std::string_view Text, int CharType, int RtrnType, std::size_t* Lost = nullptr,
                           bool Utf8Mark = false);
// The same over a text handed over in pieces, each of which but the last ends after a line end: every
// piece is encoded as it comes and handed to Put, the same bytes in all as EncodeDocument of the whole.
void EncodeDocument(const TBytePieces& Text, int CharType, int RtrnType, const TBytePut& Put,
                    std::size_t* Lost = nullptr, bool Utf8Mark = false);
// Whether CharType lacks characters of the code page (the others hold every one): only then can a
// save lose characters.
bool CharTypeMayLose(int CharType);

// Every NUL byte of Text becomes a space; a text without one is not touched. Answers their number.
std::size_t ReplaceNulBytes(std::string& Text);

} // namespace qx
