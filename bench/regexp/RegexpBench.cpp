// The grep side of the regular-expression benchmark.
//
//   qx_regexp_bench generate DIR MB        Shift-JIS test texts: DIR/many/*.txt (MB megabytes in files of
//                                          about 100 KB), DIR/big.txt (MB megabytes), DIR/longline.txt (one
//                                          line of 1 MB), DIR/longline16.txt (that line 16 times over) and
//                                          DIR/lines.txt (the 1 MB line's bytes in short lines); and texts
//                                          shaped like real files: DIR/prose.txt (MB megabytes of
//                                          manual-page prose, CR LF) and DIR/dict.txt (a word list of
//                                          short LF lines, 31 MB)
//   qx_regexp_bench expand [-f] PATTERN    the pre-processed pattern (UTF-8), for the other tools
//   qx_regexp_bench grep [-f] PATTERN FILE...
//                                          prints line:text for each matching line (file:line:text when
//                                          there are several files), as "rg -n" does;
//                                          exits 0 when a line matched, 1 when none did, 2 on an error
//
// Patterns are given as UTF-8 and converted to Shift-JIS once; -f switches the fuzzy dictionary on.

#include "../common/ShapedText.h"
#include "platform/Cp932.h"
#include "regexp/Grep.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

#include <cerrno>
#include <unistd.h>

using namespace qx;

