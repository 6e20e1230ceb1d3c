#include "regexp/TxtFile.h"

#include "platform/LeadByte.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace qx {

void TPollThrottle::Poll()
{
    if (!Hook) return;
    const auto now = Clock();
    if (FLast != std::chrono::steady_clock::time_point{} && now - FLast < Interval) return;
    FLast = now;
    Hook();
}

TTxtFile::TTxtFile(const std::string& FileName, const bool* Cancel, TPollThrottle* Poll)
    : FFileName(FileName), FCancel(Cancel), FPoll(Poll)
{
    // Non-blocking, so that opening a FIFO does not wait for a writer; only a regular file is read.
    FFd = ::open(FileName.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (FFd < 0)
        throw EFOpenError("Cannot open file \"" + FileName + "\". " + std::strerror(errno));
    struct stat st;
    if (::fstat(FFd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(FFd);
        throw EFOpenError("\"" + FileName + "\" is not a regular file; it is skipped.");
    }
    ::fcntl(FFd, F_SETFL, ::fcntl(FFd, F_GETFL) & ~O_NONBLOCK);
    FBuf.resize(BlockSize + 100);
    FBuf[0] = '\n'; // the line end before the first line
    FEnd = 1;
    FBuf[FEnd] = 0;
}

TTxtFile::~TTxtFile()
{
    if (FFd >= 0) ::close(FFd);
}

void TTxtFile::CheckCancel()
{
    if (FPoll) FPoll->Poll();
    if (FCancel && *FCancel) throw EGrepCancel();
}

int TTxtFile::LineNoAt(std::size_t Pos)
{
    if (Pos > FCounted) {
        FLines += static_cast<int>(std::count(FBuf.data() + FCounted, FBuf.data() + Pos, '\n'));
        FCounted = Pos;
    }
    return FLines;
}

void TTxtFile::Seek(std::size_t Pos, std::size_t LineStart)
{
    FCur = FPeek = Pos;
    FLineStart = LineStart;
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

    // A long line makes the reads grow with it, so that it is moved a logarithmic number of times.
    const std::size_t want = std::max(BlockSize, FEnd);
    const std::size_t needed = FEnd + 1 + want + 2;
    if (FBuf.size() < needed) FBuf.resize(std::max(needed, FBuf.size() * 2));
    const std::size_t start = FEnd;
    if (FPendingCR) {
        FBuf[FEnd++] = '\r';
        FPendingCR = false;
    }
    ssize_t n;
    do {
        n = ::read(FFd, FBuf.data() + FEnd, want);
    } while (n < 0 && errno == EINTR);
    if (n < 0) throw EInOutError("Cannot read file \"" + FFileName + "\". " + std::strerror(errno));
    FEnd += static_cast<std::size_t>(n);
    if (n == 0) FEof = true;
    if (!FEof && FEnd > start && FBuf[FEnd - 1] == '\r') {
        FPendingCR = true;
        --FEnd;
    }
    Normalize(start);
    if (FEof && FEnd > 0 && FBuf[FEnd - 1] != '\n') FBuf[FEnd++] = '\n';
    FBuf[FEnd] = 0;
    CheckCancel();
    return FEnd > start;
}

void TTxtFile::Normalize(std::size_t From)
{
    char* const begin = FBuf.data() + From;
    char* const end = FBuf.data() + FEnd;
    for (char* p = begin; (p = static_cast<char*>(std::memchr(p, 0, end - p))) != nullptr; ++p) *p = ' ';
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

WChar_t TTxtFile::GetWChar()
{
    if (FCur >= FEnd && !Fill()) throw EEndOfFile();
    const auto b = static_cast<unsigned char>(FBuf[FCur++]);
    WChar_t code = b;
    if (b == '\n') {
        FLineStart = FCur;
    } else if (IsDBCSLeadByte(b)) {
        if (FCur >= FEnd) Fill();
        const auto t = static_cast<unsigned char>(FBuf[FCur]);
        if (FCur < FEnd && t != '\n') {
            ++FCur;
            code = static_cast<WChar_t>(b << 8 | t);
        }
    }
    FPeek = FCur;
    return code;
}

int TTxtFile::PeekWChar()
{
    if (FPeek >= FEnd && !Fill()) return EndOfText;
    const auto b = static_cast<unsigned char>(FBuf[FPeek++]);
    if (IsDBCSLeadByte(b)) {
        if (FPeek >= FEnd) Fill();
        const auto t = static_cast<unsigned char>(FBuf[FPeek]);
        if (FPeek < FEnd && t != '\n') {
            ++FPeek;
            return b << 8 | t;
        }
    }
    return b;
}

void TTxtFile::ReadCurrentLine(RE_LineInfo_t& Info)
{
    CheckCancel();
    const char* lf;
    while (!(lf = static_cast<const char*>(std::memchr(FBuf.data() + FCur, '\n', FEnd - FCur)))) {
        FCur = FEnd;
        if (!Fill()) throw EEndOfFile();
    }
    const std::size_t end = lf - FBuf.data();
    Info.Line.assign(FBuf.data() + FLineStart, end - FLineStart);
    Info.LineNo = LineNoAt(FLineStart);
    FCur = FPeek = end;
}

} // namespace qx
