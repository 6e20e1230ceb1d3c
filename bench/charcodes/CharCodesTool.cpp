// Command-line front end of the character-code converters for timing against nkf and iconv, and the
// generator of the Japanese test text.
//   qx_charcodes_tool generate <megabytes> <out>     deterministic Shift-JIS text: kana, kanji, ASCII
//   qx_charcodes_tool generate-prose <megabytes> <out>   the same shaped like manual pages (CR LF)
//   qx_charcodes_tool sjis-euc|sjis-jis|sjis-utf8|utf8-sjis|euc-sjis|jis-sjis <in> <out>
// The converters go through the input in blocks of whole lines, as the editor converts a document line by
// line when it saves; the result is the same as for the whole text at once.

#include "documents/CharCodeConvert.h"
#include "documents/UnicodeCoding.h"
#include "platform/Cp932.h"

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

void WriteFile(const char* path, const std::string& data)
{
    std::FILE* f = std::fopen(path, "wb");
    if (!f || std::fwrite(data.data(), 1, data.size(), f) != data.size() || std::fclose(f) != 0)
        throw std::runtime_error(std::string("cannot write ") + path);
}

template <class TConvert>
void ConvertFile(const char* inPath, const char* outPath, TConvert convert)
{
    std::FILE* in = std::fopen(inPath, "rb");
    std::FILE* out = std::fopen(outPath, "wb");
    if (!in || !out) throw std::runtime_error("cannot open the files");
    // One buffer for the whole run, never cleared: a block is read after the part line the last one left.
    // 256 KiB, as the document reader reads: the block the kernel has just copied is still in the
    // second-level cache when the converter reads it (1 MiB blocks took a tenth longer).
    constexpr std::size_t block = 256 << 10;
    std::size_t capacity = 2 * block, kept = 0;
    auto buffer = std::make_unique_for_overwrite<char[]>(capacity);
    for (bool end = false; !end;) {
        if (capacity - kept < block) {  // a line longer than a block
            auto larger = std::make_unique_for_overwrite<char[]>(capacity *= 2);
            std::memcpy(larger.get(), buffer.get(), kept);
            buffer = std::move(larger);
        }
        const std::size_t got = std::fread(buffer.get() + kept, 1, block, in);
        const std::string_view text(buffer.get(), kept + got);
        end = got == 0;
        const std::size_t lineEnd = end ? text.size() : text.rfind('\n') + 1;  // npos + 1 = 0
        const std::string converted = convert(text.substr(0, lineEnd));
        if (std::fwrite(converted.data(), 1, converted.size(), out) != converted.size())
            throw std::runtime_error("cannot write the output");
        kept = text.size() - lineEnd;
        std::memmove(buffer.get(), buffer.get() + lineEnd, kept);
    }
    if (std::ferror(in) || std::fclose(out) != 0) throw std::runtime_error("cannot read or write");
    std::fclose(in);
}

// A small deterministic generator (xorshift) so that every run times the same bytes.
class TRandom {
public:
    unsigned Next(unsigned n)
    {
        FState ^= FState << 13;
        FState ^= FState >> 7;
        FState ^= FState << 17;
        return static_cast<unsigned>(FState % n);
    }

private:
    std::uint64_t FState = 0x9E3779B97F4A7C15ULL;
};

void PutJis(std::string& out, unsigned j1, unsigned j2)
{
    const qx::TBytePair s = qx::JisToSjisChar(static_cast<unsigned char>(j1), static_cast<unsigned char>(j2));
    out.push_back(static_cast<char>(s[0]));
    out.push_back(static_cast<char>(s[1]));
}

