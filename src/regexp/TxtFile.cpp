#include "regexp/TxtFile.h"

#include "documents/DocumentPieces.h"
#include "platform/LeadByte.h"
#include "platform/ByteVectors.h"
#include "platform/SystemError.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace qx {

namespace {

// The two passes over every byte of a file, a vector at a time (see ByteVectors.h) and the rest a byte
// at a time.
#if defined(__SSE2__)
// The line ends in p[0, n) a vector at a time; I: how far the vectors reached. When Before bytes before
// p may be read, the last vector may reach back over bytes counted already.
template <class T>
std::size_t CountLineFeedsIn(const unsigned char* p, std::size_t n, std::size_t Before, std::size_t& I)
{
    typename T::V lf, acc, v, hit;
    T::Splat(lf, '\n');
    std::size_t count = 0, i = 0;
    while (i + T::Size <= n) {
        // Byte counters, added up before they can overflow.
        T::Zero(acc);
        const std::size_t stop = std::min(n, i + 255 * T::Size);
        for (; i + T::Size <= stop; i += T::Size) {
            T::Load(v, p + i);
            T::Equal(hit, v, lf);
            T::Sub(acc, acc, hit);
        }
        count += T::Sum(acc);
    }
    if (i < n && Before + n >= T::Size) {
        T::Load(v, p + n - T::Size);
        T::Equal(hit, v, lf);
        count += T::Count(T::Mask(hit) >> (T::Size - (n - i)));
        i = n;
    }
    I = i;
    return count;
}

QX_WIDE_ENTRY std::size_t CountLineFeedsWide(const unsigned char* p, std::size_t n, std::size_t Before, std::size_t& I)
{
    return CountLineFeedsIn<ByteVectors::TWideBytes>(p, n, Before, I);
}

// Whether p[0, n) holds a NUL, and a CR that no LF follows, in whole vectors (p[n] must be readable);
// with Plain, also a byte that is not plain in every code (IsPlainInEveryCode's rule) and one below
// 0x08.
template <class T, bool Plain>
void FindNulAndLoneCRIn(const unsigned char* p, std::size_t n, bool& Nul, bool& LoneCR, bool& NonPlain,
                        bool& Binary, std::size_t& I)
{
    typename T::V zero, cr, lf, esc, so, notLowest, notLow3, anyNul, anyLone, anyOther, anyBinary, v, next, hit,
        beforeLf, escape;
    T::Zero(zero);
    T::Splat(cr, '\r');
    T::Splat(lf, '\n');
    T::Splat(esc, 0x1B);
    T::Splat(so, 0x0E);
    T::Splat(notLowest, 0xFE);
    T::Splat(notLow3, 0xF8);
    T::Zero(anyNul);
    T::Zero(anyLone);
    T::Zero(anyOther);
    T::Zero(anyBinary);
    std::size_t i = 0;
    for (; i + T::Size <= n; i += T::Size) {
        T::Load(v, p + i);
        T::Load(next, p + i + 1);
        T::Equal(hit, v, zero);
        T::Or(anyNul, anyNul, hit);
        T::Equal(hit, v, cr);
        T::Equal(beforeLf, next, lf);
        T::AndNot(hit, beforeLf, hit);
        T::Or(anyLone, anyLone, hit);
        if constexpr (Plain) {
            // A top bit, ESC, or SO and SI (0x0E and 0x0F, which are SO without their lowest bit).
            T::Equal(escape, v, esc);
            T::And(hit, v, notLowest);
            T::Equal(hit, hit, so);
            T::Or(hit, hit, escape);
            T::Or(hit, hit, v);
            T::Or(anyOther, anyOther, hit);
            // Below 0x08: no bit above the lowest three.
            T::And(hit, v, notLow3);
            T::Equal(hit, hit, zero);
            T::Or(anyBinary, anyBinary, hit);
        }
    }
    Nul = T::Mask(anyNul) != 0;
    LoneCR = T::Mask(anyLone) != 0;
    NonPlain = T::Mask(anyOther) != 0;
    Binary = T::Mask(anyBinary) != 0;
    I = i;
}

template <bool Plain>
QX_WIDE_ENTRY void FindNulAndLoneCRWide(const unsigned char* p, std::size_t n, bool& Nul, bool& LoneCR, bool& NonPlain,
                                        bool& Binary, std::size_t& I)
{
    FindNulAndLoneCRIn<ByteVectors::TWideBytes, Plain>(p, n, Nul, LoneCR, NonPlain, Binary, I);
}
#endif

// The line ends in p[0, n); the Before bytes before p may be read.
std::size_t CountLineFeeds(const unsigned char* p, std::size_t n, std::size_t Before)
{
    std::size_t count = 0, i = 0;
#if defined(__SSE2__)
    if (ByteVectors::Wide()) count = CountLineFeedsWide(p, n, Before, i);
    else count = CountLineFeedsIn<ByteVectors::TNarrowBytes>(p, n, Before, i);
#endif
    for (; i < n; ++i) count += p[i] == '\n';
    return count;
}

// Whether p[0, n) holds a NUL and a lone CR (p[n] must be readable); with Plain, whether it holds a
// byte that is not plain in every code, and one below 0x08 (binary to the code's detection).
template <bool Plain>
void FindNulAndLoneCR(const unsigned char* p, std::size_t n, bool& Nul, bool& LoneCR, bool& NonPlain, bool& Binary)
{
    std::size_t i = 0;
    Nul = LoneCR = NonPlain = Binary = false;
#if defined(__SSE2__)
    if (ByteVectors::Wide()) FindNulAndLoneCRWide<Plain>(p, n, Nul, LoneCR, NonPlain, Binary, i);
    else FindNulAndLoneCRIn<ByteVectors::TNarrowBytes, Plain>(p, n, Nul, LoneCR, NonPlain, Binary, i);
#endif
    for (; i < n; ++i) {
        Nul |= p[i] == 0;
        LoneCR |= (p[i] == '\r') & (p[i + 1] != '\n');
        if constexpr (Plain) {
            NonPlain |= !IsPlainInEveryCode(p[i]);
            Binary |= p[i] < 0x08;
        }
    }
}

// Reads up to Size bytes at Offset, again when a signal breaks in; raises EInOutError for FileName
// when the read fails.
std::size_t ReadFileAt(int Fd, const std::string& FileName, char* Into, std::size_t Size, std::uint64_t Offset)
{
    ssize_t n;
    do {
        n = ::pread(Fd, Into, Size, static_cast<off_t>(Offset));
    } while (n < 0 && errno == EINTR);
    if (n < 0) throw EInOutError(FileReadErrorText(FileName, errno));
    return static_cast<std::size_t>(n);
}

} // namespace

