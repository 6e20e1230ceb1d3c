#pragma once
// Test helper: random regular expressions. The grammar (alternations of sequences of atoms, each atom
// optionally repeated, anchors at the ends) is shared; each test chooses its own atoms.

#include <random>
#include <string>

namespace qx::test {

class TRandomPattern {
public:
    explicit TRandomPattern(unsigned Seed) : FRng(Seed) {}
    virtual ~TRandomPattern() = default;

    unsigned Pick(std::size_t n) { return static_cast<unsigned>(FRng() % n); }
    // A pattern of nesting depth 2, with "^" and "$" each added once in AnchorOdds.
    std::string Pattern(unsigned AnchorOdds)
    {
        std::string p = Alternation(2);
        if (Pick(AnchorOdds) == 0) p = "^" + p;
        if (Pick(AnchorOdds) == 0) p += "$";
        return p;
    }

protected:
    // One atom; at depth > 0 it may be a group of Alternation(depth - 1).
    virtual std::string Atom(int depth) = 0;

    std::string Alternation(int depth)
    {
        std::string p = Sequence(depth);
        while (Pick(4) == 0) p += "|" + Sequence(depth);
        return p;
    }

private:
    std::string Sequence(int depth)
    {
        std::string p;
        for (int n = 1 + Pick(3); n > 0; --n) {
            p += Atom(depth);
            const char* postfix[] = {"*", "+", "?"};
            if (const unsigned q = Pick(8); q < 3) p += postfix[q];
        }
        return p;
    }

    std::mt19937 FRng;
};

} // namespace qx::test
