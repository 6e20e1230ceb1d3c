#include "regexp/RENfa.h"

#include <algorithm>

namespace qx {

int TRE_NFA::AddState()
{
    States.emplace_back();
    return static_cast<int>(States.size()) - 1;
}

void TRE_NFA::AddTransition(int From, int To, WChar_t First, WChar_t Last)
{
    States[From].push_back({First, Last, false, To});
}

void TRE_NFA::Run()
{
    States.clear();
    EntryState = AddState();
    ExitState = AddState();
    GenerateStateList(FParser.ParseTree.Root, EntryState, ExitState);
    MakeRangesDisjoint();
}

void TRE_NFA::GenerateStateList(const REParseNode* Node, int From, int To)
{
    switch (Node->Op) {
    case reop_Char:
        AddTransition(From, To, Node->First, Node->Last);
        break;
    case reop_LHead:
        if (From == EntryState) {
            AddTransition(From, To, LineHeadCode, LineHeadCode);
            LineHeadUsed = true;
        } else {
            AddTransition(From, To, Node->First, Node->First);
        }
        break;
    case reop_LTail:
        if (To == ExitState) {
            AddTransition(From, To, LineTailCode, LineTailCode);
            LineTailUsed = true;
        } else {
            AddTransition(From, To, Node->First, Node->First);
        }
        break;
    case reop_Concat:
    case reop_Union: {
        // A long pattern is a long chain of these down the left (they join left to right): walk the
        // chain in a loop, so that only groups take the builder deeper.
        std::vector<const REParseNode*> operands;
        const REParseNode* n = Node;
        for (; n->Op == Node->Op; n = n->Left) operands.push_back(n->Right);
        operands.push_back(n);
        std::reverse(operands.begin(), operands.end());
        int at = From;
        for (std::size_t i = 0; i < operands.size(); ++i) {
            if (Node->Op == reop_Union) {
                GenerateStateList(operands[i], From, To);
                continue;
            }
            const int next = i + 1 == operands.size() ? To : AddState();
            GenerateStateList(operands[i], at, next);
            at = next;
        }
        break;
    }
    case reop_Closure: {
        const int s1 = AddState();
        const int s2 = AddState();
        States[From].push_back({0, 0, true, s1});
        GenerateStateList(Node->Left, s1, s2);
        States[s2].push_back({0, 0, true, s1});
        States[s1].push_back({0, 0, true, To});
        break;
    }
    case reop_Empty:
        States[From].push_back({0, 0, true, To});
        break;
    default:
        throw Exception("This cannot happen in TRE_NFA.GenerateStateList");
    }
}

void TRE_NFA::MakeRangesDisjoint()
{
    // The leaves are disjoint already, but an anchor's code ("^", "$" or a line code) may fall inside
    // a leaf's range: cut every range at every boundary of the others.
    RERangeBounds bounds;
    for (const auto& state : States)
        for (const auto& t : state)
            if (!t.Epsilon) bounds.Add(t.First, t.Last);
    bounds.Seal();
    for (auto& state : States) {
        std::vector<RENFATransition> cut;
        for (const auto& t : state) {
            if (t.Epsilon) {
                cut.push_back(t);
                continue;
            }
            for (const auto& [first, last] : bounds.Cut(t.First, t.Last))
                cut.push_back({first, last, false, t.To});
        }
        state = std::move(cut);
    }
}

} // namespace qx
