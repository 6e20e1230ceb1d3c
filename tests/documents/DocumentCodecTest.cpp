#include "documents/DocumentCodec.h"
#include "documents/DocumentCodes.h"
#include "documents/UnicodeCoding.h"
#include "platform/Cp932.h"
#include "support/Bytes.h"
#include "support/ScriptedPrompter.h"

#include <gtest/gtest.h>

#include <random>

namespace qx {
namespace {

using test::Bytes;

std::string Sjis(std::string_view Utf8) { return Utf8ToCp932(Utf8); }

// A document's text with its line ends as LF, as the editor's rows give it back.
std::string AsLines(std::string Text)
{
    std::string Out;
    for (std::size_t I = 0; I < Text.size(); ++I) {
        if (Text[I] == '\r') {
            Out += '\n';
            if (I + 1 < Text.size() && Text[I + 1] == '\n') ++I;
        } else {
            Out += Text[I];
        }
    }
    return Out;
}

TEST(DocumentCodec, AutomaticChoiceRecognisesEachCode)
{
    struct Case {
        const char* Name;
        std::string File;
        std::string Text;
        int CharType;
        int RtrnType;
    };
    const Case Cases[] = {
        {"UTF-16 LE mark", Bytes("FF FE 42 30 0D 00 0A 00"), Sjis("あ\r\n"), sfctUnicode, sfrtCRLF},
        {"UTF-16 BE mark", Bytes("FE FF 30 42 00 0A"), Sjis("あ\n"), sfctUnicodeBig, sfrtLF},
        {"UTF-8 mark", Bytes("EF BB BF 61 0D"), "a\r", sfctUTF8, sfrtCR},
        {"UTF-8", Bytes("E3 81 82 61"), Sjis("あa"), sfctUTF8, sfrtCRLF},
        {"ASCII", "abc\ndef\r\n", "abc\ndef\r\n", sfctSJIS, sfrtLF},
        {"Shift-JIS", Bytes("82 A0 0D 0A"), Sjis("あ\r\n"), sfctSJIS, sfrtCRLF},
        {"EUC", Bytes("A4 A2 BB FA"), Sjis("あ字"), sfctEUC, sfrtCRLF},
        {"JIS", Bytes("1B 24 42 24 22 1B 28 42 0A"), Sjis("あ\n"), sfctJIS, sfrtLF},
        {"old JIS", Bytes("1B 24 40 24 22 1B 28 4A"), Sjis("あ"), sfctJIS, sfrtCRLF},
        // Binary: NUL bytes become spaces, the bytes are Shift-JIS.
        {"binary", Bytes("61 00 62 00 01"), "a b \x01", sfctSJIS, sfrtCRLF},
        // Two bytes are too few for a mark: the file is two bytes of Shift-JIS text.
        {"two-byte FF FE", Bytes("FF FE"), Bytes("FF FE"), sfctSJIS, sfrtCRLF},
        // U+0000 in Unicode content becomes a space too.
        {"UTF-16 NUL", Bytes("FF FE 61 00 00 00 62 00"), "a b", sfctUnicode, sfrtCRLF},
        {"empty", "", "", sfctSJIS, sfrtCRLF},
    };
    for (const Case& C : Cases) {
        SCOPED_TRACE(C.Name);
        test::ScriptedMessagePrompter Prompter;
        const TDecodedDocument D = DecodeDocument(C.File, ocAuto, Prompter);
        EXPECT_EQ(D.Status, TLoadStatus::Loaded);
        EXPECT_EQ(D.Text, C.Text);
        EXPECT_EQ(D.CharType, C.CharType);
        EXPECT_EQ(D.RtrnType, C.RtrnType);
        EXPECT_EQ(D.Lost, 0u);
        EXPECT_TRUE(Prompter.Requests.empty());
    }
}

TEST(DocumentCodec, UndecidedBytesAskWhetherTheyAreEuc)
{
    const std::string File = Bytes("A4 A2 A4 A4");  // あい in EUC, or four half-width katakana in Shift-JIS
    struct Case {
        int Answer;
        TLoadStatus Status;
        std::string Text;
        int CharType;
    };
    const Case Cases[] = {
        {mr::Yes, TLoadStatus::Loaded, Sjis("あい"), sfctEUC},
        {mr::No, TLoadStatus::Loaded, File, sfctSJIS},
        {mr::Cancel, TLoadStatus::Cancelled, "", sfctSJIS},  // the close box
    };
    for (const Case& C : Cases) {
        test::ScriptedMessagePrompter Prompter;
        Prompter.Answers = {C.Answer};
        const TDecodedDocument D = DecodeDocument(File, ocAuto, Prompter);
        EXPECT_EQ(D.Status, C.Status);
        EXPECT_EQ(D.Text, C.Text);
        if (C.Status == TLoadStatus::Loaded) {
            EXPECT_EQ(D.CharType, C.CharType);
        }
        ASSERT_EQ(Prompter.Requests.size(), 1u);
        EXPECT_EQ(Prompter.Requests[0].Caption, "確認");
        EXPECT_EQ(Prompter.Requests[0].Kind, TMsgDlgType::mtConfirmation);
        EXPECT_EQ(Prompter.Requests[0].Buttons, (TMsgDlgButtons{TMsgDlgBtn::mbYes, TMsgDlgBtn::mbNo}));
    }
}

TEST(DocumentCodec, ForcedCodes)
{
    struct Case {
        const char* Name;
        int Code;
        std::string File;
        TLoadStatus Status;
        std::string Text;
        int CharType;
    };
    const Case Cases[] = {
        {"Shift-JIS keeps EUC bytes", ocSjis, Bytes("A4 A2 00"), TLoadStatus::Loaded, Bytes("A4 A2 20"), sfctSJIS},
        {"EUC", ocEuc, Bytes("A4 A2 00 41"), TLoadStatus::Loaded, Sjis("あ A"), sfctEUC},
        {"JIS", ocJis, Bytes("1B 24 42 24 22 1B 28 42 00"), TLoadStatus::Loaded, Sjis("あ "), sfctJIS},
        // UTF-16 skips the first two bytes only when they are that order's mark.
        {"UTF-16 LE, mark", ocUtf16LE, Bytes("FF FE 61 00"), TLoadStatus::Loaded, "a", sfctUnicode},
        {"UTF-16 LE, no mark", ocUtf16LE, Bytes("61 00 62 00"), TLoadStatus::Loaded, "ab", sfctUnicode},
        {"UTF-16 LE, other mark", ocUtf16LE, Bytes("FE FF 61 00"), TLoadStatus::Loaded, "?a", sfctUnicode},
        {"UTF-16 BE, mark", ocUtf16BE, Bytes("FE FF 00 61"), TLoadStatus::Loaded, "a", sfctUnicodeBig},
        {"UTF-16 BE, no mark", ocUtf16BE, Bytes("00 61 00 62"), TLoadStatus::Loaded, "ab", sfctUnicodeBig},
        // UTF-8 accepts pure ASCII and a file that is only the mark; it refuses what is not UTF-8.
        {"UTF-8, ASCII", ocUtf8, "abc", TLoadStatus::Loaded, "abc", sfctUTF8},
        {"UTF-8, mark only", ocUtf8, Bytes("EF BB BF"), TLoadStatus::Loaded, "", sfctUTF8},
        {"UTF-8, Shift-JIS", ocUtf8, Bytes("82 A0"), TLoadStatus::NotInCode, "", sfctSJIS},
        {"choice 0", 0, "abc", TLoadStatus::BadChoice, "", sfctSJIS},
        {"choice 8", 8, "abc", TLoadStatus::BadChoice, "", sfctSJIS},
    };
    for (const Case& C : Cases) {
        SCOPED_TRACE(C.Name);
        test::ScriptedMessagePrompter Prompter;
        const TDecodedDocument D = DecodeDocument(C.File, C.Code, Prompter);
        EXPECT_EQ(D.Status, C.Status);
        EXPECT_EQ(D.Text, C.Text);
        if (C.Status == TLoadStatus::Loaded) {
            EXPECT_EQ(D.CharType, C.CharType);
        }
    }
}

TEST(DocumentCodec, CharactersShiftJisCannotHoldAreCounted)
{
    test::ScriptedMessagePrompter Prompter;
    const TDecodedDocument D = DecodeDocument("caf\xC3\xA9 \xE2\x82\xAC", ocAuto, Prompter);  // "café €"
    EXPECT_EQ(D.Status, TLoadStatus::Loaded);
    EXPECT_EQ(D.Text, "caf? ?");
    EXPECT_EQ(D.Lost, 2u);
}

TEST(DocumentCodec, DetectLineEnd)
{
    const std::pair<std::string, int> Cases[] = {
        {"", 0}, {"abc", 0}, {"a\r\nb", 1}, {"a\rb", 2}, {"a\r", 2}, {"a\nb\r\n", 3}, {"\n", 3}, {"\r\r\n", 2},
    };
    for (const auto& [Text, Expected] : Cases) EXPECT_EQ(DetectLineEnd(Text), Expected) << Text;
}

// Every code and line end: the bytes written load back to the same text, code and line end (by the
// automatic choice and by the code's own), and writing that again gives the same bytes.
TEST(DocumentCodec, SavedFilesLoadBackByteIdentical)
{
    const std::string Text = Sjis("abc あいうｱ漢字\n二行目\tタブ ｶﾞ\n\n最後の行");
    for (int CharType = sfctJIS; CharType <= sfctUTF8; ++CharType) {
        for (int RtrnType = sfrtCR; RtrnType <= sfrtCRLF; ++RtrnType) {
            SCOPED_TRACE(testing::Message() << "code " << CharType << ", line end " << RtrnType);
            std::size_t Lost = 99;
            const std::string File = EncodeDocument(Text, CharType, RtrnType, &Lost);
            EXPECT_EQ(Lost, 0u);
            test::ScriptedMessagePrompter Prompter;
            for (int Code : {int(ocAuto), OpenCodeOfCharType(CharType)}) {
                const TDecodedDocument D = DecodeDocument(File, Code, Prompter);
                ASSERT_EQ(D.Status, TLoadStatus::Loaded);
                // JIS has no half-width katakana: they come back full-width.
                if (CharType != sfctJIS) {
                    EXPECT_EQ(AsLines(D.Text), Text);
                }
                EXPECT_EQ(D.CharType, CharType);
                EXPECT_EQ(D.RtrnType, RtrnType);
                EXPECT_EQ(EncodeDocument(AsLines(D.Text), D.CharType, D.RtrnType), File);
            }
        }
    }
}

TEST(DocumentCodec, EncodingWritesMarksAndLineEnds)
{
    EXPECT_EQ(EncodeDocument("a\nb", sfctUnicodeBig, sfrtLF), Bytes("FE FF 00 61 00 0A 00 62"));
    EXPECT_EQ(EncodeDocument("a\nb", sfctUnicode, sfrtCR), Bytes("FF FE 61 00 0D 00 62 00"));
    EXPECT_EQ(EncodeDocument(Sjis("あ\n"), sfctUTF8, sfrtCRLF), Bytes("E3 81 82 0D 0A"));
    // A double-byte run is closed before each line end.
    EXPECT_EQ(EncodeDocument(Sjis("あ\nい"), sfctJIS, sfrtCRLF),
              Bytes("1B 24 42 24 22 1B 28 42 0D 0A 1B 24 42 24 24 1B 28 42"));
    // UTF-8 loaded with its mark is written without it.
    test::ScriptedMessagePrompter Prompter;
    const TDecodedDocument D = DecodeDocument(Bytes("EF BB BF 61 62"), ocAuto, Prompter);
    EXPECT_EQ(EncodeDocument(D.Text, D.CharType, D.RtrnType), "ab");
    // A user-defined character beyond the user area has no place in JIS and is counted.
    std::size_t Lost = 0;
    EncodeDocument(Bytes("F9 40 41"), sfctJIS, sfrtCRLF, &Lost);
    EXPECT_EQ(Lost, 1u);
}


// Bytes handed out in reads of at most Max bytes, so that the decoder's pieces fall everywhere.
class SmallReads : public TByteSource {
public:
    SmallReads(std::string_view Bytes, std::size_t Max) : FBytes(Bytes), FMax(Max) {}
    std::size_t Read(char* Into, std::size_t Size) override
    {
        const std::size_t N = std::min({Size, FMax, FBytes.size() - FAt});
        std::copy_n(FBytes.data() + FAt, N, Into);
        FAt += N;
        return N;
    }
    void Seek(std::uint64_t Offset) override { FAt = static_cast<std::size_t>(Offset); }

private:
    std::string_view FBytes;
    std::size_t FMax;
    std::size_t FAt = 0;
};

struct GatheredText : TTextSink {
    void Append(std::string_view Piece) override { Text.append(Piece); }
    void Restart() override
    {
        Text.clear();
        ++Restarts;
    }
    std::string Text;
    int Restarts = 0;
};

bool IsAscii(std::string_view Bytes)
{
    return std::all_of(Bytes.begin(), Bytes.end(), [](char C) { return static_cast<unsigned char>(C) < 0x80; });
}

// Files whose code shows late or changes its mind: a long plain head, UTF-8 that breaks off, kana
// pairs that only a later byte or the question decides, JIS whose set runs across line ends, marks,
// NULs and binary bytes, broken characters at line ends, and line ends of every kind.
std::string RandomDocument(std::mt19937& Rng)
{
    static const std::string Pieces[] = {
        "plain ascii ", "\r\n", "\n", "\r", std::string(1, '\0'), "\x88\x9F",  // 亜 in Shift-JIS
        "\xA4\xA2",                                                      // あ in EUC, ､｢ in Shift-JIS
        "\xB0\xA1", "\x8E\xB1", "\xE3\x81\x82",                              // 亜 EUC, ｱ EUC, あ UTF-8
        "\xF0\x9F\x98\x80", "\xED\xA0\xBD\xED\xB8\x80",                          // a character past the BMP
        "\x1B$B\x30\x21", "\x1B(B", "\x1B(I\x31", "\x0E\x31\x0F", "\x1B",        // JIS sets, SO/SI, a lone ESC
        "\x81", "\xE0", "\x80", "\xFD", "\xFF", "\x01", "\xEF\xBB\xBF", "\x8F\xB0\xA1",
    };
    std::string File;
    const int Head = std::uniform_int_distribution<int>(0, 5)(Rng);
    if (Head == 0) File = "\xFF\xFE";
    else if (Head == 1) File = "\xEF\xBB\xBF";
    else if (Head == 2) File = std::string(std::uniform_int_distribution<int>(0, 700)(Rng), 'a') + "\n";
    // Mostly one kind of character, so that most files decide late rather than at once.
    const int Favourite = std::uniform_int_distribution<int>(0, std::size(Pieces) - 1)(Rng);
    const int Count = std::uniform_int_distribution<int>(0, 60)(Rng);
    for (int I = 0; I < Count; ++I) {
        const int Kind = std::uniform_int_distribution<int>(0, 9)(Rng);
        File += Kind < 5 ? Pieces[Favourite]
                         : Pieces[std::uniform_int_distribution<int>(0, std::size(Pieces) - 1)(Rng)];
    }
    return File;
}

// Decoding in pieces gives what decoding the whole file at once gives, by every code choice and with
// the EUC question answered either way: the same text, code, line end, lost count and questions.
TEST(DocumentCodec, DecodingInPiecesGivesWhatTheWholeFileGives)
{
    std::mt19937 Rng(20261211);
    int Restarted = 0;
    for (int Round = 0; Round < 3000; ++Round) {
        const std::string File = RandomDocument(Rng);
        const int Code = 1 + Round % 7;
        const int Answer = Round % 3 == 0 ? mr::Yes : (Round % 3 == 1 ? mr::No : mr::Cancel);
        test::ScriptedMessagePrompter Whole;
        Whole.Answers = {Answer};
        const TDecodedDocument Expected = DecodeDocument(File, Code, Whole);
        // The choice of UTF-8 follows its detector, whichever way the decoder checks it.
        const bool Utf8 = DetectUtf8(File) != 0;
        if (Code == ocUtf8) EXPECT_EQ(Expected.Status == TLoadStatus::NotInCode, !Utf8 && !IsAscii(File)) << Round;
        if (Code == ocAuto && DetectUnicodeBom(File) == 0 && Expected.Status == TLoadStatus::Loaded)
            EXPECT_EQ(Expected.CharType == sfctUTF8, Utf8) << Round;
        for (std::size_t ReadSize : {std::size_t{1}, std::size_t{3}, std::size_t{16}}) {
            SCOPED_TRACE(testing::Message() << "round " << Round << ", code " << Code << ", reads of " << ReadSize);
            test::ScriptedMessagePrompter Pieces;
            Pieces.Answers = {Answer};
            SmallReads Source(File, ReadSize % 2 ? ReadSize + Round % 5 : ReadSize);
            GatheredText Sink;
            const TDecodedDocument D = DecodeDocument(Source, Code, Pieces, Sink, ReadSize);
            ASSERT_EQ(D.Status, Expected.Status);
            EXPECT_EQ(Pieces.Requests.size(), Whole.Requests.size());
            if (D.Status != TLoadStatus::Loaded) continue;
            ASSERT_EQ(Sink.Text, Expected.Text);
            EXPECT_EQ(D.CharType, Expected.CharType);
            EXPECT_EQ(D.RtrnType, Expected.RtrnType);
            EXPECT_EQ(D.Lost, Expected.Lost);
            Restarted += Sink.Restarts;
        }
    }
    EXPECT_GT(Restarted, 20) << "the files must make the decoder change its mind";
}

// A Shift-JIS file is decided on its first piece and read once; a UTF-8 file that breaks off late is
// read again from the start in the code it turned out to be in.
TEST(DocumentCodec, DecodingInPiecesReadsAgainOnlyWhenTheCodeChanges)
{
    struct CountingReads : SmallReads {
        using SmallReads::SmallReads;
        std::size_t Read(char* Into, std::size_t Size) override
        {
            const std::size_t N = SmallReads::Read(Into, Size);
            Bytes += N;
            return N;
        }
        std::size_t Bytes = 0;
    };
    std::string Lines;
    for (int I = 0; I < 2000; ++I) Lines += Sjis("日本語の行です\r\n");
    test::ScriptedMessagePrompter Prompter;
    {
        CountingReads Source(Lines, 4096);
        GatheredText Sink;
        const TDecodedDocument D = DecodeDocument(Source, ocAuto, Prompter, Sink, 1024);
        EXPECT_EQ(D.CharType, sfctSJIS);
        EXPECT_EQ(Sink.Text, Lines);
        EXPECT_EQ(Sink.Restarts, 0);
        EXPECT_EQ(Source.Bytes, Lines.size());
    }
    {
        const std::string File = Cp932ToUtf8(Lines) + Sjis("最後だけ Shift-JIS");
        CountingReads Source(File, 4096);
        GatheredText Sink;
        const TDecodedDocument D = DecodeDocument(Source, ocAuto, Prompter, Sink, 1024);
        EXPECT_EQ(D.CharType, sfctSJIS);
        EXPECT_EQ(Sink.Restarts, 1);
        EXPECT_EQ(Sink.Text, File);
        EXPECT_LT(Source.Bytes, 2 * File.size());
    }
}

} // namespace
} // namespace qx
