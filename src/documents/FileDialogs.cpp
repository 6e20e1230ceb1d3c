#include "documents/FileDialogs.h"

#include <string_view>

namespace qx {

const std::vector<std::string>& CharCodeListStrings()
{
    static const std::vector<std::string> Strings = {"文字ｺｰﾄﾞ自動選択", "日本語(SHIFT-JIS)", "日本語(EUC)", "日本語(JIS)",
                                                     "Unicode", "Unicode(Big-Endian)", "Unicode(UTF-8)"};
    return Strings;
}

const std::vector<std::string>& LineEndListStrings()
{
    static const std::vector<std::string> Strings = {"改行=自動", "改行=CR+LF", "改行=LF", "改行=CR"};
    return Strings;
}

namespace {

// The pieces of Text between separators (an empty text is one empty piece).
std::vector<std::string> Split(const std::string& Text, char Separator)
{
    std::vector<std::string> Pieces;
    for (std::size_t Start = 0;;) {
        const std::size_t End = Text.find(Separator, Start);
        Pieces.push_back(Text.substr(Start, End == std::string::npos ? std::string::npos : End - Start));
        if (End == std::string::npos) return Pieces;
        Start = End + 1;
    }
}

} // namespace

std::vector<TFileFilter> ParseFileFilter(const std::string& Filter)
{
    const std::vector<std::string> Pieces = Split(Filter, '|');
    std::vector<TFileFilter> Filters;
    for (std::size_t I = 0; I + 1 < Pieces.size(); I += 2) {
        TFileFilter F{Pieces[I], {}};
        for (std::string& Pattern : Split(Pieces[I + 1], ';'))
            if (!Pattern.empty()) F.Patterns.push_back(std::move(Pattern));
        Filters.push_back(std::move(F));
    }
    if (Filters.empty()) Filters.push_back({"*.*", {"*.*"}});
    return Filters;
}

std::vector<std::string> QtNameFilters(const std::string& Filter)
{
    std::vector<std::string> Filters;
    for (const TFileFilter& F : ParseFileFilter(Filter)) {
        std::string_view Name = F.Name;
        if (!Name.empty() && Name.back() == ')') {
            const std::size_t Open = Name.rfind('(');
            if (Open != std::string_view::npos) Name = Name.substr(0, Open);
        }
        while (!Name.empty() && Name.back() == ' ') Name.remove_suffix(1);
        std::string Patterns;
        for (const std::string& P : F.Patterns) {
            if (!Patterns.empty()) Patterns += ' ';
            Patterns += P == "*.*" ? "*" : P;
        }
        std::string Shown(Name.empty() ? Patterns : std::string(Name));
        Filters.push_back(Shown + " (" + Patterns + ")");
    }
    return Filters;
}

int QtFilterPlace(int FilterIndex, int Count) { return FilterIndex >= 1 && FilterIndex <= Count ? FilterIndex - 1 : 0; }

} // namespace qx
