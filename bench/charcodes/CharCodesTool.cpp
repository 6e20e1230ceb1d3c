// Command-line front end of the character-code converters for timing against nkf and iconv, and the
// generator of the Japanese test text.
//   qx_charcodes_tool generate <megabytes> <out>     deterministic Shift-JIS text: kana, kanji, ASCII
//   qx_charcodes_tool sjis-euc|sjis-jis|sjis-utf8|utf8-sjis <in> <out>
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
    constexpr std::size_t block = 1 << 20;
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

} // namespace

int main(int argc, char** argv)
{
    try {
        if (argc == 4 && std::strcmp(argv[1], "generate") == 0) {
            WriteFile(argv[3], Generate(static_cast<std::size_t>(std::stoul(argv[2])) << 20));
            return 0;
        }
        if (argc == 4) {
            const std::string mode = argv[1];
            using Text = std::string_view;
            if (mode == "sjis-euc") ConvertFile(argv[2], argv[3], [](Text t) { return qx::SjisToEuc(t); });
            else if (mode == "sjis-jis") ConvertFile(argv[2], argv[3], [](Text t) { return qx::SjisToJis(t); });
            else if (mode == "sjis-utf8") ConvertFile(argv[2], argv[3], [](Text t) { return qx::Cp932ToUtf8(t); });
            else if (mode == "utf8-sjis") ConvertFile(argv[2], argv[3], [](Text t) { return qx::Utf8ToSjis(t); });
            else throw std::runtime_error("unknown mode " + mode);
            return 0;
        }
        std::fprintf(stderr, "usage: %s generate <megabytes> <out> | sjis-euc|sjis-jis|sjis-utf8|utf8-sjis <in> <out>\n", argv[0]);
        return 2;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
}