// Lines of Japanese prose-like text: hiragana runs, kanji of JIS level 1, katakana words, punctuation,
// ASCII words and numbers, now and then half-width katakana; CR LF line ends.
std::string Generate(std::size_t size)
{
    static const char* const words[] = {"the", "file", "QxEditor", "2024", "UTF-8", "grep", "line", "OK", "x86_64", "(c)"};
    TRandom r;
    std::string out;
    out.reserve(size + 256);
    while (out.size() < size) {
        const unsigned pieces = 4 + r.Next(12);
        for (unsigned p = 0; p < pieces; ++p) {
            const unsigned kind = r.Next(100);
            if (kind < 40) {  // hiragana
                for (unsigned n = 1 + r.Next(6); n > 0; --n) PutJis(out, 0x24, 0x21 + r.Next(83));
            } else if (kind < 70) {  // kanji, rows 16..46
                for (unsigned n = 1 + r.Next(3); n > 0; --n) PutJis(out, 0x30 + r.Next(31), 0x21 + r.Next(94));
            } else if (kind < 80) {  // katakana
                for (unsigned n = 2 + r.Next(5); n > 0; --n) PutJis(out, 0x25, 0x21 + r.Next(86));
            } else if (kind < 88) {  // punctuation 、。「」・ー
                static const unsigned marks[] = {0x2122, 0x2123, 0x2156, 0x2157, 0x2126, 0x213C};
                const unsigned m = marks[r.Next(6)];
                PutJis(out, m >> 8, m & 0xFF);
            } else if (kind < 97) {  // ASCII
                out += words[r.Next(10)];
                out += ' ';
            } else {  // half-width katakana, sometimes with a sound mark
                for (unsigned n = 1 + r.Next(4); n > 0; --n) {
                    out.push_back(static_cast<char>(0xB1 + r.Next(45)));
                    if (r.Next(4) == 0) out.push_back('\xDE');
                }
            }
        }
        out += "\r\n";
    }
    return out;
}

// Text shaped like Japanese manual pages in Shift-JIS with CR LF: section headings, option lines, and
// paragraphs of sentences (kanji words, hiragana endings, katakana loan words, ASCII names and options,
// punctuation) wrapped at 78 columns under an indent of 7 or 14 spaces, with blank lines between.
std::string GenerateProse(std::size_t size)
{
    const auto sjis = [](std::initializer_list<const char*> words) {
        std::vector<std::string> out;
        for (const char* w : words) out.push_back(qx::Utf8ToCp932(w));
        return out;
    };
    const std::vector<std::string> kanji = sjis({
        "表示", "指定", "場合", "出力", "入力", "設定", "環境", "変数", "引数", "実行", "処理", "内容", "形式", "文字",
        "行", "名前", "使用", "利用", "一覧", "項目", "結果", "標準", "通常", "既定値", "数", "時刻", "日付", "権限",
        "所有者", "端末", "画面", "接続", "終了", "状態", "番号", "最初", "最後", "以下", "以上", "詳細", "情報", "検索",
        "比較", "削除", "作成", "変更", "保存", "読", "書", "動作", "機能", "対象", "方法", "必要", "可能", "無視",
        "警告", "一致", "範囲", "順序", "並", "替", "各", "全", "他", "値", "型", "長", "上書", "互換性"});
    const std::vector<std::string> kana = sjis({
        "の", "を", "に", "は", "が", "で", "と", "も", "する", "される", "します", "できる", "ない", "ある", "いる",
        "された", "として", "について", "による", "ように", "ため", "こと", "もの", "場合は", "ならば", "すると",
        "しない", "られる", "み", "き", "べ", "え", "れば", "また", "なお", "つまり"});
    const std::vector<std::string> katakana = sjis({
        "ファイル", "ディレクトリ", "オプション", "コマンド", "ユーザー", "プロセス", "シェル", "パス", "リンク",
        "モード", "データ", "メッセージ", "エラー", "シグナル", "バイト", "ブロック", "システム", "プログラム",
        "パターン", "フィールド", "キー", "バッファ", "ロケール"});
    const std::vector<std::string> ascii = {"ls", "-l", "--all", "-a", "--help", "FILE", "/etc/passwd", "POSIX", "LANG",
                                            "PATH", "GNU", "0", "1", "-n", "--version", "stdin", "UTF-8", "NULL", "grep",
                                            "find", "$HOME", "SIGTERM", "ls(1)", "*", "~/.profile", "tar"};
    const std::vector<std::string> marks = sjis({"、", "「", "」", "（", "）", "・"});
    const std::vector<std::string> headings = sjis({"名前", "書式", "説明", "オプション", "環境変数", "終了ステータス",
                                                    "関連項目", "著者", "バグの報告", "例", "ファイル", "注意"});
    const std::string period = qx::Utf8ToCp932("。");
    TRandom r;
    std::string out;
    out.reserve(size + 256);
    std::string line;
    std::size_t columns = 0;
    const auto endLine = [&] {
        out += line;
        out += "\r\n";
        line.clear();
        columns = 0;
    };
    // Adds a word to the paragraph's line, starting a new line under Indent when it would pass 78 columns.
    const auto word = [&](const std::string& w, std::size_t indent, bool single) {
        const std::size_t width = single ? w.size() + 1 : w.size();  // double-byte: 2 columns a character
        if (columns + width > 78 && columns > indent) endLine();
        if (columns == 0) {
            line.assign(indent, ' ');
            columns = indent;
        }
        line += w;
        if (single) line += ' ';
        columns += width;
    };
    while (out.size() < size) {
        const unsigned kind = r.Next(10);
        if (kind == 0) {  // a section heading and a blank line
            out += headings[r.Next(static_cast<unsigned>(headings.size()))] + "\r\n";
        } else {
            std::size_t indent = 7;
            if (kind < 4) {  // an option line; its description under a deeper indent
                out += "       -" + std::string(1, static_cast<char>('a' + r.Next(26))) + ", --" +
                       ascii[r.Next(static_cast<unsigned>(ascii.size()))] + "\r\n";
                indent = 14;
            }
            for (unsigned sentences = 1 + r.Next(4); sentences > 0; --sentences) {
                for (unsigned words = 4 + r.Next(10); words > 0; --words) {
                    const unsigned w = r.Next(100);
                    if (w < 35) word(kanji[r.Next(static_cast<unsigned>(kanji.size()))], indent, false);
                    else if (w < 70) word(kana[r.Next(static_cast<unsigned>(kana.size()))], indent, false);
                    else if (w < 82) word(katakana[r.Next(static_cast<unsigned>(katakana.size()))], indent, false);
                    else if (w < 92) word(ascii[r.Next(static_cast<unsigned>(ascii.size()))], indent, true);
                    else word(marks[r.Next(static_cast<unsigned>(marks.size()))], indent, false);
                }
                word(period, indent, false);
            }
            endLine();
        }
        out += "\r\n";
    }
    return out;
}

} // namespace

