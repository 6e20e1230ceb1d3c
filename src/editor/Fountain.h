#pragma once
// A fountain is a syntax-colouring definition shared by many editors: reserved-word lists, bracket
// pairs and colours. Every editor that uses a fountain registers its change handler in the fountain's
// notify list, so one change repaints them all. The fountain makes the lexer (FountainParser.h) that
// cuts rows into tokens.

#include "editor/NotifyObjects.h"
#include "platform/Color.h"
#include "platform/FontStyle.h"

#include <cstdint>
#include <memory>
#include <string>

namespace qx {

// A colour of a token class; clNone means that the editor's own colour applies.
class TFountainColor : public TNotifyPersistent {
public:
    TColor BkColor() const { return FBkColor; }
    void SetBkColor(TColor Value);
    TColor Color() const { return FColor; }
    void SetColor(TColor Value);
    TFontStyles Style() const { return FStyle; }
    void SetStyle(TFontStyles Value);

    // Copies all three values from another fountain colour and announces them once.
    void Assign(const TPersistent& Source) override;
    void GetPublishedProperties(std::vector<TPropInfo>& props) override;

private:
    TColor FBkColor = clNone;
    TColor FColor = clNone;
    TFontStyles FStyle;
};

// A collection item that carries a colour. Its colour's changes reach the collection when the
// collection announces changes.
class TFountainColorItem : public TCollectionItem {
public:
    explicit TFountainColorItem(TCollection* Collection);
    TFountainColor& ItemColor() { return FItemColor; }
    const TFountainColor& ItemColor() const { return FItemColor; }
    void SetItemColor(const TFountainColor& Value) { FItemColor.Assign(Value); }
    void Assign(const TPersistent& Source) override;
    void GetPublishedProperties(std::vector<TPropInfo>& props) override;

private:
    TFountainColor FItemColor;
};

// A bracket pair: text from LeftBracket through RightBracket is one token class, across rows.
class TFountainBracketItem : public TFountainColorItem {
public:
    using TFountainColorItem::TFountainColorItem;
    const std::string& LeftBracket() const { return FLeftBracket; }
    void SetLeftBracket(const std::string& Value);
    const std::string& RightBracket() const { return FRightBracket; }
    void SetRightBracket(const std::string& Value);
    void Assign(const TPersistent& Source) override;
    void GetPublishedProperties(std::vector<TPropInfo>& props) override;

private:
    std::string FLeftBracket;
    std::string FRightBracket;
};

// At most MaxBrackets pairs: a row stores the open pair's index in 4 bits, with two values reserved.
class TFountainBracketCollection : public TNotifyCollection {
public:
    static constexpr int MaxBrackets = 14;
    using TNotifyCollection::TNotifyCollection;

    TFountainBracketItem* BracketItems(int Index) const { return ItemAs<TFountainBracketItem>(Index); }
    TFountainBracketItem* AddBracket() { return static_cast<TFountainBracketItem*>(Add()); }
    // Replaces the pairs by copies of the source's pairs, announced once.
    void Assign(const TPersistent& Source) override;

protected:
    // Raises Exception when the collection already holds MaxBrackets pairs.
    std::unique_ptr<TCollectionItem> NewItem() override;
};

class TFountainParser;
using TFountainParserClass = std::unique_ptr<TFountainParser> (*)(class TFountain* Fountain);

// Create with Construct<T>(owner): the parts are made by virtual factories after construction.
class TFountain : public TFileExtComponent {
public:
    using TFileExtComponent::TFileExtComponent;
    ~TFountain() override;
    void AfterConstruction() override;

    // Every editor that uses the fountain registers here; a change of the fountain calls them all.
    TNotifyEventList& NotifyEventList() { return *FNotifyEventList; }

    TFountainBracketCollection& Brackets() { return *FBrackets; }
    void SetBrackets(const TFountainBracketCollection& Value) { FBrackets->Assign(Value); }
    TFountainColor& Reserve() { return *FReserve; }
    TFountainColor& Reserve2() { return *FReserve2; }
    TFountainColor& Reserve3() { return *FReserve3; }
    void SetReserve(const TFountainColor& Value) { FReserve->Assign(Value); }
    void SetReserve2(const TFountainColor& Value) { FReserve2->Assign(Value); }
    void SetReserve3(const TFountainColor& Value) { FReserve3->Assign(Value); }
    // Sorted, duplicate-free lists compared without regard to case.
    const TStringList& ReserveWordList() const { return *FReserveWordList; }
    const TStringList& ReserveWordList2() const { return *FReserveWordList2; }
    const TStringList& ReserveWordList3() const { return *FReserveWordList3; }
    // Copy the lines, then notify every listener.
    void SetReserveWordList(const TStringList& Value);
    void SetReserveWordList2(const TStringList& Value);
    void SetReserveWordList3(const TStringList& Value);

    // A new parser of GetParserClass bound to this fountain.
    std::unique_ptr<TFountainParser> CreateParser();
    // Whether any fountain colour published by Instance (at any depth) has italic in its style.
    virtual bool HasItalic(TObject* Instance);
    // Sets BkColor (Flags & 1), Color (2) and Style (4) of every fountain colour published by Target
    // (at any depth) from Color.
    static void SetColors(TObject* Target, const TFountainColor& Color, int Flags);

    void GetPublishedProperties(std::vector<TPropInfo>& props) override;

protected:
    virtual std::unique_ptr<TFountainColor> CreateFountainColor();
    virtual void CreateFountainColors();
    virtual std::unique_ptr<TFountainBracketCollection> CreateBrackets();
    virtual TFountainParserClass GetParserClass();
    // Hooks where a descendant puts its default pairs and words.
    virtual void InitBrackets() {}
    virtual void InitReserveWordList() {}
    virtual void InitReserveWordList2() {}
    virtual void InitReserveWordList3() {}
    // Lists a descendant may fill in its hooks.
    TStringList& ReserveWords(int List);

    // Calls every listener of the notify list.
    void NotifyListeners() { FNotifyEventList->Changed(); }

private:
    std::unique_ptr<TNotifyEventList> FNotifyEventList;
    std::unique_ptr<TFountainBracketCollection> FBrackets;
    std::unique_ptr<TStringList> FReserveWordList, FReserveWordList2, FReserveWordList3;
    std::unique_ptr<TFountainColor> FReserve, FReserve2, FReserve3;
};

} // namespace qx
