#include "regexp/RegularExpression.h"

namespace qx {

TRegularExpression::TRegularExpression(TComponent* AOwner) : TComponent(AOwner) {}

void TRegularExpression::AfterConstruction()
{
    TComponent::AfterConstruction();
    FCache.clear();
    FCache.push_back({std::string(), nullptr});
    FCurrent = 0;
    Compile(std::string());
}

void TRegularExpression::GetPublishedProperties(std::vector<TPropInfo>& props)
{
    TComponent::GetPublishedProperties(props);
    props.push_back({"RegExp", TTypeKind::tkString});
}

std::vector<std::string> TRegularExpression::CachedPatterns() const
{
    std::vector<std::string> patterns;
    for (const Entry& e : FCache) patterns.push_back(e.Pattern);
    return patterns;
}

void TRegularExpression::SetRegExp(const std::string& Pattern)
{
    try {
        FPreProcessor.SetPattern(Pattern);
        FPreProcessor.Run();
        const std::string& p = FPreProcessor.TargetRegExpStr();
        int found = -1;
        for (std::size_t i = 0; i < FCache.size(); ++i)
            if (FCache[i].Pattern == p) {
                found = static_cast<int>(i);
                break;
            }
        if (found >= 0) {
            FCurrent = found;
        } else {
            if (FCache.size() >= CacheCapacity) FCache.pop_back();
            FCache.insert(FCache.begin() + 1, Entry{p, nullptr});
            FCurrent = 1;
            Compile(p);
        }
        FRegExp = Pattern;
    } catch (...) {
        FCurrent = 0;
        FRegExp.clear();
        throw;
    }
}

void TRegularExpression::Compile(const std::string& Pattern)
{
    try {
        TREParser parser(Pattern);
        parser.Run();
        TRE_NFA nfa(parser, GetLineTailCode(), GetLineHeadCode());
        nfa.Run();
        FLineHeadCode = nfa.LineHeadCode;
        FLineTailCode = nfa.LineTailCode;
        FCache[FCurrent].DFA = std::make_unique<TRE_DFA>(nfa);
        FCache[FCurrent].DFA->Run();
    } catch (...) {
        FCache.erase(FCache.begin() + FCurrent);
        FCurrent = 0;
        throw;
    }
}

} // namespace qx
