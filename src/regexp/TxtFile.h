#pragma once
// TTxtFile reads one file for grep in blocks of 102400 bytes and presents it as a stream of 16-bit
// codes. A file is read in the code the open road would choose for it without asking (a mark, UTF-8,
// the detected JIS or EUC; anything else, undecided Shift-JIS or EUC too, as Shift-JIS, whose bytes are
// read as they are); the choice is made at the first block that holds a byte which not every code
// reads as ASCII, so that a Shift-JIS file costs one look at its head and an ASCII one nothing. A file
// in another code is read in pieces cut after line ends and converted to Shift-JIS, so that lines and
// line numbers are those of the opened file. NUL bytes read as blanks, CR LF and a lone CR as one LF, and the stream begins with an LF and
// always ends with one, so that every line sits between two line ends. A lead byte before a line end
// is a single-byte character. The buffer keeps the current line from its start (a line longer than a
// block grows it), so a reported line is always whole and look-ahead never loses unread text.
//
// In the buffer a lone CR is already an LF and a NUL a blank. A CR LF pair stays as it is when the
// reader keeps pairs (sparing a copy of nearly every line of a Windows text); a CR in the buffer is then
// always followed by its LF, and the character readers take the pair as one LF.

#include "platform/Exception.h"
#include "regexp/REScanner.h"

#include <memory>

#include <chrono>
#include <functional>
#include <sys/types.h>
#include <string>
#include <string_view>
#include <vector>

namespace qx {

class EEndOfFile : public EInOutError {
public:
    EEndOfFile() : EInOutError("End Of File") {}
};

class EGrepCancel : public Exception {
public:
    EGrepCancel() : Exception("CancelRequest") {}
};

// A file read as UTF-8 holds a piece that is not: it is a file of another code, to be read again from
// its start by a reader told NotUtf8.
class ENotUtf8 : public Exception {
public:
    ENotUtf8() : Exception("Not UTF-8") {}
};

// A byte after a lead byte that ends the line rather than being its trail byte.
inline bool EndsLine(unsigned char b) { return b == '\n' || b == '\r'; }

// A line that grep reports. Line is the text in the reader's buffer, valid during the report only.
struct RE_LineInfo_t {
    std::string_view Line; // without its line end
    int LineNo = 0;        // 1-based
};

// Lets the application run its pending work during a long search, but no more often than once per
// Interval: the hook is cheap to offer and may be costly to run.
class TPollThrottle {
public:
    using TClock = std::function<std::chrono::steady_clock::time_point()>;
    std::function<void()> Hook;
    std::chrono::milliseconds Interval{10};
    TClock Clock = [] { return std::chrono::steady_clock::now(); };
    void Poll();

private:
    std::chrono::steady_clock::time_point FLast{};
};

class TTxtFile {
public:
    static constexpr std::size_t BlockSize = 102400;
    static constexpr int EndOfText = -1;
    static constexpr int NotInBlock = -2;

    // Opens a regular file for reading; anything else (a folder, a FIFO, a device) raises EFOpenError
    // without waiting for it. Cancel and Poll may be null. KeepCrLf: see above. Buffer, when given, is
    // the memory to read into, kept by the caller for the next file (fresh memory costs page faults).
    TTxtFile(const std::string& FileName, const bool* Cancel = nullptr, TPollThrottle* Poll = nullptr,
             bool KeepCrLf = true, std::vector<char>* Buffer = nullptr);
    // A second reader of From's file whose text begins at From's position Pos (a character boundary
    // after the first byte) and goes on from there by itself, over its own buffer: for a look-ahead
    // that runs past From's block without making From keep what it passes.
    TTxtFile(const TTxtFile& From, std::size_t Pos);
    ~TTxtFile();
    TTxtFile(const TTxtFile&) = delete;
    TTxtFile& operator=(const TTxtFile&) = delete;

