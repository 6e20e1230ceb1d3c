#pragma once
// The editor's own syntax definition: the fountain every editor uses when no other is assigned. It adds
// the editor's colour set, comment marks, quotation characters, a hexadecimal prefix and switches for
// control codes, URLs, mail addresses and file names; its parser recognises those before falling back
// to the byte table.

#include "editor/Fountain.h"
#include "editor/FountainParser.h"

#include <array>
#include <bitset>
#include <memory>
#include <string>

namespace qx {

class TEditorColor : public TFountainColor {};

// The colours of the editor's token classes and of the current row, search hit and selection.
class TEditorColors : public TNotifyPersistent {
public:
    // With a fountain, Reserve, Reserve2 and Reserve3 are that fountain's own colours; without one
    // (a stand-alone copy) the object holds its own.
    explicit TEditorColors(TFountain* Fountain = nullptr);

    TFountainColor& Ank() { return *FColors[iAnk]; }
    TFountainColor& Comment() { return *FColors[iComment]; }
    TFountainColor& CurLine() { return *FColors[iCurLine]; }
    TFountainColor& DBCS() { return *FColors[iDBCS]; }
    TFountainColor& Files() { return *FColors[iFiles]; }
    TFountainColor& Hit() { return *FColors[iHit]; }
    TFountainColor& Int() { return *FColors[iInt]; }
    TFountainColor& Mail() { return *FColors[iMail]; }
    TFountainColor& Reserve() { return *FReserve[0]; }
    TFountainColor& Reserve2() { return *FReserve[1]; }
    TFountainColor& Reserve3() { return *FReserve[2]; }
    TFountainColor& Select() { return *FColors[iSelect]; }
    TFountainColor& Str() { return *FColors[iStr]; }
    TFountainColor& Symbol() { return *FColors[iSymbol]; }
    TFountainColor& Url() { return *FColors[iUrl]; }

    // Copies every colour from another colour set, announced once.
    void Assign(const TPersistent& Source) override;
    void GetPublishedProperties(std::vector<TPropInfo>& props) override;

private:
    enum { iAnk, iComment, iCurLine, iDBCS, iFiles, iHit, iInt, iMail, iSelect, iStr, iSymbol, iUrl, iCount };
    // Every colour in published (alphabetical) order, the reserve colours included.
    std::array<TFountainColor*, iCount + 3> All() const;

    std::array<std::unique_ptr<TEditorColor>, iCount> FColors;
    std::array<std::unique_ptr<TEditorColor>, 3> FOwnReserve;
    std::array<TFountainColor*, 3> FReserve{};
};

class TEditorBracketCollection : public TFountainBracketCollection {
public:
    using TFountainBracketCollection::TFountainBracketCollection;
    // Set one value of every pair's colour, announced once.
    virtual void SetAllBkColor(TColor Value);
    virtual void SetAllColor(TColor Value);
    virtual void SetAllStyle(TFontStyles Value);

private:
    template <class Setter>
    void ForEachColor(Setter Set);
};

class TEditorFountain : public TFountain {
public:
    using TFountain::TFountain;
    ~TEditorFountain() override;
    void AfterConstruction() override;

    TEditorColors& Colors() { return *FColors; }
    using TFountain::SetColors;
    void SetColors(const TEditorColors& Value) { FColors->Assign(Value); }
    TEditorBracketCollection& EditorBrackets() { return static_cast<TEditorBracketCollection&>(Brackets()); }

    // Each setter stores a changed value and notifies every listener.
    const std::string& Commenter() const { return FCommenter; }
    void SetCommenter(const std::string& Value) { Store(FCommenter, Value); }
    const std::string& Commenter2() const { return FCommenter2; }
    void SetCommenter2(const std::string& Value) { Store(FCommenter2, Value); }
    bool ControlCode() const { return FControlCode; }
    void SetControlCode(bool Value) { Store(FControlCode, Value); }
    bool Files() const { return FFiles; }
    void SetFiles(bool Value) { Store(FFiles, Value); }
    const std::string& HexPrefix() const { return FHexPrefix; }
    void SetHexPrefix(const std::string& Value) { Store(FHexPrefix, Value); }
    bool Mail() const { return FMail; }
    void SetMail(bool Value) { Store(FMail, Value); }
    const std::string& Quotation() const { return FQuotation; }
    void SetQuotation(const std::string& Value) { Store(FQuotation, Value); }
    const std::string& Quotation2() const { return FQuotation2; }
    void SetQuotation2(const std::string& Value) { Store(FQuotation2, Value); }
    bool Url() const { return FUrl; }
    void SetUrl(bool Value) { Store(FUrl, Value); }

    // Set the background colour, the text colour or the style of every colour of Colors except Select
    // and Hit, with one notification.
    virtual void SetAllBkColor(TColor Value);
    virtual void SetAllColor(TColor Value);
    virtual void SetAllStyle(TFontStyles Value);

    void GetPublishedProperties(std::vector<TPropInfo>& props) override;

protected:
    virtual std::unique_ptr<TEditorColors> CreateEditorColors();
    std::unique_ptr<TFountainBracketCollection> CreateBrackets() override;
    TFountainParserClass GetParserClass() override;

private:
    template <class T>
    void Store(T& Field, const T& Value)
    {
        if (Field == Value) return;
        Field = Value;
        NotifyListeners();
    }
    void SetAll(const TFountainColor& Color, int Flags);

    std::unique_ptr<TEditorColors> FColors;
    std::string FCommenter, FCommenter2, FHexPrefix, FQuotation, FQuotation2;
    bool FControlCode = false, FFiles = false, FMail = false, FUrl = false;
};

class TEditorParser : public TFountainParser {
public:
    explicit TEditorParser(TFountain* Fountain);
    void StartRow(std::string_view Text, const TRowAttributeData& State) override;
    const TFountainColor* TokenColor() const override;

protected:
    const TScanTable& ContinuedTable() const override;
    void Dispatch() override;
    bool ContinuesByItself(int Kind) const override;

private:
    TEditorFountain& EditorFountain() const { return *FEditorFountain; }
    // The first byte of a quotation setting, or 0 when there is none; a lead byte (the first half of a
    // full-width character) is no quotation character.
    static char QuoteChar(const std::string& Quotation);
    bool MailAddressAt();
    bool UrlPrefixAt();
    void ScanFileName();
    void ScanQuotationContinued();
    void ScanDecimalControlCode();
    void ScanHexControlCode();

    TEditorFountain* FEditorFountain;
    std::size_t FFailedMailRunEnd = 0;  // a run of mail bytes before this offset holds no address
    // The bytes that may open a bracket, link, comment, quotation, control code or hex number: any
    // other token start goes straight to the byte's own scanner, past the comparisons of Dispatch.
    std::bitset<256> FMayOpen;
};

} // namespace qx
