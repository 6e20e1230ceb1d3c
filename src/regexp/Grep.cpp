#include "regexp/Grep.h"

#include "platform/ByteScan.h"
#include "platform/LeadByte.h"
#include "platform/NeedleFinder.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <optional>
#include <string>
#include <utility>

namespace qx {

namespace {

// What a byte is to the search loops: 0 a single-byte character, 1 a lead byte, 2 a line end (LF, or
// the CR of a CR LF pair) or the buffer's end mark.
constexpr std::array<std::uint8_t, 256> kByteKinds = [] {
    std::array<std::uint8_t, 256> kinds{};
    for (unsigned b = 0; b < 256; ++b) kinds[b] = IsDBCSLeadByte(static_cast<unsigned char>(b)) ? 1 : 0;
    kinds['\n'] = kinds['\r'] = kinds[0] = 2;
    return kinds;
}();

// The bytes of a code as a text holds them; false for a code no text can hold (a high byte that is no
// lead byte, a trail byte that reads as a line end, NUL or CR).
bool AppendCodeBytes(unsigned Code, std::string& Bytes)
{
    const unsigned high = Code >> 8, low = Code & 0xFF;
    const bool lead = IsDBCSLeadByte(static_cast<unsigned char>(high));
    if (low == 0 || low == '\r' || (high != 0 && (!lead || low == '\n'))) return false;
    if (high != 0) Bytes.push_back(static_cast<char>(high));
    Bytes.push_back(static_cast<char>(low));
    return true;
}

// The codes a match can start with, as byte tests, and the first place where one of them stands: a
// single byte in a range, or a lead byte followed by a trail byte in a range (a run of codes that share
// their lead byte is one test).
struct StartCodeFinder {
    struct Test {
        bool Double;
        unsigned char Lead;   // the lead byte of a double-byte test
        unsigned char Lo, Hi; // the range of the single byte, or of the trail byte
    };
    static constexpr std::size_t MaxTests = 8;
    std::vector<Test> Tests;
    std::size_t MaxLength = 1;

    // False when a match may start with a line end or with codes of too many lead bytes.
    bool Build(const std::vector<RECodeRange>& Ranges)
    {
        for (const auto& [first, last] : Ranges) {
            if (first <= '\n' && '\n' <= last) return false;
            if (first <= 0xFF) Tests.push_back({false, 0, static_cast<unsigned char>(first),
                                                static_cast<unsigned char>(std::min<unsigned>(last, 0xFF))});
            for (unsigned high = std::max<unsigned>(first >> 8, 1); high <= (last >> 8u); ++high) {
                if (!IsDBCSLeadByte(static_cast<unsigned char>(high))) continue;
                const unsigned lo = high == (first >> 8u) ? first & 0xFF : 0;
                const unsigned hi = high == (last >> 8u) ? last & 0xFF : 0xFF;
                Tests.push_back({true, static_cast<unsigned char>(high), static_cast<unsigned char>(lo),
                                 static_cast<unsigned char>(hi)});
                MaxLength = 2;
            }
            if (Tests.size() > MaxTests) return false;
        }
        return !Tests.empty();
    }
    bool At(const char* p) const
    {
        const auto a = static_cast<unsigned char>(p[0]), b = static_cast<unsigned char>(p[1]);
        for (const Test& t : Tests) {
            const unsigned char x = t.Double ? b : a;
            if ((!t.Double || a == t.Lead) && x >= t.Lo && x <= t.Hi) return true;
        }
        return false;
    }
    // Buf[Size] must be readable.
    const char* Find(const char* Buf, std::size_t Size) const
    {
        std::size_t i = 0;
#if defined(__SSE2__)
        for (; i + 16 < Size; i += 16) {
            const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(Buf + i));
            const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(Buf + i + 1));
            __m128i any = _mm_setzero_si128();
            for (const Test& t : Tests) {
                // x in [Lo, Hi]: x - Lo, as an unsigned byte, is at most Hi - Lo.
                const __m128i x = _mm_sub_epi8(t.Double ? b : a, _mm_set1_epi8(static_cast<char>(t.Lo)));
                __m128i m = _mm_cmpeq_epi8(_mm_min_epu8(x, _mm_set1_epi8(static_cast<char>(t.Hi - t.Lo))), x);
                if (t.Double) m = _mm_and_si128(m, _mm_cmpeq_epi8(a, _mm_set1_epi8(static_cast<char>(t.Lead))));
                any = _mm_or_si128(any, m);
            }
            if (const int mask = _mm_movemask_epi8(any)) return Buf + i + __builtin_ctz(static_cast<unsigned>(mask));
        }
#endif
        for (; i < Size; ++i)
            if (At(Buf + i)) return Buf + i;
        return nullptr;
    }
};

