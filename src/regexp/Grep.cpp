#include "regexp/Grep.h"

#include "platform/LeadByte.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace qx {

namespace {

// What a byte is to the search loops: 0 a single-byte character, 1 a lead byte, 2 a line end or the
// buffer's end mark.
constexpr std::array<std::uint8_t, 256> kByteKinds = [] {
    std::array<std::uint8_t, 256> kinds{};
    for (unsigned b = 0; b < 256; ++b) kinds[b] = IsDBCSLeadByte(static_cast<unsigned char>(b)) ? 1 : 0;
    kinds['\n'] = kinds[0] = 2;
    return kinds;
}();

// The start of the line that holds a position, found by looking back over each byte once.
struct LineTracker {
    std::size_t Start = 0;   // a line start at or before every position asked for
    std::size_t Scanned = 0; // no line end lies in [Start, Scanned)
    void MoveTo(const char* Buf, std::size_t Pos)
    {
        if (Pos <= Scanned) return;
        if (const void* lf = memrchr(Buf + Scanned, '\n', Pos - Scanned))
            Start = static_cast<const char*>(lf) - Buf + 1;
        Scanned = Pos;
    }
    void Reset(std::size_t Pos) { Start = Scanned = Pos; }
};

// Whether the characters at Pos are Codes: 1 yes, 0 no, -1 when the text that decides it is not read
// yet. Every byte of the match is in the buffer; only the byte after a last lead byte may not be.
int CodesAt(const char* Buf, std::size_t End, std::size_t Pos, const std::u16string& Codes)
{
    for (char16_t code : Codes) {
        const auto b = static_cast<unsigned char>(Buf[Pos]);
        unsigned c = b;
        if (IsDBCSLeadByte(b)) {
            if (Pos + 1 >= End) return -1;
            if (Buf[Pos + 1] != '\n') c = b << 8 | static_cast<unsigned char>(Buf[++Pos]);
        }
        if (c != code) return 0;
        ++Pos;
    }
    return 1;
}

} // namespace

TGrep::TGrep(TComponent* AOwner) : TRegularExpression(AOwner)
{
    FPreProcessor.FuzzyCharDicList.push_back(&FuzzyCharDic());
}

void TGrep::AfterConstruction()
{
    TRegularExpression::AfterConstruction();
    SelectGrep();
}

void TGrep::GetPublishedProperties(std::vector<TPropInfo>& props)
{
    TRegularExpression::GetPublishedProperties(props);
    props.push_back({"UseFuzzyCharDic", TTypeKind::tkBool});
    props.push_back({"UseSynonymDic", TTypeKind::tkBool});
    props.push_back({"OnMatch", TTypeKind::tkMethod});
    props.push_back({"Cancel", TTypeKind::tkBool});
}

void TGrep::SetRegExp(const std::string& Pattern)
{
    try {
        TRegularExpression::SetRegExp(Pattern);
    } catch (...) {
        SelectGrep();
        throw;
    }
    SelectGrep();
}

void TGrep::SelectGrep()
{
    if (IsLiteral()) Grep = [this](const std::string& FileName) { GrepByStr(FileName); };
    else Grep = [this](const std::string& FileName) { GrepByRegExp(FileName); };
}

void TGrep::SetUseFuzzyCharDic(bool Value)
{
    FPreProcessor.UseFuzzyCharDic = Value;
    SetRegExp(RegExp());
}

void TGrep::SetUseSynonymDic(bool Value)
{
    FPreProcessor.UseSynonymDic = Value;
    SetRegExp(RegExp());
}

void TGrep::Report(TTxtFile& File)
{
    RE_LineInfo_t info;
    File.ReadCurrentLine(info);
    OnMatch(this, info);
}

void TGrep::GrepByStr(const std::string& FileName)
{
    if (!OnMatch) return;
    Cancel = false;
    TTxtFile file(FileName, &Cancel, &Poll);
    // The literal's codes as the bytes they are in a text. A code that no text can hold (a high byte
    // that is no lead byte, a trail byte that reads as a line end, NUL or CR) matches nothing.
    const std::u16string& codes = DFA().LiteralCodes();
    std::string needle;
    for (char16_t c : codes) {
        const unsigned high = c >> 8, low = c & 0xFF;
        if (low == 0 || low == '\r' || (high != 0 && (!IsDBCSLeadByte(static_cast<unsigned char>(high)) || low == '\n')))
            return;
        if (high != 0) needle.push_back(static_cast<char>(high));
        needle.push_back(static_cast<char>(low));
    }
    if (needle.empty()) return;
    try {
        ScanLiteral(file, needle, codes);
    } catch (const EEndOfFile&) {
    }
}

