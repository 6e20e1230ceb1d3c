#pragma once
// TREParser turns a (pre-processed) pattern into a parse tree whose character leaves are pairwise
// disjoint ranges of 16-bit codes, so that the automata built from it never see overlapping ranges.

#include "regexp/REScanner.h"

#include <map>
#include <memory>
#include <utility>
#include <vector>

namespace qx {

enum REOperation_t : int {
    reop_Char = 0,    // a range First..Last
    reop_LHead = 1,   // "^"; First holds the token's character
    reop_LTail = 2,   // "$"; First holds the token's character
    reop_Concat = 3,
    reop_Union = 4,
    reop_Closure = 5, // Left is the child
    reop_Empty = 6,
};

struct REParseNode {
    REOperation_t Op = reop_Empty;
    WChar_t First = 0, Last = 0;
    REParseNode* Left = nullptr;
    REParseNode* Right = nullptr;
};

using RECodeRange = std::pair<WChar_t, WChar_t>;

// Boundary sweep: the sorted start codes of every range and the codes after their ends.
class RERangeBounds {
public:
    void Add(WChar_t First, WChar_t Last);
    void Seal();
    // The range cut at every boundary strictly inside it (one piece when none is).
    std::vector<RECodeRange> Cut(WChar_t First, WChar_t Last) const;

private:
    std::vector<unsigned> FBounds;
};

// The codes "." stands for: every code but NUL, LF, CR and those above $FCFC.
inline constexpr RECodeRange AnyCharRanges[] = {{1, 9}, {11, 12}, {14, 0xFCFC}};

class TREParseTree {
public:
    TREParseTree() = default;
    TREParseTree(const TREParseTree&) = delete;
    TREParseTree& operator=(const TREParseTree&) = delete;
    virtual ~TREParseTree() = default;

    REParseNode* MakeInternalNode(REOperation_t Op, REParseNode* Left, REParseNode* Right);
    // The leaf of a range; a range the tree already holds gives the same leaf.
    REParseNode* MakeLeaf(WChar_t First, WChar_t Last);
    // The union of the leaves of Ranges (ascending, disjoint, at least one).
    REParseNode* MakeRangesNode(const std::vector<RECodeRange>& Ranges);
    virtual REParseNode* MakeAnyCharsNode();
    // Splits the leaves at every range boundary that falls inside another leaf; a split leaf becomes a
    // union of its pieces in place, so every reference to it keeps its meaning.
    void ForceCharsUnique();

    REParseNode* Root = nullptr;
    const std::vector<REParseNode*>& LeafList() const { return FLeafList; }

private:
    REParseNode* NewNode();
    std::vector<std::unique_ptr<REParseNode>> FNodes;
    std::vector<REParseNode*> FLeafList;
    std::map<std::pair<WChar_t, WChar_t>, REParseNode*> FLeafIndex;
};

class TREParser {
public:
    explicit TREParser(std::string_view Pattern) : FScanner(Pattern) {}
    // Parses the pattern into ParseTree and makes the leaves disjoint; raises ERegExpParser.
    void Run();
    TREParseTree ParseTree;

private:
    REParseNode* RegExpr();
    REParseNode* Term();
    REParseNode* Factor();
    REParseNode* Primary();
    REParseNode* CharClass(bool Negative);
    void Next() { FScanner.GetToken(); }
    [[noreturn]] void Fail(const char* Message) const;

    TREScanner FScanner;
};

} // namespace qx
