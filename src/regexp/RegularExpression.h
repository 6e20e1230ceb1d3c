#pragma once
// TRegularExpression pre-processes and compiles a pattern and keeps the automata of the last 30
// patterns, so that searching again with a recent pattern does not compile it again.

#include "platform/Component.h"
#include "regexp/REDfa.h"
#include "regexp/REPreProcessor.h"

#include <memory>
#include <string>
#include <vector>

namespace qx {

class TRegularExpression : public TComponent {
public:
    static constexpr int CacheCapacity = 30;

    explicit TRegularExpression(TComponent* AOwner = nullptr);
    // Compiles the empty pattern into cache entry 0 (through the virtual line codes).
    void AfterConstruction() override;
    void GetPublishedProperties(std::vector<TPropInfo>& props) override;

    const std::string& RegExp() const { return FRegExp; }
    // Pre-processes and compiles Pattern (or takes it from the cache). On an error RegExp becomes
    // empty, the current automaton that of the empty pattern, and ERegExpParser passes on.
    virtual void SetRegExp(const std::string& Pattern);

    TRE_DFA& DFA() const { return *FCache[FCurrent].DFA; }
    bool IsLiteral() const { return DFA().IsLiteral(); }
    const std::string& LiteralString() const { return DFA().LiteralString(); }
    WChar_t LineHeadCode() const { return FLineHeadCode; }
    WChar_t LineTailCode() const { return FLineTailCode; }

    // The pre-processed patterns of the cache, newest first after the empty pattern at 0.
    std::vector<std::string> CachedPatterns() const;
    int CurrentIndex() const { return FCurrent; }

protected:
    // Builds the automaton of the current cache entry from the pre-processed pattern.
    virtual void Compile(const std::string& Pattern);
    virtual WChar_t GetLineHeadCode() const { return 0xFFFD; }
    virtual WChar_t GetLineTailCode() const { return 0xFFFE; }

    TREPreProcessor FPreProcessor;

private:
    struct Entry {
        std::string Pattern;
        std::unique_ptr<TRE_DFA> DFA;
    };
    std::vector<Entry> FCache;
    int FCurrent = 0;
    std::string FRegExp;
    WChar_t FLineHeadCode = 0, FLineTailCode = 0;
};

} // namespace qx