    // The character at the current position; raises EEndOfFile after the last one.
    WChar_t GetWChar();
    // The character at the look-ahead position, which every GetWChar resets to the current position;
    // EndOfText after the last one.
    int PeekWChar();
    // PeekWChar without reading on: NotInBlock when the character is not wholly in the buffer.
    int PeekWCharInBlock();
    // The line of the current position (from its start to its line end, which becomes the current
    // position). Runs the poll hook and raises EGrepCancel when cancelled first.
    void ReadCurrentLine(RE_LineInfo_t& Info);
    // The line number of the current line.
    int LineNo() { return LineNoAt(FLineStart); }
    // Before the first read: the file is not UTF-8 (an earlier reader found a piece that is not).
    void NotUtf8() { FUtf8 = false; }
    // The file is read as UTF-8, which a later piece may still undo (raising ENotUtf8): what was found
    // in it is not final before its end.
    bool Provisional() const;

    // ---- Block access for the search loops ----
    // The text from the current line's start to DataEnd(); Buffer()[DataEnd()] is a 0 byte, which the
    // text itself never holds. Line ends are LF or (when kept) CR LF.
    const char* Buffer() const { return FBuf.data(); }
    std::size_t DataEnd() const { return FEnd; }
    std::size_t Position() const { return FCur; }
    std::size_t LineStart() const { return FLineStart; }
    // Moves the current (and look-ahead) position, with the start of the line that holds it.
    void Seek(std::size_t Pos, std::size_t LineStart)
    {
        FCur = FPeek = Pos;
        FLineStart = LineStart;
    }
    void SeekPeek(std::size_t Pos) { FPeek = Pos; }
    std::size_t PeekPosition() const { return FPeek; }
    // Reads the next block after DataEnd(), dropping the text before the line start (every position
    // moves down by as much). False at the end of the file. Runs the poll hook and checks Cancel.
    bool Fill();
    // The number of line ends before Pos; Pos must not go back between calls.
    int LineNoAt(std::size_t Pos);
    // Tells that Lines line ends lie before Pos, as a search loop counted them on its way; the counts
    // asked for later go on from there.
    void CountedTo(std::size_t Pos, int Lines)
    {
        FCounted = Pos;
        FLines = Lines;
    }

private:
    class TFileSource;
    struct TConvertedRead;
    // Reads about Want bytes more (at least one unless the file ends) to FEnd: the file's own, or its
    // text converted from another code. A CR at their end waits for what follows it.
    void Read(std::size_t Want);
    void ReadRaw(std::size_t Want);
    void ReadConverted(std::size_t Want);
    // The file's code, chosen when the bytes read from RawStart on are the first that not every code
    // reads alike; true when it is not Shift-JIS, and the text from RawStart on is to be read converted.
    bool ReadsConverted(std::uint64_t RawStart);
    // Turns the raw bytes from From to FEnd into text: NUL to blank, a lone CR to LF, and CR LF to LF
    // unless pairs are kept.
    void Normalize(std::size_t From, bool Nul, bool LoneCR);
    // Reads the character at Pos and advances it (a kept CR LF pair is one LF).
    unsigned ReadAt(std::size_t& Pos);
    void CheckCancel();

    std::string FFileName;
    int FFd = -1;
    off_t FReadOffset = 0; // where the next block is read (pread: a second reader may share the file)
    std::vector<char> FOwnBuf;
    std::vector<char>& FBuf;
    std::size_t FEnd = 0, FCur = 0, FLineStart = 0, FPeek = 0;
    std::size_t FCounted = 0; // line ends before FCounted are in FLines
    int FLines = 0;
    bool FEof = false;
    bool FPendingCR = false; // a CR ended the last block: an LF may follow in the next
    bool FCodeKnown = false; // the file's code is chosen (every byte before was plain ASCII)
    bool FPlainBinary = false; // a byte below 0x08 was among those plain bytes
    bool FUtf8 = true;       // the file may be UTF-8
    std::unique_ptr<TConvertedRead> FConverted; // a file in another code than Shift-JIS
    const bool FKeepCrLf;
    const bool* FCancel;
    TPollThrottle* FPoll;
};

} // namespace qx