// A file read from its own offset (pread: a second reader may share the descriptor), checking for a
// cancel at each read.
class TTxtFile::TFileSource : public TByteSource {
public:
    TFileSource(int Fd, const std::string& FileName, TTxtFile& Owner) : FFd(Fd), FFileName(FileName), FOwner(&Owner) {}
    void Reassign(int Fd, TTxtFile& Owner)
    {
        FFd = Fd;
        FOwner = &Owner;
    }
    std::size_t Read(char* Into, std::size_t Size) override
    {
        FOwner->CheckCancel();
        const std::size_t n = ReadFileAt(FFd, FFileName, Into, Size, FOffset);
        FOffset += n;
        return n;
    }
    void Seek(std::uint64_t Offset) override { FOffset = Offset; }

private:
    int FFd;
    std::string FFileName;
    TTxtFile* FOwner;
    std::uint64_t FOffset = 0;
};

struct TTxtFile::TConvertedRead {
    TConvertedRead(int Fd, const std::string& FileName, TTxtFile& Owner, TTextCode Code)
        : Source(Fd, FileName, Owner), Pieces(Source, TTxtFile::BlockSize), Converter(Code)
    {
    }
    // A copy that reads on from Fd for Owner.
    TConvertedRead(const TConvertedRead& From, int Fd, TTxtFile& Owner)
        : Source(From.Source), Pieces(From.Pieces), Converter(From.Converter)
    {
        Source.Reassign(Fd, Owner);
        Pieces.SetSource(Source);
    }
    TFileSource Source;
    TPieceReader Pieces;
    TPieceConverter Converter;
};

