#include "editor/EditorFountain.h"

#include "editor/TokenChars.h"
#include "platform/Exception.h"
#include "platform/LeadByte.h"
#include "platform/StringList.h"

#include <cctype>

namespace qx {


// ---- TEditorColors

TEditorColors::TEditorColors(TFountain* Fountain)
{
    for (auto& color : FColors) {
        color = std::make_unique<TEditorColor>();
        color->OnChange = ChangedProcEvent();
    }
    FColors[iSelect]->SetBkColor(clNavy);
    FColors[iSelect]->SetColor(clWhite);
    if (Fountain) {
        FReserve = {&Fountain->Reserve(), &Fountain->Reserve2(), &Fountain->Reserve3()};
        return;
    }
    for (std::size_t i = 0; i < FOwnReserve.size(); ++i) {
        FOwnReserve[i] = std::make_unique<TEditorColor>();
        FOwnReserve[i]->OnChange = ChangedProcEvent();
        FReserve[i] = FOwnReserve[i].get();
    }
}

std::array<TFountainColor*, TEditorColors::iCount + 3> TEditorColors::All() const
{
    const auto c = [this](int i) -> TFountainColor* { return FColors[i].get(); };
    return {c(iAnk), c(iComment), c(iCurLine), c(iDBCS), c(iFiles), c(iHit), c(iInt), c(iMail),
            FReserve[0], FReserve[1], FReserve[2], c(iSelect), c(iStr), c(iSymbol), c(iUrl)};
}

void TEditorColors::Assign(const TPersistent& Source)
{
    const auto* source = dynamic_cast<const TEditorColors*>(&Source);
    if (!source) return TNotifyPersistent::Assign(Source);
    if (source == this) return;
    const auto from = source->All();
    const auto to = All();
    BeginUpdate();
    for (std::size_t i = 0; i < to.size(); ++i) to[i]->Assign(*from[i]);
    EndUpdate();
}

void TEditorColors::GetPublishedProperties(std::vector<TPropInfo>& props)
{
    TNotifyPersistent::GetPublishedProperties(props);
    static const char* const names[] = {"Ank",      "Comment",  "CurLine", "DBCS", "Files",
                                        "Hit",      "Int",      "Mail",    "Reserve", "Reserve2",
                                        "Reserve3", "Select",   "Str",     "Symbol",  "Url"};
    const auto colors = All();
    for (std::size_t i = 0; i < colors.size(); ++i) props.push_back({names[i], TTypeKind::tkClass, colors[i]});
}

// ---- TEditorBracketCollection

template <class Setter>
void TEditorBracketCollection::ForEachColor(Setter Set)
{
    BeginUpdate();
    for (int i = 0; i < Count(); ++i) Set(BracketItems(i)->ItemColor());
    EndUpdate();
}

void TEditorBracketCollection::SetAllBkColor(TColor Value)
{
    ForEachColor([&](TFountainColor& c) { c.SetBkColor(Value); });
}

void TEditorBracketCollection::SetAllColor(TColor Value)
{
    ForEachColor([&](TFountainColor& c) { c.SetColor(Value); });
}

void TEditorBracketCollection::SetAllStyle(TFontStyles Value)
{
    ForEachColor([&](TFountainColor& c) { c.SetStyle(Value); });
}

// ---- TEditorFountain

TEditorFountain::~TEditorFountain() = default;

void TEditorFountain::AfterConstruction()
{
    TFountain::AfterConstruction();
    FColors = CreateEditorColors();
    FColors->OnChange = NotifyEventList().ChangedProcEvent();
}

std::unique_ptr<TEditorColors> TEditorFountain::CreateEditorColors()
{
    return std::make_unique<TEditorColors>(this);
}

std::unique_ptr<TFountainBracketCollection> TEditorFountain::CreateBrackets()
{
    return std::make_unique<TEditorBracketCollection>(this);
}

TFountainParserClass TEditorFountain::GetParserClass()
{
    return [](TFountain* Fountain) -> std::unique_ptr<TFountainParser> {
        return std::make_unique<TEditorParser>(Fountain);
    };
}

void TEditorFountain::SetAll(const TFountainColor& Color, int Flags)
{
    NotifyEventList().BeginUpdate();
    TFountainColor select, hit;  // these two keep their values
    select.Assign(FColors->Select());
    hit.Assign(FColors->Hit());
    TFountain::SetColors(FColors.get(), Color, Flags);
    FColors->Select().Assign(select);
    FColors->Hit().Assign(hit);
    NotifyEventList().EndUpdate();
}

void TEditorFountain::SetAllBkColor(TColor Value)
{
    TFountainColor color;
    color.SetBkColor(Value);
    SetAll(color, 1);
}

void TEditorFountain::SetAllColor(TColor Value)
{
    TFountainColor color;
    color.SetColor(Value);
    SetAll(color, 2);
}

void TEditorFountain::SetAllStyle(TFontStyles Value)
{
    TFountainColor color;
    color.SetStyle(Value);
    SetAll(color, 4);
}

void TEditorFountain::GetPublishedProperties(std::vector<TPropInfo>& props)
{
    TFountain::GetPublishedProperties(props);
    props.push_back({"Colors", TTypeKind::tkClass, FColors.get()});
    props.push_back({"Commenter", TTypeKind::tkString});
    props.push_back({"Commenter2", TTypeKind::tkString});
    props.push_back({"ControlCode", TTypeKind::tkBool});
    props.push_back({"Files", TTypeKind::tkBool});
    props.push_back({"HexPrefix", TTypeKind::tkString});
    props.push_back({"Mail", TTypeKind::tkBool});
    props.push_back({"Quotation", TTypeKind::tkString});
    props.push_back({"Quotation2", TTypeKind::tkString});
    props.push_back({"Url", TTypeKind::tkBool});
}

// ---- TEditorParser

TEditorParser::TEditorParser(TFountain* Fountain)
    : TFountainParser(Fountain), FEditorFountain(dynamic_cast<TEditorFountain*>(Fountain))
{
    if (!FEditorFountain) throw Exception("TEditorParser.Create need instance of TEditorFountain");
    const TEditorFountain& f = *FEditorFountain;
    const auto first = [this](const std::string& S, bool BothCases) {
        if (S.empty()) return;
        const auto b = static_cast<unsigned char>(S[0]);
        FMayOpen.set(b);
        if (BothCases && b < 0x80) {
            FMayOpen.set(static_cast<unsigned char>(std::tolower(b)));
            FMayOpen.set(static_cast<unsigned char>(std::toupper(b)));
        }
    };
    auto& brackets = Fountain->Brackets();
    for (int i = 0; i < brackets.Count(); ++i) first(brackets.BracketItems(i)->LeftBracket(), false);
    if (f.Files()) FMayOpen.set('f');
    if (f.Url())
        for (const unsigned char b : {'h', 'f', 'w'}) FMayOpen.set(b);
    if (f.Mail())
        for (int b = 0; b < 0x80; ++b)
            if (b != '@' && IsMailChar(static_cast<unsigned char>(b))) FMayOpen.set(static_cast<std::size_t>(b));
    first(f.Commenter(), false);
    first(f.Commenter2(), false);
    first(f.Quotation(), false);
    first(f.Quotation2(), false);
    if (f.ControlCode()) FMayOpen.set('#');
    first(f.HexPrefix(), true);
}

void TEditorParser::StartRow(std::string_view Text, const TRowAttributeData& State)
{
    TFountainParser::StartRow(Text, State);
    FFailedMailRunEnd = 0;
}

const TFountainParser::TScanTable& TEditorParser::ContinuedTable() const
{
    static const TScanTable table = [] {
        TScanTable t = BaseContinuedTable();
        t[toQuotation] = static_cast<TScanProc>(&TEditorParser::ScanQuotationContinued);
        t[toControlCode] = static_cast<TScanProc>(&TEditorParser::ScanDecimalControlCode);
        t[toHexControlCode] = static_cast<TScanProc>(&TEditorParser::ScanHexControlCode);
        return t;
    }();
    return table;
}

bool TEditorParser::ContinuesByItself(int Kind) const
{
    return Kind == toQuotation || TFountainParser::ContinuesByItself(Kind);
}

char TEditorParser::QuoteChar(const std::string& Quotation)
{
    return Quotation.empty() || IsDBCSLeadByte(Quotation[0]) ? 0 : Quotation[0];
}

void TEditorParser::Dispatch()
{
    if (!FMayOpen.test(Byte(FP))) return DispatchByte();
    if (TryBracket()) return;
    TEditorFountain& f = EditorFountain();
    if (f.Files() && StartsWith("file:")) return ScanFileName();
    if (f.Mail() && MailAddressAt()) return ScanMailBody();
    if (f.Url() && UrlPrefixAt()) return ScanUrlBody();
    if (StartsWith(f.Commenter()) || StartsWith(f.Commenter2())) return ScanComment();
    for (const std::string* quotation : {&f.Quotation(), &f.Quotation2()}) {
        const char quote = QuoteChar(*quotation);
        if (quote != 0 && FText[FP] == quote) {
            ++FP;
            return ScanQuotationBody(quote, toQuotation);
        }
    }
    if (f.ControlCode() && FText[FP] == '#') {
        const bool hex = Byte(FP + 1) == '$';
        FP += hex ? 2 : 1;
        return hex ? ScanHexControlCode() : ScanDecimalControlCode();
    }
    const std::string& prefix = f.HexPrefix();
    if (!prefix.empty() && SameText(FText.substr(FP, prefix.size()), prefix)) {
        FP += prefix.size();
        return ScanHexBody();
    }
    DispatchByte();
}

// A mail address is a run of mail bytes, not beginning with "@", in which an "@" is later followed by
// a ".". Every later start inside a run that failed fails too, so the run is scanned once.
bool TEditorParser::MailAddressAt()
{
    if (FP < FFailedMailRunEnd || FText[FP] == '@' || !IsMailChar(Byte(FP))) return false;
    std::size_t end = FP;
    std::size_t at = std::string_view::npos;
    bool dotAfterAt = false;
    while (end < FText.size() && IsMailChar(Byte(end))) {
        if (FText[end] == '@' && at == std::string_view::npos) at = end;
        else if (FText[end] == '.' && at != std::string_view::npos) dotAfterAt = true;
        ++end;
    }
    if (!dotAfterAt) FFailedMailRunEnd = end;
    return dotAfterAt;
}

bool TEditorParser::UrlPrefixAt()
{
    for (std::string_view prefix : {"http:", "https:", "ftp:", "www."}) {
        if (StartsWith(prefix)) {
            FP += prefix.size();
            return true;
        }
    }
    return false;
}

void TEditorParser::ScanFileName()
{
    FP += 5;  // "file:"
    if (StartsWith("//")) FP += 2;
    if (Byte(FP) == '"' && !AtEnd()) {
        ++FP;
        RunToQuote('"');
        FToken = toFile;
        return;
    }
    ScanFileBody();
}

void TEditorParser::ScanQuotationContinued()
{
    const char quote = FQuote != 0 ? FQuote : QuoteChar(EditorFountain().Quotation());
    if (quote == 0) return;  // nothing to close it: the row is scanned afresh
    ScanQuotationBody(quote, toQuotation);
}

void TEditorParser::ScanDecimalControlCode()
{
    FToken = toControlCode;
    while (IsAsciiDigit(Byte(FP))) ++FP;
}

void TEditorParser::ScanHexControlCode()
{
    FToken = toHexControlCode;
    while (IsHexDigitChar(Byte(FP))) ++FP;
}

const TFountainColor* TEditorParser::TokenColor() const
{
    TEditorColors& colors = EditorFountain().Colors();
    switch (ReserveWordToken()) {
    case toReserve: return &colors.Reserve();
    case toReserve2: return &colors.Reserve2();
    case toReserve3: return &colors.Reserve3();
    case toAnk: return &colors.Ank();
    case toComment: return &colors.Comment();
    case toDBSymbol:
    case toDBInt:
    case toDBAlph:
    case toDBHira:
    case toDBKana:
    case toDBKanji:
    case toKanaSymbol:
    case toKana: return &colors.DBCS();
    case toFile: return &colors.Files();
    case toInteger:
    case toFloat:
    case toHex: return &colors.Int();
    case toMail: return &colors.Mail();
    case toQuotation:
    case toControlCode:
    case toHexControlCode: return &colors.Str();
    case toSymbol: return &colors.Symbol();
    case toUrl: return &colors.Url();
    default: return TFountainParser::TokenColor();  // brackets
    }
}

} // namespace qx