// Whether Pos starts a character, From (at or before it) being known to start one. A byte that cannot be
// a lead byte ends a character, so the parity of the run of lead-like bytes before Pos (down to From)
// tells it; a lead byte before a line end is a character of its own.
bool StartsCharacter(const char* Buf, std::size_t From, std::size_t Pos)
{
    std::size_t run = 0;
    while (Pos - run > From && IsDBCSLeadByte(Buf[Pos - run - 1])) ++run;
    return run % 2 == 0 || EndsLine(static_cast<unsigned char>(Buf[Pos]));
}

void SkipToStart(TTxtFile& File, const StartCodeFinder& Finder, std::size_t& Pos, std::size_t& LineStart,
                 bool& LineOpen)
{
    // Pos is a character boundary. Move it to the next boundary that holds the start code, or as far
    // as this block allows (the code may reach into the next one). Line ends passed on the way start
    // lines in which nothing is under way.
    const char* buf = File.Buffer();
    const std::size_t end = File.DataEnd();
    const char* hit = Finder.Find(buf + Pos, end - Pos);
    const std::size_t target = hit ? hit - buf : end - std::min(end - Pos, Finder.MaxLength - 1);
    std::size_t sync = Pos;
    if (const void* lf = memrchr(buf + Pos, '\n', target - Pos)) {
        sync = LineStart = static_cast<const char*>(lf) - buf + 1;
        LineOpen = true;
    }
    if (StartsCharacter(buf, sync, target)) Pos = target;
    else Pos = target == end ? target - 1 : target + 1; // in the middle of a character (or its lead is last)
}

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
            if (!EndsLine(Buf[Pos + 1])) c = b << 8 | static_cast<unsigned char>(Buf[++Pos]);
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

void TGrep::ScanFile(const std::string& FileName, bool KeepCrLf, const std::function<void(TTxtFile&)>& Scan)
{
    FReportedThrough = 0;
    for (bool utf8 = true;; utf8 = false) {
        TTxtFile file(FileName, &Cancel, &Poll, KeepCrLf, &FBuffer);
        if (!utf8) file.NotUtf8();
        FHeldText.clear();
        FHeld.clear();
        try {
            Scan(file);
        } catch (const EEndOfFile&) {
        } catch (const ENotUtf8&) {
            if (utf8) continue;
            throw;
        }
        std::size_t start = 0;
        for (const auto& [end, number] : FHeld) {
            OnMatch(this, RE_LineInfo_t{std::string_view(FHeldText).substr(start, end - start), number});
            start = end;
        }
        FHeldText.clear();
        FHeld.clear();
        return;
    }
}

void TGrep::Report(TTxtFile& File)
{
    RE_LineInfo_t info;
    File.ReadCurrentLine(info);
    if (!File.Provisional()) {
        if (info.LineNo <= FReportedThrough) return;
        FReportedThrough = info.LineNo;
        return OnMatch(this, info);
    }
    FHeldText += info.Line;
    FHeld.emplace_back(FHeldText.size(), info.LineNo);
}