void TPollThrottle::Poll()
{
    if (!Hook) return;
    const auto now = Clock();
    if (FLast != std::chrono::steady_clock::time_point{} && now - FLast < Interval) return;
    FLast = now;
    Hook();
}

TTxtFile::TTxtFile(const std::string& FileName, const bool* Cancel, TPollThrottle* Poll, bool KeepCrLf,
                   std::vector<char>* Buffer)
    : FFileName(FileName), FBuf(Buffer ? *Buffer : FOwnBuf), FKeepCrLf(KeepCrLf), FCancel(Cancel), FPoll(Poll)
{
    // Non-blocking, so that opening a FIFO does not wait for a writer; only a regular file is read.
    FFd = ::open(FileName.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (FFd < 0)
        throw EFOpenError(FileOpenErrorText(FileName, errno));
    struct stat st;
    if (::fstat(FFd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(FFd);
        throw EFOpenError("ファイル「" + FileName + "」は通常のファイルではありません。");
    }
    ::fcntl(FFd, F_SETFL, ::fcntl(FFd, F_GETFL) & ~O_NONBLOCK);
    if (FBuf.size() < BlockSize + 100) FBuf.resize(BlockSize + 100);
    FBuf[0] = '\n'; // the line end before the first line
    FEnd = 1;
    FBuf[FEnd] = 0;
}

TTxtFile::TTxtFile(const TTxtFile& From, std::size_t Pos)
    : FFileName(From.FFileName), FReadOffset(From.FReadOffset), FBuf(FOwnBuf), FEof(From.FEof),
      FPendingCR(From.FPendingCR), FKeepCrLf(From.FKeepCrLf), FCancel(From.FCancel), FPoll(From.FPoll)
{
    FFd = ::fcntl(From.FFd, F_DUPFD_CLOEXEC, 0);
    if (FFd < 0) throw EInOutError(FileReadErrorText(FFileName, errno));
    // The byte before Pos comes along and is kept as the start of the line, so that the end of the
    // file is seen to end a line or not as From would see it.
    FCodeKnown = From.FCodeKnown;
    FPlainBinary = From.FPlainBinary;
    FUtf8 = From.FUtf8;
    if (From.FConverted) FConverted = std::make_unique<TConvertedRead>(*From.FConverted, FFd, *this);
    FBuf.assign(From.FBuf.begin() + (Pos - 1), From.FBuf.begin() + From.FEnd);
    FEnd = FBuf.size();
    FBuf.push_back(0);
    FCur = FPeek = 1;
    FLineStart = 0;
}

TTxtFile::~TTxtFile()
{
    if (FFd >= 0) ::close(FFd);
    // A buffer that a very long line made large is not kept for the next file.
    if (FBuf.size() > 16 * BlockSize) std::vector<char>().swap(FBuf);
}

void TTxtFile::CheckCancel()
{
    if (FPoll) FPoll->Poll();
    if (FCancel && *FCancel) throw EGrepCancel();
}

int TTxtFile::LineNoAt(std::size_t Pos)
{
    if (Pos > FCounted) {
        FLines += static_cast<int>(
            CountLineFeeds(reinterpret_cast<const unsigned char*>(FBuf.data()) + FCounted, Pos - FCounted, FCounted));
        FCounted = Pos;
    }
    return FLines;
}

bool TTxtFile::Fill()
{
    if (FEof) return false;
    // Drop what lies before the current line.
    const std::size_t keep = FLineStart;
    LineNoAt(keep);
    std::memmove(FBuf.data(), FBuf.data() + keep, FEnd - keep);
    FEnd -= keep;
    FCur -= keep;
    FPeek -= keep;
    FLineStart = 0;
    FCounted -= keep;

    // A long line makes the reads grow with it, so that it is moved a logarithmic number of times. The
    // short rest of a line kept from the block before makes the read as much shorter instead, within the
    // buffer: a larger one would cost fresh memory for every file.
    std::size_t want = std::max(BlockSize, FEnd);
    if (FEnd < BlockSize / 2 && FBuf.size() >= FEnd + 3 + BlockSize / 2) want = std::min(want, FBuf.size() - FEnd - 3);
    const std::size_t needed = FEnd + 1 + want + 2;
    if (FBuf.size() < needed) FBuf.resize(std::max(needed, FBuf.size() * 2));
    const std::size_t start = FEnd;
    const std::uint64_t rawStart = static_cast<std::uint64_t>(FReadOffset) - (FPendingCR ? 1 : 0);
    Read(want);
    const auto text = [this] {
        FBuf[FEnd] = 0;
        return reinterpret_cast<const unsigned char*>(FBuf.data());
    };
    bool nul, lone, nonPlain = false, binary = false;
    if (FCodeKnown) {
        FindNulAndLoneCR<false>(text() + start, FEnd - start, nul, lone, nonPlain, binary);
    } else {
        FindNulAndLoneCR<true>(text() + start, FEnd - start, nul, lone, nonPlain, binary);
        if (!nonPlain) FPlainBinary |= binary;
        else if (ReadsConverted(rawStart)) {
            FEnd = start;
            FEof = FPendingCR = false;
            Read(want);
            FindNulAndLoneCR<false>(text() + start, FEnd - start, nul, lone, nonPlain, binary);
        }
    }
    Normalize(start, nul, lone);
    if (FEof && FEnd > 0 && FBuf[FEnd - 1] != '\n') FBuf[FEnd++] = '\n';
    FBuf[FEnd] = 0;
    CheckCancel();
    return FEnd > start;
}

void TTxtFile::Read(std::size_t Want)
{
    const std::size_t start = FEnd;
    // A read that brings only the CR held back from the read before leaves nothing to hand out yet:
    // read on, until an LF after it or the end of the file decides what it ends.
    do {
        if (FPendingCR) {
            FBuf[FEnd++] = '\r';
            FPendingCR = false;
        }
        if (FConverted) ReadConverted(Want);
        else ReadRaw(Want);
        if (!FEof && FEnd > start && FBuf[FEnd - 1] == '\r') {
            FPendingCR = true;
            --FEnd;
        }
    } while (!FEof && FEnd == start);
}

void TTxtFile::ReadRaw(std::size_t Want)
{
    const std::size_t n = ReadFileAt(FFd, FFileName, FBuf.data() + FEnd, Want, static_cast<std::uint64_t>(FReadOffset));
    FReadOffset += static_cast<off_t>(n);
    FEnd += n;
    if (n == 0) FEof = true;
}

void TTxtFile::ReadConverted(std::size_t Want)
{
    // Whole pieces (the reader's are about a block of bytes), until half of Want is there: a piece
    // more would double the buffer.
    const std::size_t start = FEnd;
    std::string_view piece;
    do {
        if (!FConverted->Pieces.Next(piece)) {
            FEof = true;
            return;
        }
        const std::string_view text = FConverted->Converter.Convert(piece, FConverted->Pieces.Offset() - piece.size());
        if (FConverted->Converter.NotInCode()) throw ENotUtf8();
        if (FBuf.size() < FEnd + text.size() + 3) FBuf.resize(std::max(FEnd + text.size() + 3, FBuf.size() * 2));
        std::memcpy(FBuf.data() + FEnd, text.data(), text.size());
        FEnd += text.size();
    } while (FEnd - start < Want / 2);
}

bool TTxtFile::Provisional() const { return FConverted && FConverted->Converter.Code() == TTextCode::Utf8; }

bool TTxtFile::ReadsConverted(std::uint64_t RawStart)
{
    FCodeKnown = true;
    TFileSource probe(FFd, FFileName, *this);
    std::uint64_t skip = 0;
    const TTextCode code = ChooseDocumentCode(probe, skip, FUtf8, {RawStart, FPlainBinary});
    if (code == TTextCode::Sjis) return false;
    FConverted = std::make_unique<TConvertedRead>(FFd, FFileName, *this, code);
    if (code == TTextCode::Utf16LE || code == TTextCode::Utf16BE) FConverted->Pieces.ReadUnits();
    // Every byte before RawStart reads the same in every code (a mark is never among them).
    FConverted->Pieces.Start(std::max(RawStart, skip));
    return true;
}

void TTxtFile::Normalize(std::size_t From, bool Nul, bool LoneCR)
{
    auto* const p = reinterpret_cast<unsigned char*>(FBuf.data());
    if (Nul)
        for (unsigned char* q = p + From; (q = static_cast<unsigned char*>(std::memchr(q, 0, p + FEnd - q))); ++q)
            *q = ' ';
    if (FKeepCrLf && !LoneCR) return;
    char* const begin = FBuf.data() + From;
    char* const end = FBuf.data() + FEnd;
    char* r = static_cast<char*>(std::memchr(begin, '\r', end - begin));
    if (!r) return;
    char* w = r;
    while (r < end) {
        // r is at a CR: it becomes the LF, and an LF right after it is dropped.
        *w++ = '\n';
        ++r;
        if (r < end && *r == '\n') ++r;
        char* next = static_cast<char*>(std::memchr(r, '\r', end - r));
        if (!next) next = end;
        std::memmove(w, r, next - r);
        w += next - r;
        r = next;
    }
    FEnd = w - FBuf.data();
}

unsigned TTxtFile::ReadAt(std::size_t& Pos)
{
    unsigned b = static_cast<unsigned char>(FBuf[Pos++]);
    if (b == '\r') b = static_cast<unsigned char>(FBuf[Pos++]); // its LF: a kept CR never ends a block
    if (IsDBCSLeadByte(static_cast<unsigned char>(b))) {
        if (Pos >= FEnd) Fill();
        const auto t = static_cast<unsigned char>(FBuf[Pos]);
        if (Pos < FEnd && !EndsLine(t)) {
            ++Pos;
            return b << 8 | t;
        }
    }
    return b;
}

WChar_t TTxtFile::GetWChar()
{
    if (FCur >= FEnd && !Fill()) throw EEndOfFile();
    const unsigned code = ReadAt(FCur);
    if (code == '\n') FLineStart = FCur;
    FPeek = FCur;
    return static_cast<WChar_t>(code);
}

int TTxtFile::PeekWChar()
{
    if (FPeek >= FEnd && !Fill()) return EndOfText;
    return static_cast<int>(ReadAt(FPeek));
}

int TTxtFile::PeekWCharInBlock()
{
    // A kept CR is always followed by its LF in the buffer; a lead byte may not be by its trail byte.
    if (FPeek >= FEnd || (FPeek + 1 == FEnd && IsDBCSLeadByte(static_cast<unsigned char>(FBuf[FPeek]))))
        return FEof && FPeek >= FEnd ? EndOfText : NotInBlock;
    return static_cast<int>(ReadAt(FPeek));
}

void TTxtFile::ReadCurrentLine(RE_LineInfo_t& Info)
{
    CheckCancel();
    // (A search loop that found the line end already has moved the position to it.)
    const char* lf = FCur < FEnd && FBuf[FCur] == '\n' ? FBuf.data() + FCur : nullptr;
    while (!lf && !(lf = static_cast<const char*>(std::memchr(FBuf.data() + FCur, '\n', FEnd - FCur)))) {
        FCur = FEnd;
        if (!Fill()) throw EEndOfFile();
    }
    const std::size_t end = lf - FBuf.data();
    const std::size_t cr = end > FLineStart && FBuf[end - 1] == '\r' ? 1 : 0;
    Info.Line = std::string_view(FBuf.data() + FLineStart, end - FLineStart - cr);
    Info.LineNo = LineNoAt(FLineStart);
    FCur = FPeek = end;
}

} // namespace qx