void TGrep::ScanLiteral(TTxtFile& File, const std::string& Needle, const std::u16string& Codes)
{
    std::size_t from = File.Position();
    std::size_t sync = from; // a character boundary at or before every candidate still to come
    LineTracker line;
    line.Reset(File.LineStart());
    for (;;) {
        const char* buf = File.Buffer();
        const std::size_t end = File.DataEnd();
        std::size_t keepFrom;
        const void* hit = from < end ? memmem(buf + from, end - from, Needle.data(), Needle.size()) : nullptr;
        if (hit) {
            const std::size_t q = static_cast<const char*>(hit) - buf;
            line.MoveTo(buf, q);
            sync = std::max(sync, line.Start);
            while (sync < q) sync += (IsDBCSLeadByte(buf[sync]) && buf[sync + 1] != '\n') ? 2 : 1;
            const int same = sync == q ? CodesAt(buf, end, q, Codes) : 0;
            if (same == 0) {
                from = q + 1;
                continue;
            }
            if (same == 1) {
                // A match that starts at a line end belongs to the line after it.
                const std::size_t start = buf[q] == '\n' ? q + 1 : line.Start;
                File.Seek(std::max(q, start), start);
                Report(File);
                from = sync = File.Position();
                line.Reset(File.LineStart());
                continue;
            }
            keepFrom = q;
        } else {
            // Starts from here on may reach into the next block.
            keepFrom = std::max(from, end - std::min(end, Needle.size() - 1));
        }
        line.MoveTo(buf, keepFrom);
        File.Seek(keepFrom, line.Start);
        const std::size_t dropped = line.Start;
        if (!File.Fill()) return;
        from = File.Position();
        sync = std::max(sync, dropped) - dropped;
        line.Start -= dropped;
        line.Scanned -= dropped;
    }
}

void TGrep::GrepByRegExp(const std::string& FileName)
{
    if (!OnMatch) return;
    Cancel = false;
    TTxtFile file(FileName, &Cancel, &Poll);
    try {
        ScanRegExp(file, DFA());
    } catch (const EEndOfFile&) {
    }
}

void TGrep::ScanRegExp(TTxtFile& File, TRE_DFA& DFA)
{
    // Each line is fed to the unanchored automaton from the line end before it, which starts a new
    // match before every character; the line is reported at the first accepting state. Matches still
    // under way at its line end are followed further only when the pattern can cross a line end.
    const unsigned lineEndClass = DFA.ClassOf('\n');
    const std::size_t width = DFA.ClassCount();
    const std::uint16_t* single = DFA.SingleByteClasses();
    constexpr int start = TRE_DFA::kUnanchoredStart;
    int state = start;
    bool lineOpen = false; // a line is being fed and has not been reported
    std::size_t pos = File.Position(), lineStart = File.LineStart();
    auto report = [&] {
        File.Seek(pos, lineStart);
        Report(File);
        pos = File.Position();
        lineStart = File.LineStart();
        state = start;
        lineOpen = false;
    };
    for (;;) {
        const auto* buf = reinterpret_cast<const unsigned char*>(File.Buffer());
        const unsigned char* p = buf + pos;
        const std::int32_t* table = DFA.Row(0);
        bool accepted = false;
        for (;;) {
            const unsigned b = *p;
            const unsigned kind = kByteKinds[b];
            unsigned cls;
            unsigned length = 1;
            if (kind == 0) {
                cls = single[b];
            } else if (kind == 1) {
                const unsigned t = p[1];
                if (t == 0) break; // the trail byte is in the next block
                if (t == '\n') {
                    cls = single[b];
                } else {
                    cls = DFA.TrailClasses(static_cast<unsigned char>(b))[t];
                    length = 2;
                }
            } else {
                break;
            }
            std::int32_t e = table[state * width + cls];
            if (e < 0) {
                if (e == TRE_DFA::Unknown) {
                    e = DFA.Step(state, cls);
                    table = DFA.Row(0);
                }
                if (e <= TRE_DFA::AcceptBase) {
                    accepted = true;
                    break;
                }
            }
            state = e;
            p += length;
        }
        pos = p - buf;
        if (accepted) {
            report();
            continue;
        }
        if (*p != '\n') {
            // The end of the block: read on, keeping the current line.
            File.Seek(pos, lineStart);
            if (!File.Fill()) return;
            pos = File.Position();
            lineStart = File.LineStart();
            continue;
        }
        if (lineOpen) {
            const auto outcome = DFA.LineEndOutcome(state, lineEndClass);
            bool matched = outcome == TRE_DFA::TLineEnd::Accepts;
            if (outcome == TRE_DFA::TLineEnd::Continues) {
                File.Seek(pos, lineStart);
                matched = MatchesAcrossLineEnd(File, DFA, state, lineEndClass);
                pos = File.Position();
                lineStart = File.LineStart();
            }
            if (matched) report();
        }
        // The line end is the first start of the next line.
        lineStart = ++pos;
        lineOpen = true;
        std::int32_t e = DFA.Row(start)[lineEndClass];
        if (e == TRE_DFA::Unknown) e = DFA.Step(start, lineEndClass);
        state = TRE_DFA::EntryState(e);
        if (e <= TRE_DFA::AcceptBase) report();
    }
}

bool TGrep::MatchesAcrossLineEnd(TTxtFile& File, TRE_DFA& DFA, int State, unsigned LineEndClass)
{
    std::int32_t e = DFA.StepAnchored(State, LineEndClass);
    File.SeekPeek(File.Position() + 1);
    while (e != TRE_DFA::Dead) {
        if (e <= TRE_DFA::AcceptBase) return true;
        const int c = File.PeekWChar();
        if (c == TTxtFile::EndOfText) return false;
        e = DFA.Step(e, DFA.ClassOf(static_cast<unsigned>(c)));
    }
    return false;
}

} // namespace qx
