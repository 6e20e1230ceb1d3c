#include "regexp/REPreProcessor.h"

namespace qx {

TREDicRow ParseDicRow(std::string_view Text)
{
    TREDicRow row;
    std::size_t i = 0;
    while (i < Text.size()) {
        std::string item;
        if (Text[i] == '"') {
            ++i;
            while (i < Text.size()) {
                if (Text[i] == '"') {
                    if (i + 1 < Text.size() && Text[i + 1] == '"') {
                        item.push_back('"');
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                item.push_back(Text[i++]);
            }
            while (i < Text.size() && Text[i] != ',') ++i;
        } else {
            const std::size_t comma = Text.find(',', i);
            const std::size_t end = comma == std::string_view::npos ? Text.size() : comma;
            item.assign(Text.substr(i, end - i));
            i = end;
        }
        row.push_back(std::move(item));
        if (i < Text.size()) ++i; // the comma; a comma at the very end adds nothing
    }
    return row;
}

void TREPreProcessor::Run()
{
    FTargetRegExpStr = FPattern;
    if (UseSynonymDic) FTargetRegExpStr = Expand(FTargetRegExpStr, SynonymDic);
    if (UseFuzzyCharDic) FTargetRegExpStr = Expand(FTargetRegExpStr, FuzzyCharDicList);
}

std::string TREPreProcessor::Expand(const std::string& Pattern, const TREDictionaryList& Dics)
{
    FScanner.SetPattern(Pattern);
    FTokens.clear();
    for (;;) {
        const std::size_t start = FScanner.Position();
        const REToken_t token = FScanner.GetToken();
        FTokens.push_back({token, FScanner.Char(), start, FScanner.Position()});
        if (token == retk_End) break;
    }

    std::string result;
    bool inClass = false;
    std::size_t k = 0;
    while (k < FTokens.size()) {
        const TokenInfo& t = FTokens[k];
        if (t.Token == retk_LBra || t.Token == retk_LBraNegative) inClass = true;
        else if (t.Token == retk_RBra) inClass = false;
        if (t.Token == retk_Char && !inClass) {
            if (const std::size_t n = Lookup(k, Dics)) {
                result += FReplace;
                k += n;
                continue;
            }
        }
        result.append(Pattern, t.Start, t.End - t.Start);
        ++k;
    }
    return result;
}

std::size_t TREPreProcessor::Lookup(std::size_t K, const TREDictionaryList& Dics)
{
    for (const TREDictionary* dic : Dics) {
        for (const TREDicRow& row : *dic) {
            for (const std::string& item : row) {
                if (item.empty()) continue;
                std::size_t pos = 0, n = 0;
                bool match = true;
                while (pos < item.size()) {
                    const WChar_t c = GetWChar(item, pos);
                    const std::size_t k = K + n;
                    if (k >= FTokens.size() || FTokens[k].Token != retk_Char || FTokens[k].Char != c) {
                        match = false;
                        break;
                    }
                    ++n;
                }
                if (!match) continue;
                FReplace.assign(1, '(');
                for (std::size_t i = 0; i < row.size(); ++i) {
                    if (i > 0) FReplace += '|';
                    FReplace += QuoteMetaChars(row[i]);
                }
                FReplace += ')';
                return n;
            }
        }
    }
    return 0;
}

} // namespace qx
