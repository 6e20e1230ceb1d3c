#pragma once
// Generated Shift-JIS texts shaped like two kinds of real files that the benchmarks must hold up on:
//   prose       Japanese manual-page prose: section heads, indented paragraphs of sentences filled to
//               about 78 columns, option lines, blank lines; CR LF. Full-width digits are rare (a few
//               hundred in 100 MB), "する" and "行" common.
//   dictionary  a word list of comma-separated fields, one entry of about 80 bytes a line (surface
//               form, two ids, a cost, parts of speech, base form, reading, pronunciation); LF.
// Both come from a fixed seed, so every run writes the same bytes.

#include "platform/Cp932.h"
#include "platform/LeadByte.h"

#include <cstdint>
#include <string>
#include <vector>

namespace qx::bench {

struct TShapeRandom {
    std::uint64_t State = 0x2545F4914F6CDD1Dull;
    unsigned Next(unsigned N)
    {
        State ^= State << 13;
        State ^= State >> 7;
        State ^= State << 17;
        return static_cast<unsigned>(State % N);
    }
};

inline std::vector<std::string> ToSjis(std::initializer_list<const char*> Words)
{
    std::vector<std::string> out;
    for (const char* w : Words) out.push_back(Utf8ToCp932(w));
    return out;
}

// About Bytes bytes of manual-page prose.
inline std::string MakeProse(std::size_t Bytes)
{
    const auto phrases = ToSjis({
        "このオプションを指定すると", "ファイルを", "読み込む", "する", "場合は", "標準入力から", "出力する",
        "設定されている", "環境変数", "デフォルトでは", "を参照のこと", "ディレクトリ", "コマンド", "引き数",
        "指定した", "行", "文字列", "一致する", "表示する", "して", "します", "された", "ことができる",
        "ただし", "これは", "互換性のために", "残されている", "各行の", "先頭に", "改行", "区切り文字",
        "パターン", "実行する", "権限", "ユーザー", "グループ", "所有者", "変更", "しない", "無視される",
        "詳しくは", "以下の", "ように", "なる", "値", "最大", "最小", "の", "は", "を", "に", "が", "と",
        "で", "も", "から", "まで", "より", "として", "について", "による", "ため", "、", "、", "。", "（",
        "）", "「", "」", "実行", "行う", "処理", "終了ステータス", "エラー", "警告", "通常", "すべての",
        "ファイル名", "シンボリックリンク", "書き込み", "削除", "作成", "検索", "一覧", "形式", "時刻",
    });
    const auto ascii = ToSjis({"FILE", "--verbose", "-n", "NULL", "stdin", "POSIX", "UTF-8", "/etc/passwd",
                               "LANG", "0", "1", "2", "%s", "grep", "ls -l", "EOF"});
    const auto heads = ToSjis({"名前", "書式", "説明", "オプション", "終了ステータス", "環境", "ファイル",
                               "注意", "バグ", "関連項目", "例"});
    const auto wideDigits = ToSjis({"０", "１", "２", "３", "４", "５", "６", "７", "８", "９"});
    const std::string period = Utf8ToCp932("。");
    TShapeRandom rng;
    std::string text, line;
    text.reserve(Bytes + 256);
    const std::string indent(7, ' ');
    int columns = 0;
    const auto flush = [&] {
        if (line.empty()) return;
        text += indent + line + "\r\n";
        line.clear();
        columns = 0;
    };
    const auto put = [&](const std::string& piece) {
        // Filled to 78 columns with the indent; a double-byte character is two columns.
        int width = 0;
        for (std::size_t i = 0; i < piece.size(); ++i) {
            const bool lead = IsDBCSLeadByte(static_cast<unsigned char>(piece[i]));
            width += lead ? 2 : 1;
            i += lead ? 1 : 0;
        }
        if (columns + width > 78 - static_cast<int>(indent.size())) flush();
        line += piece;
        columns += width;
    };
    while (text.size() < Bytes) {
        text += heads[rng.Next(static_cast<unsigned>(heads.size()))] + "\r\n";
        for (unsigned paragraphs = 1 + rng.Next(6); paragraphs > 0 && text.size() < Bytes; --paragraphs) {
            if (rng.Next(4) == 0) text += indent + ascii[rng.Next(static_cast<unsigned>(ascii.size()))] + ", --" +
                                          "option" + std::to_string(rng.Next(50)) + "\r\n";
            for (unsigned sentences = 1 + rng.Next(5); sentences > 0; --sentences) {
                for (unsigned words = 4 + rng.Next(14); words > 0; --words) {
                    if (rng.Next(12) == 0) put(ascii[rng.Next(static_cast<unsigned>(ascii.size()))] + " ");
                    else put(phrases[rng.Next(static_cast<unsigned>(phrases.size()))]);
                    if (rng.Next(70000) == 0) {
                        std::string number;
                        for (unsigned d = 1 + rng.Next(3); d > 0; --d) number += wideDigits[rng.Next(10)];
                        put(number);
                    }
                }
                put(period);
            }
            flush();
            text += "\r\n";
        }
    }
    return text;
}

// About Bytes bytes of a comma-separated word list.
inline std::string MakeDictionary(std::size_t Bytes)
{
    const auto parts = ToSjis({"名詞,一般,*,*", "名詞,固有名詞,人名,姓", "名詞,固有名詞,地域,一般",
                               "名詞,サ変接続,*,*", "動詞,自立,*,*", "形容詞,自立,*,*", "副詞,一般,*,*",
                               "名詞,形容動詞語幹,*,*", "連体詞,*,*,*", "感動詞,*,*,*"});
    const auto forms = ToSjis({"*,*", "五段・ラ行,基本形", "一段,基本形", "形容詞・イ段,基本形", "サ変・スル,基本形"});
    const auto wideDigits = ToSjis({"０", "１", "２", "３", "４", "５", "６", "７", "８", "９"});
    const std::string row = Utf8ToCp932("行");
    TShapeRandom rng;
    std::string text, surface, reading;
    text.reserve(Bytes + 256);
    while (text.size() < Bytes) {
        surface.clear();
        reading.clear();
        if (rng.Next(3) == 0) {
            // A katakana word: the reading is the word itself.
            for (unsigned n = 2 + rng.Next(6); n > 0; --n) {
                surface += '\x83';
                surface += static_cast<char>(0x40 + rng.Next(0x3F));
            }
            reading = surface;
        } else {
            // Kanji of the first level, read in katakana.
            for (unsigned n = 1 + rng.Next(3); n > 0; --n) {
                surface += static_cast<char>(0x88 + rng.Next(0x10) + 1);
                surface += static_cast<char>(0x40 + rng.Next(0x3F));
            }
            for (unsigned n = 2 + rng.Next(6); n > 0; --n) {
                reading += '\x83';
                reading += static_cast<char>(0x40 + rng.Next(0x3F));
            }
        }
        if (rng.Next(3000) == 0) surface = wideDigits[rng.Next(10)] + wideDigits[rng.Next(10)] + row;
        text += surface + "," + std::to_string(1000 + rng.Next(400)) + "," + std::to_string(1000 + rng.Next(400)) +
                "," + std::to_string(static_cast<int>(rng.Next(12000)) - 2000) + "," +
                parts[rng.Next(static_cast<unsigned>(parts.size()))] + "," +
                forms[rng.Next(static_cast<unsigned>(forms.size()))] + "," + surface + "," + reading + "," + reading +
                "\n";
    }
    return text;
}

} // namespace qx::bench
