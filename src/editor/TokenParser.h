#pragma once
// TTokenParser: the plain lexer, for tokens wanted without the colouring rules of any fountain: it
// cuts a row into plain words (identifiers, numbers, runs of one kind of Japanese character) and
// symbols, knowing no reserved words, brackets, comments or links.

#include "editor/FountainParser.h"

namespace qx {

class TTokenParser : public TFountainParser {
public:
    TTokenParser();

private:
    // The fountain without rules that every plain parser reads.
    static TFountain* PlainFountain();
};

} // namespace qx