void TGrep::GrepByStr(const std::string& FileName)
{
    if (!OnMatch) return;
    Cancel = false;
    // The literal's codes as the bytes they are in a text; a code that no text holds matches nothing.
    const std::u16string& codes = DFA().LiteralCodes();
    std::string needle;
    bool possible = !codes.empty();
    for (char16_t c : codes) possible = AppendCodeBytes(c, needle) && possible;
    // A needle that holds a line end after its start needs CR LF made one LF in the buffer.
    const bool keepCrLf = needle.find('\n', 1) == std::string::npos;
    std::optional<TNeedleFinder> finder;
    if (possible) finder.emplace(std::move(needle));
    ScanFile(FileName, keepCrLf, [&](TTxtFile& File) {
        if (finder) ScanLiteral(File, *finder, codes);
    });
}

void TGrep::ScanLiteral(TTxtFile& File, TNeedleFinder& Finder, const std::u16string& Codes)
{
    const std::size_t length = Finder.Needle().size();
    std::size_t from = File.Position(); // where the search goes on (a match may start here)
    std::size_t sync = from; // a character boundary at or before every candidate still to come
    LineTracker line;
    line.Reset(File.LineStart());
    bool tuned = false;
    std::vector<TNeedleFinder::TCandidate> candidates(TNeedleFinder::MaxCandidates);
    // Where the needle's bytes start a character, they are its characters, unless one of them is a
    // lone lead byte (which is a character only before a line end).
    const bool bytesDecide = std::none_of(Codes.begin(), Codes.end(), [](char16_t c) {
        return c < 0x100 && IsDBCSLeadByte(static_cast<unsigned char>(c));
    });
    // Whether the needle's bytes at q are a match: 1 yes, 0 no, -1 when that depends on what is not
    // read yet. Start is the start of q's line.
    const auto match = [&](const char* buf, std::size_t end, std::size_t q, std::size_t start) {
        sync = std::max(sync, start);
        if (!StartsCharacter(buf, sync, q)) {
            sync = q + 1; // q is the trail byte of the character before it
            return 0;
        }
        sync = q;
        return bytesDecide ? 1 : CodesAt(buf, end, q, Codes);
    };
    // Reports the line of the match at q, whose line starts at Start; the search goes on at its line
    // end (a match may start there), which is not before Known. A match that starts at a line end
    // belongs to the line after it.
    const auto report = [&](const char* buf, std::size_t q, std::size_t start, std::size_t known) {
        if (buf[q] == '\n') start = q + 1;
        File.Seek(std::max(known, start), start);
        Report(File);
        from = sync = File.Position();
        line.Start = File.LineStart();
        line.Scanned = from; // no line end between the line's start and its end
    };
    for (;;) {
        const char* buf = File.Buffer();
        const std::size_t end = File.DataEnd();
        if (!tuned && end - from >= TTxtFile::BlockSize / 2) {
            Finder.Tune(buf + from, std::min<std::size_t>(end - from, 16384));
            tuned = true;
        }
        // The whole vectors first, a stretch at a time: its candidates with their lines' numbers, and
        // its line ends counted, in one pass.
        for (bool more = true; more && from < end;) {
            const std::size_t base = from;
            line.MoveTo(buf, base);
            const int before = File.LineNoAt(base);
            std::size_t found, lineEnds;
            // (Stretches of at most 1 GB keep their places within 32 bits, however long the line.)
            const std::size_t stretch = std::min<std::size_t>(end - base, std::size_t{1} << 30);
            const std::size_t reached = Finder.Scan(buf + base, stretch, candidates.data(), found, lineEnds);
            if (reached == 0) break;
            for (std::size_t c = 0; c < found && more; ++c) {
                const auto& candidate = candidates[c];
                const std::size_t q = base + candidate.At;
                if (q < from || !Finder.At(buf + q)) continue;
                line.MoveTo(buf, q);
                const std::size_t start = line.Start;
                const int same = match(buf, end, q, start);
                if (same == 0) continue;
                // A match whose line end is not read yet (or undecided) is left to the search below,
                // which reads on.
                const void* lineEnd = same > 0 ? std::memchr(buf + q + 1, '\n', end - q - 1) : nullptr;
                if (!lineEnd) {
                    from = q;
                    more = false;
                    break;
                }
                const bool atLineEnd = buf[q] == '\n';
                File.CountedTo(atLineEnd ? q + 1 : start, before + static_cast<int>(candidate.LineEnds) + atLineEnd);
                report(buf, q, start, static_cast<const char*>(lineEnd) - buf);
            }
            if (more && from < base + reached) {
                from = base + reached;
                line.MoveTo(buf, from);
                File.CountedTo(from, before + static_cast<int>(lineEnds));
            }
        }
        // The rest of the block, a candidate at a time.
        std::size_t keepFrom;
        const char* hit = from < end ? Finder.Find(buf + from, end - from) : nullptr;
        if (hit) {
            const std::size_t q = hit - buf;
            line.MoveTo(buf, q);
            const int same = match(buf, end, q, line.Start);
            if (same == 0) {
                from = q + 1;
                continue;
            }
            if (same == 1) {
                report(buf, q, line.Start, q);
                continue;
            }
            keepFrom = q;
        } else {
            // Starts from here on may reach into the next block.
            keepFrom = std::max(from, end - std::min(end, length - 1));
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
    ScanFile(FileName, true, [&](TTxtFile& File) {
        FCrossing.Valid = false;
        ScanRegExp(File, DFA());
    });
}

void TGrep::ScanRegExp(TTxtFile& File, TRE_DFA& DFA)
{
    // Each line is fed to the unanchored automaton from the line end before it, which starts a new
    // match before every character; the line is reported at the first accepting state. Matches still
    // under way at its line end are followed further only when the pattern can cross a line end.
    const unsigned lineEndClass = DFA.ClassOf('\n');
    const int shift = DFA.RowShift();
    const std::uint16_t* single = DFA.SingleByteClasses();
    const std::uint16_t* trailClasses = DFA.TrailClasses();
    const std::uint8_t* trailRowOf = DFA.TrailRowOf();
    // When matches start with a few codes only (and never with a line end), the places where no match
    // is under way are skipped to the next place that holds one of them.
    StartCodeFinder finder;
    const bool skip = finder.Build(DFA.StartRanges());
    // A code that every match holds, as bytes: at a line start, the lines before the next place that
    // holds those bytes are passed over unread.
    std::optional<TNeedleFinder> required;
    if (std::string bytes; DFA.RequiredCode() != 0 && AppendCodeBytes(DFA.RequiredCode(), bytes))
        required.emplace(std::move(bytes));
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
        if (required && pos == lineStart) {
            // Go to the line end before the first line that may hold a match (or the last one in the
            // block when none does): the lines between hold none.
            const char* text = File.Buffer();
            const std::size_t end = File.DataEnd();
            const char* hit = required->Find(text + pos, end - pos);
            const std::size_t upTo = hit ? static_cast<std::size_t>(hit - text) : end;
            const void* lf = memrchr(text + pos, '\n', upTo - pos);
            if (lf && static_cast<std::size_t>(static_cast<const char*>(lf) - text) > pos) {
                pos = static_cast<std::size_t>(static_cast<const char*>(lf) - text);
                state = start;
                lineOpen = false;
                continue;
            }
        }
        if (skip && state == start) SkipToStart(File, finder, pos, lineStart, lineOpen);
        const unsigned char* p = buf + pos;
        const std::int32_t* table = DFA.Row(0);
        bool accepted = false, backToSkip = false;
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
                if (kByteKinds[t] == 2) {
                    cls = single[b];
                } else {
                    cls = trailClasses[trailRowOf[b] * 256u + t];
                    length = 2;
                }
            } else {
                break;
            }
            std::int32_t e = table[(state << shift) + cls];
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
            if (skip && e == start) {
                backToSkip = true;
                break;
            }
        }
        pos = p - buf;
        if (accepted) {
            report();
            continue;
        }
        if (backToSkip) continue;
        if (*p == '\r') { // the CR of a CR LF pair: the LF is the line end
            ++pos;
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

int TGrep::TCrossingMemo::StateAt(int Line) const
{
    const auto after = std::upper_bound(Changes.begin(), Changes.end(), Line,
                                        [](int l, const std::pair<int, int>& c) { return l < c.first; });
    return std::prev(after)->second;
}

std::optional<bool> TGrep::TCrossingMemo::Known(int Line, int State, std::size_t Flushes) const
{
    if (!Valid || Flushes != this->Flushes || Line < First || Line >= End) return std::nullopt;
    if (StateAt(Line) != State) return std::nullopt;
    return Matched;
}

bool TGrep::MatchesAcrossLineEnd(TTxtFile& File, TRE_DFA& DFA, int State, unsigned LineEndClass)
{
    std::int32_t e = DFA.StepAnchored(State, LineEndClass);
    File.SeekPeek(File.Position() + 1);
    // The look-ahead reads the block in place; past its end it goes on in a reader of its own that
    // drops each line it passes, since a match may run on through the rest of the file.
    std::optional<TTxtFile> ahead;
    auto next = [&]() -> int {
        if (!ahead) {
            const int c = File.PeekWCharInBlock();
            if (c != TTxtFile::NotInBlock) return c;
            ahead.emplace(File, File.PeekPosition());
        }
        try {
            return ahead->GetWChar();
        } catch (const EEndOfFile&) {
            return TTxtFile::EndOfText;
        }
    };
    // This run's states at the line starts it passes, to be remembered with its answer.
    const std::size_t flushes = DFA.FlushCount();
    int line = File.LineNo() + 1; // the line that the line end starts
    const int first = line;
    int covered = first; // the line starts before this one were passed
    std::vector<std::pair<int, int>> changes;
    const auto finish = [&](bool matched, int end) {
        if (DFA.FlushCount() != flushes) {
            FCrossing.Valid = false; // the states' numbers changed on the way
            return matched;
        }
        // The run that reaches farther is the more useful one to keep.
        if (FCrossing.Valid && FCrossing.Flushes == flushes && FCrossing.End > end) return matched;
        FCrossing.Flushes = flushes;
        FCrossing.Valid = true;
        FCrossing.First = first;
        FCrossing.End = end;
        FCrossing.Matched = matched;
        FCrossing.Changes = std::move(changes);
        return matched;
    };
    bool atLineStart = true;
    while (e != TRE_DFA::Dead) {
        if (atLineStart) {
            if (e > TRE_DFA::AcceptBase) {
                if (const auto known = FCrossing.Known(line, e, DFA.FlushCount())) {
                    // From here on this run goes as the last one went: its states from here on are
                    // this run's too.
                    if (changes.empty() || changes.back().second != e) changes.emplace_back(line, e);
                    const auto& old = FCrossing.Changes;
                    const auto from = std::upper_bound(old.begin(), old.end(), line,
                                                       [](int l, const std::pair<int, int>& c) { return l < c.first; });
                    changes.insert(changes.end(), from, old.end());
                    return finish(*known, FCrossing.End);
                }
            }
            if (changes.empty() || changes.back().second != e) changes.emplace_back(line, e);
            covered = line + 1;
        }
        if (e <= TRE_DFA::AcceptBase) return finish(true, covered);
        const int c = next();
        if (c == TTxtFile::EndOfText) return finish(false, covered);
        e = DFA.Step(e, DFA.ClassOf(static_cast<unsigned>(c)));
        atLineStart = c == '\n';
        if (atLineStart) ++line;
    }
    return finish(false, covered);
}

} // namespace qx
