#include "regexp/REDfa.h"

#include <algorithm>
#include <map>

namespace qx {

std::size_t TRE_DFA::SetHash::operator()(const std::pair<StateSet, bool>& k) const noexcept
{
    std::size_t h = k.second ? 0x9E3779B97F4A7C15ull : 0;
    for (int s : k.first) h = (h ^ unsigned(s)) * 0x100000001B3ull;
    return h;
}

TRE_DFA::TRE_DFA(const TRE_NFA& NFA, std::size_t MemoryBudget)
    : FEntry(NFA.EntryState), FExit(NFA.ExitState), FMemoryBudget(MemoryBudget),
      FLineHeadUsed(NFA.LineHeadUsed), FLineTailUsed(NFA.LineTailUsed)
{
    BuildClasses(NFA);
    FMark.assign(FMoves.size(), 0);
}

void TRE_DFA::BuildClasses(const TRE_NFA& NFA)
{
    // The NFA's ranges are pairwise disjoint or equal: each distinct range is a class.
    std::map<RECodeRange, unsigned> classes;
    for (const auto& state : NFA.States)
        for (const auto& t : state)
            if (!t.Epsilon) classes.emplace(RECodeRange{t.First, t.Last}, 0);
    FClassRange.assign(1, {0, 0});
    for (auto& [range, cls] : classes) {
        cls = static_cast<unsigned>(FClassRange.size());
        FClassRange.push_back(range);
    }
    FClassCount = static_cast<int>(FClassRange.size());
    while ((1 << FRowShift) < FClassCount) ++FRowShift;

    FMoves.resize(NFA.States.size());
    FEpsilon.resize(NFA.States.size());
    for (std::size_t s = 0; s < NFA.States.size(); ++s)
        for (const auto& t : NFA.States[s]) {
            if (t.Epsilon) FEpsilon[s].push_back(t.To);
            else FMoves[s].emplace_back(classes[{t.First, t.Last}], t.To);
        }

    // Each row of 256 codes is filled from the ranges that reach into it, in one sweep over the ranges
    // (disjoint, so sorted by their ends as by their starts); no table of every code: fresh memory of
    // 128 KB costs more than the few ranges of a pattern.
    std::size_t from = 1; // the first class that does not end before the row
    for (unsigned high = 0; high < 256; ++high) {
        std::array<std::uint16_t, 256> row{};
        const unsigned lo = high << 8, hi = lo | 0xFF;
        while (from < FClassRange.size() && FClassRange[from].second < lo) ++from;
        for (std::size_t c = from; c < FClassRange.size() && FClassRange[c].first <= hi; ++c) {
            const unsigned first = std::max<unsigned>(FClassRange[c].first, lo);
            const unsigned last = std::min<unsigned>(FClassRange[c].second, hi);
            if (first <= last)
                std::fill(row.begin() + (first - lo), row.begin() + (last - lo) + 1, static_cast<std::uint16_t>(c));
        }
        auto it = std::find(FRows.begin(), FRows.end(), row);
        if (it == FRows.end()) it = FRows.insert(FRows.end(), row);
        FRowOf[high] = static_cast<std::uint8_t>(it - FRows.begin());
    }
}

TRE_DFA::StateSet TRE_DFA::Close(const std::vector<int>& Seeds)
{
    if (++FMarkStamp == 0) {
        std::fill(FMark.begin(), FMark.end(), 0);
        FMarkStamp = 1;
    }
    std::vector<int> stack(Seeds.begin(), Seeds.end());
    StateSet set;
    while (!stack.empty()) {
        const int s = stack.back();
        stack.pop_back();
        if (FMark[s] == FMarkStamp) continue;
        FMark[s] = FMarkStamp;
        if (!FMoves[s].empty() || s == FExit) set.push_back(s);
        for (int t : FEpsilon[s])
            if (FMark[t] != FMarkStamp) stack.push_back(t);
    }
    std::sort(set.begin(), set.end());
    return set;
}

TRE_DFA::StateSet TRE_DFA::Move(const StateSet& Set, bool WithStart, unsigned Class)
{
    std::vector<int> seeds;
    auto gather = [&](const StateSet& from) {
        for (int s : from)
            for (const auto& [cls, to] : FMoves[s])
                if (cls == Class) seeds.push_back(to);
    };
    gather(Set);
    if (WithStart) gather(FStartSet);
    return Close(seeds);
}

int TRE_DFA::AddState(StateSet Set, bool Unanchored)
{
    auto [it, added] = FIndex.try_emplace({Set, Unanchored}, 0);
    if (!added) return it->second;
    const int index = static_cast<int>(FStates.size());
    it->second = index;
    const bool accepting = std::binary_search(Set.begin(), Set.end(), FExit);
    FMemory += (Set.size() * 2 + 16) * sizeof(int) + (std::size_t(1) << FRowShift) * sizeof(std::int32_t);
    FStates.push_back({std::move(Set), accepting, Unanchored, TLineEnd::Unknown});
    FTable.resize(FTable.size() + (std::size_t(1) << FRowShift), Unknown);
    return index;
}

void TRE_DFA::Flush()
{
    FStates.clear();
    FTable.clear();
    FIndex.clear();
    FMemory = 0;
    AddState(FStartSet, false); // kInitial
    AddState({}, true);         // kUnanchoredStart
}

void TRE_DFA::Run()
{
    FStartSet = Close({FEntry});
    Flush();
    FindStartCodes();
    FindRequiredCode();
    RunLiteralTest();
}

std::int32_t TRE_DFA::Step(int State, unsigned Class)
{
    std::int32_t& cached = FTable[(std::size_t(State) << FRowShift) + Class];
    if (cached != Unknown) return cached;
    bool unanchored = FStates[State].Unanchored;
    StateSet target = Move(FStates[State].Set, unanchored, Class);
    if (!unanchored && target.empty()) return cached = Dead;
    if (FMemory > FMemoryBudget) {
        // Start the table afresh; the source state comes back so that its entry can be kept.
        StateSet source = FStates[State].Set;
        ++FFlushCount;
        Flush();
        State = AddState(std::move(source), unanchored);
    }
    const int t = AddState(std::move(target), unanchored);
    return FTable[(std::size_t(State) << FRowShift) + Class] = Encode(t);
}

int TRE_DFA::NextState(int State, unsigned Code)
{
    if (Code > 0xFFFF) return None;
    const std::int32_t e = Step(State, ClassOf(Code));
    return e == Dead ? None : EntryState(e);
}

TRE_DFA::TLineEnd TRE_DFA::LineEndOutcome(int State, unsigned Class)
{
    DState& st = FStates[State];
    if (st.LineEnd == TLineEnd::Unknown) {
        const StateSet target = Move(st.Set, false, Class);
        st.LineEnd = target.empty() ? TLineEnd::Dies
                     : std::binary_search(target.begin(), target.end(), FExit) ? TLineEnd::Accepts
                                                                                : TLineEnd::Continues;
    }
    return st.LineEnd;
}

std::int32_t TRE_DFA::StepAnchored(int State, unsigned Class)
{
    StateSet target = Move(FStates[State].Set, false, Class);
    if (target.empty()) return Dead;
    if (FMemory > FMemoryBudget) {
        ++FFlushCount;
        Flush();
    }
    return Encode(AddState(std::move(target), false));
}

void TRE_DFA::FindStartCodes()
{
    std::vector<RECodeRange> ranges;
    for (int s : FStartSet)
        for (const auto& [cls, to] : FMoves[s]) ranges.push_back(FClassRange[cls]);
    std::sort(ranges.begin(), ranges.end());
    FStartRanges.clear();
    for (const RECodeRange& r : ranges) {
        if (!FStartRanges.empty() && r.first <= FStartRanges.back().second + 1u)
            FStartRanges.back().second = std::max(FStartRanges.back().second, r.second);
        else
            FStartRanges.push_back(r);
    }
    if (FStartRanges.size() > MaxStartRanges) FStartRanges.clear();
}

namespace {

// How rare a code is likely to be in Japanese text: kanji, then kana and full-width forms, then ASCII
// letters and digits, then blanks and punctuation.
int Rarity(unsigned Code)
{
    const unsigned lead = Code >> 8;
    if ((lead >= 0x88 && lead <= 0x9F) || lead >= 0xE0) return 5;
    if (lead == 0x82 && (Code & 0xFF) >= 0x9F) return 3; // hiragana
    if (lead != 0) return 4;
    if (Code >= 0xA1 && Code <= 0xDF) return 3;           // half-width katakana
    if ((Code | 0x20) >= 'a' && (Code | 0x20) <= 'z') return 2;
    if (Code >= '0' && Code <= '9') return 2;
    return 1;
}

} // namespace

void TRE_DFA::FindRequiredCode()
{
    FRequiredCode = 0;
    const std::size_t n = FMoves.size();
    if (n * FClassRange.size() > (std::size_t{1} << 22)) return; // a pattern as long as a pasted text
    const auto readsLineEnd = [&](unsigned Class) {
        return FClassRange[Class].first <= '\n' && '\n' <= FClassRange[Class].second;
    };
    // The states reached from Seeds, by epsilon moves alone or by every move but those of class Avoid.
    const auto reach = [&](std::vector<int> Seeds, bool EpsilonOnly, unsigned Avoid) {
        std::vector<char> seen(n, 0);
        for (int s : Seeds) seen[static_cast<std::size_t>(s)] = 1;
        while (!Seeds.empty()) {
            const int s = Seeds.back();
            Seeds.pop_back();
            const auto visit = [&](int t) {
                if (!seen[static_cast<std::size_t>(t)]) {
                    seen[static_cast<std::size_t>(t)] = 1;
                    Seeds.push_back(t);
                }
            };
            for (int t : FEpsilon[static_cast<std::size_t>(s)]) visit(t);
            if (!EpsilonOnly)
                for (const auto& [cls, t] : FMoves[static_cast<std::size_t>(s)])
                    if (cls != Avoid) visit(t);
        }
        return seen;
    };
    // A match stays within one line when every line end it reads after its first code ends it.
    const std::vector<char> fromEntry = reach({FEntry}, false, 0);
    std::vector<int> afterFirst;
    for (std::size_t s = 0; s < n; ++s)
        if (fromEntry[s])
            for (const auto& [cls, t] : FMoves[s]) afterFirst.push_back(t);
    const std::vector<char> inside = reach(afterFirst, false, 0);
    for (std::size_t s = 0; s < n; ++s)
        if (inside[s])
            for (const auto& [cls, t] : FMoves[s])
                if (readsLineEnd(cls) && !reach({t}, true, 0)[static_cast<std::size_t>(FExit)]) return;
    // A code is required when the exit cannot be reached without reading it.
    int best = 0;
    for (unsigned cls = 1; cls < FClassRange.size(); ++cls) {
        const auto [first, last] = FClassRange[cls];
        if (first != last || first == '\n') continue;
        const int rarity = Rarity(first);
        if (rarity <= best || reach({FEntry}, false, cls)[static_cast<std::size_t>(FExit)]) continue;
        best = rarity;
        FRequiredCode = first;
    }
}

void TRE_DFA::RunLiteralTest()
{
    FLiteral = false;
    FLiteralCodes.clear();
    FLiteralString.clear();
    std::u16string codes;
    int state = kInitial;
    for (;;) {
        unsigned only = 0;
        for (int s : FStates[state].Set)
            for (const auto& [cls, to] : FMoves[s]) {
                if (only != 0 && only != cls) return; // more than one transition
                only = cls;
            }
        if (only == 0) break;
        const auto [first, last] = FClassRange[only];
        if (first != last || FStates[state].Accepting) return;
        codes.push_back(first);
        state = EntryState(Step(state, only));
    }
    FLiteral = true;
    FLiteralCodes = codes;
    for (char16_t c : FLiteralCodes) FLiteralString += WCharToStr(c);
}

} // namespace qx