int main(int argc, char** argv)
{
    try {
        if (argc == 4 && std::strcmp(argv[1], "generate") == 0) {
            WriteFile(argv[3], Generate(static_cast<std::size_t>(std::stoul(argv[2])) << 20));
            return 0;
        }
        if (argc == 4 && std::strcmp(argv[1], "generate-prose") == 0) {
            WriteFile(argv[3], GenerateProse(static_cast<std::size_t>(std::stoul(argv[2])) << 20));
            return 0;
        }
        if (argc == 4) {
            const std::string mode = argv[1];
            using Text = std::string_view;
            if (mode == "sjis-euc") ConvertFile(argv[2], argv[3], [](Text t) { return qx::SjisToEuc(t); });
            else if (mode == "sjis-jis") ConvertFile(argv[2], argv[3], [](Text t) { return qx::SjisToJis(t); });
            else if (mode == "sjis-utf8") ConvertFile(argv[2], argv[3], [](Text t) { return qx::Cp932ToUtf8(t); });
            else if (mode == "utf8-sjis") ConvertFile(argv[2], argv[3], [](Text t) { return qx::Utf8ToSjis(t); });
            else if (mode == "euc-sjis") ConvertFile(argv[2], argv[3], [](Text t) { return qx::EucToSjis(t); });
            else if (mode == "jis-sjis") {
                // The set an escape chose runs on over the end of a block, as the document reader's does.
                qx::TJisReadState state;
                ConvertFile(argv[2], argv[3], [&state](Text t) { return qx::JisPieceToSjis(t, nullptr, state); });
            }
            else throw std::runtime_error("unknown mode " + mode);
            return 0;
        }
        std::fprintf(stderr, "usage: %s generate|generate-prose <megabytes> <out> | sjis-euc|sjis-jis|sjis-utf8|utf8-sjis|euc-sjis|jis-sjis <in> <out>\n", argv[0]);
        return 2;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
}
