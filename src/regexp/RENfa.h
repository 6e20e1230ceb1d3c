#pragma once
// TRE_NFA: the Thompson automaton of a parse tree. A "^" that starts the pattern becomes a transition
// on the line-head code, a "$" that ends it one on the line-tail code; elsewhere they stand for
// themselves. Transition ranges are then cut so that they are pairwise disjoint or equal, anchors
// included, which the subset construction relies on.

#include "regexp/REParser.h"

#include <vector>

namespace qx {

struct RENFATransition {
    WChar_t First = 0, Last = 0;
    bool Epsilon = false;
    int To = 0;
};

class TRE_NFA {
public:
    TRE_NFA(TREParser& Parser, WChar_t LineTailCode, WChar_t LineHeadCode)
        : LineHeadCode(LineHeadCode), LineTailCode(LineTailCode), FParser(Parser) {}
    void Run();

    // The transitions of each state.
    std::vector<std::vector<RENFATransition>> States;
    int EntryState = 0;
    int ExitState = 0;
    const WChar_t LineHeadCode;
    const WChar_t LineTailCode;
    bool LineHeadUsed = false;
    bool LineTailUsed = false;

private:
    int AddState();
    void AddTransition(int From, int To, WChar_t First, WChar_t Last);
    void GenerateStateList(const REParseNode* Node, int From, int To);
    void MakeRangesDisjoint();

    TREParser& FParser;
};

} // namespace qx
