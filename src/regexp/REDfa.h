#pragma once
// TRE_DFA: the deterministic automaton of a TRE_NFA, built lazily. A state is a set of NFA states;
// its transitions are computed the first time they are taken and kept in a table indexed by
// character class (codes that every NFA transition treats alike share a class). When the table
// outgrows its memory budget it is dropped and rebuilt on demand, so patterns whose full subset
// construction would explode (".*a" followed by twenty ".") still run in bounded memory.
//
// Two kinds of states share the table: anchored states follow matches that started at one position
// (NextState), unanchored states also start a new match before every character, which lets a
// line be searched in one pass.

#include "regexp/RENfa.h"

#include <array>
#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

namespace qx {

class TRE_DFA {
public:
    explicit TRE_DFA(const TRE_NFA& NFA, std::size_t MemoryBudget = DefaultMemoryBudget);
    // Builds the initial states and runs the literal test.
    void Run();

    static constexpr std::size_t DefaultMemoryBudget = 4u << 20;
    static constexpr int None = -1;

    // The anchored initial state and the anchored transition on a code (None when there is none).
    int InitialState() const { return kInitial; }
    int NextState(int State, unsigned Code);
    bool Accepting(int State) const { return FStates[State].Accepting; }

    // A literal pattern: one string of codes and nothing else.
    bool IsLiteral() const { return FLiteral; }
    const std::u16string& LiteralCodes() const { return FLiteralCodes; }
    // The literal as bytes (each code through WCharToStr); empty when not literal.
    const std::string& LiteralString() const { return FLiteralString; }

    // The ranges of codes a match can start with (sorted, apart) when they are few (at most
    // MaxStartRanges), else none.
    static constexpr std::size_t MaxStartRanges = 8;
    const std::vector<RECodeRange>& StartRanges() const { return FStartRanges; }

    // A code that every match holds, chosen among such codes as the one likely rarest in a text (a
    // kanji before kana, kana before ASCII); 0 when there is none, or when a match may reach past the
    // line it starts in (a line end inside it rather than at its ends). A line whose bytes lack it
    // holds no match.
    unsigned RequiredCode() const { return FRequiredCode; }

    bool LineHeadUsed() const { return FLineHeadUsed; }
    bool LineTailUsed() const { return FLineTailUsed; }

    // ---- The table, for search loops ----
    // An entry: >= 0 a state that does not accept, Unknown not computed yet (call Step), Dead no
    // transition (anchored states only), <= AcceptBase an accepting state (AcceptedState gives it).
    static constexpr std::int32_t Unknown = -1;
    static constexpr std::int32_t Dead = -2;
    static constexpr std::int32_t AcceptBase = -3;
    static constexpr int AcceptedState(std::int32_t Entry) { return AcceptBase - Entry; }
    static constexpr int EntryState(std::int32_t Entry) { return Entry <= AcceptBase ? AcceptBase - Entry : Entry; }

    // The unanchored state of "no match under way".
    static constexpr int kUnanchoredStart = 1;
    int ClassCount() const { return FClassCount; }
    // Rows of the table are 1 << RowShift() entries wide, so a loop finds a row with a shift.
    int RowShift() const { return FRowShift; }
    unsigned ClassOf(unsigned Code) const
    {
        return (Code >> 8) ? FRows[FRowOf[Code >> 8]][Code & 0xFF] : FRows[0][Code];
    }
    // Class tables for a byte-driven loop: the class of a single-byte code, and the trail-byte row of a
    // lead (TrailClasses()[TrailRowOf()[lead] * 256 + trail]).
    const std::uint16_t* SingleByteClasses() const { return FRows[0].data(); }
    const std::uint16_t* TrailClasses() const { return FRows[0].data(); }
    const std::uint8_t* TrailRowOf() const { return FRowOf.data(); }
    const std::int32_t* Row(int State) const { return FTable.data() + (std::size_t(State) << FRowShift); }
    // Computes (and keeps) the entry of State on Class. May drop the table: afterwards only the
    // returned state and the two fixed states are valid.
    std::int32_t Step(int State, unsigned Class);

    // What the matches under way in the unanchored State do on a line end: die, accept, or go on.
    enum class TLineEnd : std::int8_t { Unknown, Dies, Accepts, Continues };
    TLineEnd LineEndOutcome(int State, unsigned Class);
    // The anchored entry reached from the matches under way in unanchored State (no new start).
    std::int32_t StepAnchored(int State, unsigned Class);

    std::size_t StateCount() const { return FStates.size(); }
    std::size_t FlushCount() const { return FFlushCount; }

private:
    static constexpr int kInitial = 0;
    using StateSet = std::vector<int>;
    struct DState {
        StateSet Set;
        bool Accepting = false;
        bool Unanchored = false;
        TLineEnd LineEnd = TLineEnd::Unknown;
    };
    struct SetHash {
        std::size_t operator()(const std::pair<StateSet, bool>& k) const noexcept;
    };

    void BuildClasses(const TRE_NFA& NFA);
    void Flush();
    int AddState(StateSet Set, bool Unanchored);
    // The epsilon closure of Seeds, kept to the states that matter (with a move, or the exit).
    StateSet Close(const std::vector<int>& Seeds);
    // Moves of the states of Set (and of the start set when WithStart) on Class, closed.
    StateSet Move(const StateSet& Set, bool WithStart, unsigned Class);
    std::int32_t Encode(int State) const { return FStates[State].Accepting ? AcceptBase - State : State; }
    void FindStartCodes();
    void FindRequiredCode();
    void RunLiteralTest();

    // The NFA, kept in the form the construction reads.
    std::vector<std::vector<std::pair<unsigned, int>>> FMoves; // (class, target)
    std::vector<std::vector<int>> FEpsilon;
    int FEntry = 0, FExit = 0;
    StateSet FStartSet;

    // Classes: row 0 is the single-byte codes; FRowOf[high byte] picks the row of low bytes.
    int FClassCount = 1;
    int FRowShift = 0;
    std::vector<RECodeRange> FClassRange; // by class; class 0 is "no transition"
    std::vector<std::array<std::uint16_t, 256>> FRows;
    std::array<std::uint8_t, 256> FRowOf{};

    std::vector<DState> FStates;
    std::vector<std::int32_t> FTable;
    std::unordered_map<std::pair<StateSet, bool>, int, SetHash> FIndex;
    std::size_t FMemory = 0;
    const std::size_t FMemoryBudget;
    std::size_t FFlushCount = 0;
    std::vector<unsigned> FMark;
    unsigned FMarkStamp = 0;

    std::vector<RECodeRange> FStartRanges;
    unsigned FRequiredCode = 0;
    bool FLiteral = false;
    std::u16string FLiteralCodes;
    std::string FLiteralString;
    bool FLineHeadUsed = false, FLineTailUsed = false;
};

} // namespace qx
