#include "regexp/REParser.h"

#include <algorithm>

namespace qx {

void RERangeBounds::Add(WChar_t First, WChar_t Last)
{
    FBounds.push_back(First);
    FBounds.push_back(unsigned(Last) + 1);
}

void RERangeBounds::Seal()
{
    std::sort(FBounds.begin(), FBounds.end());
    FBounds.erase(std::unique(FBounds.begin(), FBounds.end()), FBounds.end());
}

std::vector<RECodeRange> RERangeBounds::Cut(WChar_t First, WChar_t Last) const
{
    std::vector<RECodeRange> pieces;
    unsigned from = First;
    for (auto it = std::upper_bound(FBounds.begin(), FBounds.end(), unsigned(First));
         it != FBounds.end() && *it <= Last; ++it) {
        pieces.emplace_back(WChar_t(from), WChar_t(*it - 1));
        from = *it;
    }
    pieces.emplace_back(WChar_t(from), Last);
    return pieces;
}

REParseNode* TREParseTree::NewNode()
{
    FNodes.push_back(std::make_unique<REParseNode>());
    return FNodes.back().get();
}

REParseNode* TREParseTree::MakeInternalNode(REOperation_t Op, REParseNode* Left, REParseNode* Right)
{
    REParseNode* n = NewNode();
    n->Op = Op;
    n->Left = Left;
    n->Right = Right;
    return n;
}

REParseNode* TREParseTree::MakeLeaf(WChar_t First, WChar_t Last)
{
    auto [it, added] = FLeafIndex.try_emplace({First, Last}, nullptr);
    if (added) {
        REParseNode* n = NewNode();
        n->Op = reop_Char;
        n->First = First;
        n->Last = Last;
        it->second = n;
        FLeafList.push_back(n);
    }
    return it->second;
}

REParseNode* TREParseTree::MakeRangesNode(const std::vector<RECodeRange>& Ranges)
{
    REParseNode* node = nullptr;
    for (const auto& [first, last] : Ranges) {
        REParseNode* leaf = MakeLeaf(first, last);
        node = node ? MakeInternalNode(reop_Union, node, leaf) : leaf;
    }
    return node;
}

REParseNode* TREParseTree::MakeAnyCharsNode()
{
    return MakeRangesNode({std::begin(AnyCharRanges), std::end(AnyCharRanges)});
}

void TREParseTree::ForceCharsUnique()
{
    // A sweep over the sorted boundaries of all leaves, not pairwise splits: every first code and every
    // code after a last code starts a piece, and a leaf with such a boundary inside it is cut there.
    RERangeBounds bounds;
    for (const REParseNode* leaf : FLeafList) bounds.Add(leaf->First, leaf->Last);
    bounds.Seal();
    const std::vector<REParseNode*> leaves = FLeafList;
    for (REParseNode* leaf : leaves) {
        const std::vector<RECodeRange> pieces = bounds.Cut(leaf->First, leaf->Last);
        if (pieces.size() == 1) continue;
        // The leaf stops being a leaf before the pieces are made, so none of them can be itself.
        FLeafIndex.erase({leaf->First, leaf->Last});
        FLeafList.erase(std::find(FLeafList.begin(), FLeafList.end(), leaf));
        *leaf = *MakeRangesNode(pieces); // the leaf becomes the union of its pieces in place
    }
}

void TREParser::Fail(const char* Message) const
{
    throw ERegExpParser(Message, static_cast<int>(FScanner.Position()) + 1);
}

void TREParser::Run()
{
    Next();
    ParseTree.Root = RegExpr();
    if (FScanner.Token() != retk_End) Fail(REMsg::ExtraChars);
    ParseTree.ForceCharsUnique();
}

REParseNode* TREParser::RegExpr()
{
    REParseNode* node = Term();
    while (FScanner.Token() == retk_Union) {
        Next();
        node = ParseTree.MakeInternalNode(reop_Union, node, Term());
    }
    return node;
}

REParseNode* TREParser::Term()
{
    auto ends = [this] {
        const REToken_t t = FScanner.Token();
        return t == retk_Union || t == retk_RPar || t == retk_End;
    };
    if (ends()) return ParseTree.MakeInternalNode(reop_Empty, nullptr, nullptr);
    REParseNode* node = Factor();
    while (!ends()) node = ParseTree.MakeInternalNode(reop_Concat, node, Factor());
    return node;
}

REParseNode* TREParser::Factor()
{
    REParseNode* p = Primary();
    switch (FScanner.Token()) {
    case retk_Star:
        Next();
        return ParseTree.MakeInternalNode(reop_Closure, p, nullptr);
    case retk_Plus:
        Next();
        return ParseTree.MakeInternalNode(reop_Concat, p,
                                          ParseTree.MakeInternalNode(reop_Closure, p, nullptr));
    case retk_QMark:
        Next();
        return ParseTree.MakeInternalNode(reop_Union, p,
                                          ParseTree.MakeInternalNode(reop_Empty, nullptr, nullptr));
    default:
        return p;
    }
}

REParseNode* TREParser::Primary()
{
    REParseNode* node = nullptr;
    switch (FScanner.Token()) {
    case retk_Char:
        node = ParseTree.MakeLeaf(FScanner.Char(), FScanner.Char());
        break;
    case retk_LPar:
        Next();
        node = RegExpr();
        if (FScanner.Token() != retk_RPar) Fail(REMsg::NeedRPar);
        break;
    case retk_LBra:
    case retk_LBraNegative:
        return CharClass(FScanner.Token() == retk_LBraNegative);
    case retk_Dot:
        node = ParseTree.MakeAnyCharsNode();
        break;
    case retk_LHead:
    case retk_LTail:
        node = ParseTree.MakeInternalNode(FScanner.Token() == retk_LHead ? reop_LHead : reop_LTail,
                                          nullptr, nullptr);
        node->First = node->Last = FScanner.Char();
        break;
    default:
        Fail(REMsg::NeedPrimary);
    }
    Next();
    return node;
}

REParseNode* TREParser::CharClass(bool Negative)
{
    std::vector<RECodeRange> listed;
    Next();
    if (FScanner.Token() == retk_RBra) Fail(REMsg::BadClass);
    while (FScanner.Token() == retk_Char || FScanner.Token() == retk_CharRange) {
        const WChar_t last = FScanner.Token() == retk_Char ? FScanner.Char() : FScanner.CharEnd();
        listed.emplace_back(FScanner.Char(), last);
        Next();
    }
    if (FScanner.Token() != retk_RBra) Fail(REMsg::NeedRBra);
    if (!Negative) {
        Next();
        return ParseTree.MakeRangesNode(listed);
    }
    // The any-character ranges less every listed range.
    std::sort(listed.begin(), listed.end());
    std::vector<RECodeRange> rest;
    for (auto [from, to] : AnyCharRanges) {
        unsigned lo = from;
        for (const auto& [first, last] : listed) {
            if (last < lo || first > to) continue;
            if (first > lo) rest.emplace_back(WChar_t(lo), WChar_t(first - 1));
            lo = unsigned(last) + 1;
        }
        if (lo <= to) rest.emplace_back(WChar_t(lo), to);
    }
    // A class that excludes every character would match nothing: treat it as a bad class.
    if (rest.empty()) Fail(REMsg::BadClass);
    Next();
    return ParseTree.MakeRangesNode(rest);
}

} // namespace qx
