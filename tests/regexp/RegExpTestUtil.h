#pragma once
// Helpers of the regular-expression tests: Shift-JIS text from UTF-8, and grep over a text in a file.

#include "platform/Cp932.h"
#include "regexp/Grep.h"
#include "support/TempDir.h"

#include <string>
#include <vector>

namespace qx::test {

inline std::string Sj(const std::string& utf8) { return Utf8ToCp932(utf8); }

// The lines (number and text) that grep reports for Pattern in a file holding Text.
struct GrepResult {
    std::vector<int> LineNos;
    std::vector<std::string> Lines;
};

inline GrepResult GrepText(TGrep& Grep, const std::string& Text, const std::string& Pattern)
{
    TempDir dir;
    const std::string file = dir.File("text.txt");
    WriteBytes(file, Text);
    GrepResult result;
    Grep.OnMatch = [&](TObject*, const RE_LineInfo_t& info) {
        result.LineNos.push_back(info.LineNo);
        result.Lines.emplace_back(info.Line);
    };
    Grep.SetRegExp(Pattern);
    Grep.Grep(file);
    return result;
}

} // namespace qx::test
