#pragma once
// TGrep searches one file at a time for the lines that its pattern matches and reports each through
// OnMatch. A line is reported when a match starts at one of its characters or at the line end before
// it; "^" and "$" at the pattern's ends stand for that line end (code 10). A literal pattern is found
// with a byte search; any other runs through the lazy automaton, one pass per line.

#include "regexp/RegularExpression.h"
#include "regexp/TxtFile.h"

#include <functional>
#include <string>

namespace qx {

using TGrepOnMatch = std::function<void(TObject* Sender, const RE_LineInfo_t& LineInfo)>;

class TGrep : public TRegularExpression {
public:
    explicit TGrep(TComponent* AOwner = nullptr);
    void AfterConstruction() override;
    void GetPublishedProperties(std::vector<TPropInfo>& props) override;
    void SetRegExp(const std::string& Pattern) override;

    bool UseFuzzyCharDic() const { return FPreProcessor.UseFuzzyCharDic; }
    void SetUseFuzzyCharDic(bool Value);
    bool UseSynonymDic() const { return FPreProcessor.UseSynonymDic; }
    void SetUseSynonymDic(bool Value);
    // The synonym dictionaries (none by default).
    TREDictionaryList& SynonymDic() { return FPreProcessor.SynonymDic; }

    TGrepOnMatch OnMatch;
    // Set while a search runs (from the poll hook) to stop it with EGrepCancel.
    bool Cancel = false;
    // The application's pending work, run during a search at most once per Poll.Interval.
    TPollThrottle Poll;
    // Searches one file: GrepByStr for a literal pattern, else GrepByRegExp. Raises EGrepCancel when
    // cancelled, EFOpenError when the file cannot be opened or is not a regular file, EInOutError when
    // it cannot be read.
    std::function<void(const std::string& FileName)> Grep;

    void GrepByStr(const std::string& FileName);
    void GrepByRegExp(const std::string& FileName);

protected:
    WChar_t GetLineHeadCode() const override { return '\n'; }
    WChar_t GetLineTailCode() const override { return '\n'; }

private:
    void SelectGrep();
    void Report(TTxtFile& File);
    void ScanLiteral(TTxtFile& File, const std::string& Needle, const std::u16string& Codes);
    void ScanRegExp(TTxtFile& File, TRE_DFA& DFA);
    // Follows the matches of the line that ends at Pos into the lines after it; true when one ends.
    bool MatchesAcrossLineEnd(TTxtFile& File, TRE_DFA& DFA, int State, unsigned LineEndClass);

    std::vector<char> FBuffer; // the reader's buffer, kept from file to file
};

} // namespace qx
