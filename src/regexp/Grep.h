#pragma once
// TGrep searches one file at a time for the lines that its pattern matches and reports each through
// OnMatch. A line is reported when a match starts at one of its characters or at the line end before
// it; "^" and "$" at the pattern's ends stand for that line end (code 10). A literal pattern is found
// with a byte search; any other runs through the lazy automaton, one pass per line.

#include "regexp/RegularExpression.h"
#include "regexp/TxtFile.h"

#include <functional>
#include <optional>
#include <string>

namespace qx {

class TNeedleFinder;

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
    // Runs Scan over the file read in its code. What is found in a file read as UTF-8 is held until
    // its end: a later piece that is not UTF-8 makes it a file of another code, searched again.
    void ScanFile(const std::string& FileName, bool KeepCrLf, const std::function<void(TTxtFile&)>& Scan);
    void Report(TTxtFile& File);
    void ScanLiteral(TTxtFile& File, TNeedleFinder& Finder, const std::u16string& Codes);
    void ScanRegExp(TTxtFile& File, TRE_DFA& DFA);
    // Follows the matches of the line that ends at Pos into the lines after it; true when one ends.
    bool MatchesAcrossLineEnd(TTxtFile& File, TRE_DFA& DFA, int State, unsigned LineEndClass);

    // What the last look-ahead over line ends learnt: the automaton's state at each line start it
    // passed and how it ended. From a state at a line start the rest is decided, so a later look-ahead
    // that reaches a line start in the state this one had there stops with this one's answer: a
    // pattern like "a(.|\n)*b" reads on through the file once, not once for every line holding "a".
    struct TCrossingMemo {
        std::size_t Flushes = 0; // the automaton's table generation the states belong to
        bool Valid = false;
        int First = 0, End = 0;  // the line starts First .. End - 1 were passed
        std::vector<std::pair<int, int>> Changes; // (line, state) where the state at a line start changed
        bool Matched = false;
        // The answer for State at the start of Line, when this run knows it.
        std::optional<bool> Known(int Line, int State, std::size_t Flushes) const;
        int StateAt(int Line) const;
    };
    TCrossingMemo FCrossing;

    std::vector<char> FBuffer; // the reader's buffer, kept from file to file
    // The lines found while the file's code may change: their text end to end, and each one's end and
    // number.
    std::string FHeldText;
    std::vector<std::pair<std::size_t, int>> FHeld;
    // The last line reported before the file was taken for UTF-8: a search of it again in another code
    // reads the same lines up to there (plain in every code) and does not report them twice.
    int FReportedThrough = 0;
};

} // namespace qx