namespace {

// The generator of the shaped texts, from a seed of this file's own (the data stays as it was).
using Random = bench::TShapeRandom;
constexpr std::uint64_t kSeed = 0x9E3779B97F4A7C15ull;

// Words of everyday Japanese text; the rarer ones are what the benchmark looks for.
const char* const kCommon[] = {
    "東京", "名古屋", "日本語", "検索", "置換", "フォルダ", "エディタ", "テキスト", "文字コード", "変換",
    "設定", "表示", "印刷", "保存", "こんにちは", "ありがとう", "です", "ます", "した", "ので", "から",
    "について", "ソフトウェア", "データ", "ｶﾀｶﾅ", "ﾃｷｽﾄ", "、", "。", "「", "」", "・", "ー", "Hello",
    "grep", "regex", "version 1.2", "2024年", "の", "は", "を", "に", "が", "と", "で", "ユーザー",
    "プログラム", "会議", "資料", "確認", "お願い", "します", "表", "ソース", "予定", "（注）",
};
const char* const kRare[] = {"正規表現", "大阪", "ファイル", "ﾌｧｲﾙ", "第"};

std::string MakeLine(Random& rng, const std::vector<std::string>& common, const std::vector<std::string>& rare)
{
    std::string line;
    for (unsigned n = 3 + rng.Next(10); n > 0; --n) {
        if (rng.Next(40) == 0) {
            const unsigned k = rng.Next(rare.size());
            line += rare[k];
            if (k == rare.size() - 1) {
                line += std::to_string(rng.Next(30));
                line += Utf8ToCp932("章");
            }
        } else {
            line += common[rng.Next(common.size())];
        }
    }
    return line;
}

void WriteFile(const std::filesystem::path& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

int Generate(const std::string& dir, std::size_t megabytes)
{
    std::vector<std::string> common, rare;
    for (const char* w : kCommon) common.push_back(Utf8ToCp932(w));
    for (const char* w : kRare) rare.push_back(Utf8ToCp932(w));
    Random rng{kSeed};
    const std::size_t total = megabytes << 20;
    std::filesystem::create_directories(std::filesystem::path(dir) / "many");

    std::string big;
    big.reserve(total + 1024);
    while (big.size() < total) big += MakeLine(rng, common, rare) + "\r\n";
    WriteFile(std::filesystem::path(dir) / "big.txt", big);

    std::string file;
    int index = 0;
    for (std::size_t done = 0; done < total;) {
        file.clear();
        while (file.size() < 100 * 1024) file += MakeLine(rng, common, rare) + "\r\n";
        char name[32];
        std::snprintf(name, sizeof name, "f%04d.txt", index++);
        WriteFile(std::filesystem::path(dir) / "many" / name, file);
        done += file.size();
    }

    // One line of 1 MB with many starts of a match that never ends, and the same bytes in short lines.
    std::string longLine, lines;
    while (longLine.size() < (1u << 20)) {
        std::string piece = MakeLine(rng, common, common);
        longLine += piece;
        lines += piece + "\r\n";
    }
    WriteFile(std::filesystem::path(dir) / "longline.txt", "first\r\n" + longLine + "\r\nlast\r\n");
    std::string longLine16;
    for (int i = 0; i < 16; ++i) longLine16 += longLine;
    WriteFile(std::filesystem::path(dir) / "longline16.txt", "first\r\n" + longLine16 + "\r\nlast\r\n");
    WriteFile(std::filesystem::path(dir) / "lines.txt", "first\r\n" + lines + "last\r\n");
    WriteFile(std::filesystem::path(dir) / "prose.txt", bench::MakeProse(total));
    WriteFile(std::filesystem::path(dir) / "dict.txt", bench::MakeDictionary(std::size_t{31} << 20));
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    std::vector<std::string> args(argv + 1, argv + argc);
    if (args.size() == 3 && args[0] == "generate") return Generate(args[1], std::stoul(args[2]));
    if (args.size() < 2) {
        std::fprintf(stderr, "usage: qx_regexp_bench generate DIR MB | expand [-f] PATTERN | grep [-f] PATTERN FILE...\n");
        return 2;
    }
    const std::string command = args[0];
    std::size_t next = 1;
    const bool fuzzy = args[next] == "-f";
    if (fuzzy) ++next;
    auto grep = Construct<TGrep>();
    try {
        grep->SetUseFuzzyCharDic(fuzzy);
        grep->SetRegExp(Utf8ToCp932(args.at(next++)));
    } catch (const Exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 2;
    }
    if (command == "expand") {
        const auto patterns = grep->CachedPatterns();
        std::printf("%s\n", Cp932ToUtf8(patterns[grep->CurrentIndex()]).c_str());
        return 0;
    }
    // The lines are gathered in a buffer of 64 KB (below the allocator's threshold for a mapping of its
    // own, which costs a page-table flush to give back at the exit) and written in large pieces, as the
    // other tools write theirs; a line longer than the buffer goes out by itself.
    std::vector<char> out(1 << 16);
    std::size_t used = 0;
    const auto write = [](const char* p, std::size_t n) {
        while (n > 0) {
            const ssize_t done = ::write(STDOUT_FILENO, p, n);
            if (done < 0 && errno == EINTR) continue;
            if (done <= 0) std::exit(2);
            p += done;
            n -= static_cast<std::size_t>(done);
        }
    };
    const auto flush = [&] {
        write(out.data(), used);
        used = 0;
    };
    std::string prefix; // "FILE:" before each line when there are several files, as rg writes it
    bool matched = false;
    grep->OnMatch = [&](TObject*, const RE_LineInfo_t& info) {
        matched = true;
        constexpr std::size_t numberRoom = 12; // the line number, ':' and the line end
        const std::size_t size = prefix.size() + numberRoom + info.Line.size();
        if (used + size > out.size()) flush();
        if (size > out.size()) {
            const std::string head = prefix + std::to_string(info.LineNo) + ':';
            write(head.data(), head.size());
            write(info.Line.data(), info.Line.size());
            write("\n", 1);
            return;
        }
        char* w = out.data() + used;
        w = std::copy(prefix.begin(), prefix.end(), w);
        w = std::to_chars(w, w + numberRoom, info.LineNo).ptr;
        *w++ = ':';
        w = std::copy(info.Line.begin(), info.Line.end(), w);
        *w++ = '\n';
        used = static_cast<std::size_t>(w - out.data());
    };
    // As grep tools answer: 0 when a line matched, 1 when none did, 2 when a file could not be read.
    bool failed = false;
    const bool several = args.size() - next > 1;
    for (; next < args.size(); ++next) {
        const std::string& name = args[next];
        if (several) prefix = name + ':';
        try {
            grep->Grep(name);
        } catch (const Exception& e) {
            std::fprintf(stderr, "%s\n", e.what());
            failed = true;
        }
    }
    flush();
    return failed ? 2 : matched ? 0 : 1;
}
