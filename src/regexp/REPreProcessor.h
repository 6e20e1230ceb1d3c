#pragma once
// TREPreProcessor rewrites a pattern before it is compiled: characters or words that a dictionary row
// holds become an alternation of the whole row. The fuzzy-character dictionary FuzzyCharDic makes
// full- and half-width forms, kana kinds and voicing marks equivalent; the synonym dictionary list is a
// hook that starts empty.

#include "regexp/REScanner.h"

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace qx {

// A dictionary row: equivalent Shift-JIS strings, the first is the row's head.
using TREDicRow = std::vector<std::string>;
using TREDictionary = std::vector<TREDicRow>;
// Dictionaries are tried in list order; the list does not own them.
using TREDictionaryList = std::vector<const TREDictionary*>;

// The fuzzy-character dictionary (145 rows, Shift-JIS), built on first use and never changed.
const TREDictionary& FuzzyCharDic();
// The fuzzy dictionary's source rows as UTF-8 text (for checking the conversion).
std::span<const char* const> FuzzyCharTableUtf8();
// One row of a dictionary table: comma-separated items, double quotes around items that hold a comma,
// a blank or a double quote (two double quotes inside stand for one).
TREDicRow ParseDicRow(std::string_view Text);

class TREPreProcessor {
public:
    explicit TREPreProcessor(std::string_view Pattern = {}) : FPattern(Pattern) {}

    void SetPattern(std::string_view Pattern) { FPattern.assign(Pattern); }
    const std::string& Pattern() const { return FPattern; }
    // Computes TargetRegExpStr from the pattern; raises the scanner's ERegExpParser for a bad pattern.
    void Run();
    const std::string& TargetRegExpStr() const { return FTargetRegExpStr; }

    TREDictionaryList SynonymDic;
    TREDictionaryList FuzzyCharDicList;
    bool UseSynonymDic = false;
    bool UseFuzzyCharDic = false;

private:
    struct TokenInfo {
        REToken_t Token;
        WChar_t Char;
        std::size_t Start, End;
    };
    std::string Expand(const std::string& Pattern, const TREDictionaryList& Dics);
    // Looks up a row item that matches the characters of the Char tokens from K on; on a match sets
    // FReplace and returns the number of tokens it covers, else 0.
    std::size_t Lookup(std::size_t K, const TREDictionaryList& Dics);

    std::string FPattern;
    std::string FTargetRegExpStr;
    TREScanner FScanner;
    std::vector<TokenInfo> FTokens;
    std::string FReplace;
};

} // namespace qx
