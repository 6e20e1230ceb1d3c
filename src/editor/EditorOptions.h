#pragma once
// The editor's option objects: caret, margins, visible marks, ruler, line-number bar, image bar,
// scrolling speed and the syntax-colouring view. Each setter stores a changed value only (clamped
// where the range is limited) and announces it through OnChange; Assign copies a whole object with one
// announcement. Cursor numbers and colours are stored as numbers; the host maps them to the screen.

#include "editor/EditorFountain.h"
#include "editor/NotifyObjects.h"
#include "platform/Color.h"

#include <cstdint>
#include <memory>
#include <string>

namespace qx {

// Screen cursor numbers: the class library's, and the editor's own two.
using TCursor = std::int16_t;
constexpr TCursor crDefault = 0;
constexpr TCursor crIBeam = -4;
constexpr TCursor crDrag = -12;
constexpr TCursor crHandPoint = -21;
constexpr TCursor crRightArrow = 1958;
constexpr TCursor crDragSelCopy = 1959;

enum TDragMode { dmManual, dmAutomatic };
enum TEditorCaretStyle { csDefault, csBrief, csDos };
enum TEditorShowNumberMode { nmRow, nmLine };  // number rows or logical lines
using TEditorSpeedRange = std::uint8_t;        // 1..4

// The base of the notifying option objects: a setter helper that stores and announces real changes.
class TEditorOption : public TNotifyPersistent {
protected:
    template <class T>
    void Store(T& Field, const T& Value)
    {
        if (Field == Value) return;
        Field = Value;
        Changed();
    }
};

// The cursors the editor shows over its parts (plain values, no notification of their own).
class TEditorCursors : public TPersistent {
public:
    TCursor DefaultCursor = crIBeam;
    TCursor DragSelCursor = crDrag;
    TCursor DragSelCopyCursor = crDragSelCopy;
    TCursor InSelCursor = crDefault;
    TCursor LeftMarginCursor = crRightArrow;
    TCursor TopMarginCursor = crDefault;

    void Assign(const TPersistent& Source) override;
    void GetPublishedProperties(std::vector<TPropInfo>& props) override;
    bool operator==(const TEditorCursors& other) const;
};

class TEditorCaret : public TEditorOption {
public:
    bool AutoCursor() const { return FAutoCursor; }
    void SetAutoCursor(bool Value) { Store(FAutoCursor, Value); }
    bool AutoIndent() const { return FAutoIndent; }
    void SetAutoIndent(bool Value) { Store(FAutoIndent, Value); }
    bool BackSpaceUnIndent() const { return FBackSpaceUnIndent; }
    void SetBackSpaceUnIndent(bool Value) { Store(FBackSpaceUnIndent, Value); }
    const TEditorCursors& Cursors() const { return FCursors; }
    void SetCursors(const TEditorCursors& Value);
    bool FreeCaret() const { return FFreeCaret; }
    void SetFreeCaret(bool Value) { Store(FFreeCaret, Value); }
    bool FreeRow() const { return FFreeRow; }
    void SetFreeRow(bool Value) { Store(FFreeRow, Value); }
    bool InTab() const { return FInTab; }
    void SetInTab(bool Value) { Store(FInTab, Value); }
    bool KeepCaret() const { return FKeepCaret; }
    void SetKeepCaret(bool Value) { Store(FKeepCaret, Value); }
    bool LockScroll() const { return FLockScroll; }
    void SetLockScroll(bool Value) { Store(FLockScroll, Value); }
    bool NextLine() const { return FNextLine; }
    void SetNextLine(bool Value) { Store(FNextLine, Value); }
    bool PrevSpaceIndent() const { return FPrevSpaceIndent; }
    void SetPrevSpaceIndent(bool Value) { Store(FPrevSpaceIndent, Value); }
    bool RowSelect() const { return FRowSelect; }
    void SetRowSelect(bool Value) { Store(FRowSelect, Value); }
    TDragMode SelDragMode() const { return FSelDragMode; }
    void SetSelDragMode(TDragMode Value) { Store(FSelDragMode, Value); }
    bool SelMove() const { return FSelMove; }
    void SetSelMove(bool Value) { Store(FSelMove, Value); }
    bool SoftTab() const { return FSoftTab; }
    void SetSoftTab(bool Value) { Store(FSoftTab, Value); }
    TEditorCaretStyle Style() const { return FStyle; }
    void SetStyle(TEditorCaretStyle Value) { Store(FStyle, Value); }
    bool TabIndent() const { return FTabIndent; }
    void SetTabIndent(bool Value) { Store(FTabIndent, Value); }
    int TabSpaceCount() const { return FTabSpaceCount; }
    // Clamped to 2..8 and made even: only 2, 4, 6 and 8 are stored.
    void SetTabSpaceCount(int Value);

    void Assign(const TPersistent& Source) override;
    void GetPublishedProperties(std::vector<TPropInfo>& props) override;

private:
    bool FAutoCursor = true, FAutoIndent = true, FBackSpaceUnIndent = true;
    TEditorCursors FCursors;
    bool FFreeCaret = true, FFreeRow = false, FInTab = false, FKeepCaret = false, FLockScroll = false;
    bool FNextLine = false, FPrevSpaceIndent = false, FRowSelect = true;
    TDragMode FSelDragMode = dmAutomatic;
    bool FSelMove = true, FSoftTab = false;
    TEditorCaretStyle FStyle = csDefault;
    bool FTabIndent = false;
    int FTabSpaceCount = 8;
};

// Margins in pixels, each clamped to 0..100.
class TEditorMargin : public TEditorOption {
public:
    int Character() const { return FCharacter; }
    void SetCharacter(int Value);
    int Left() const { return FLeft; }
    void SetLeft(int Value);
    int Line() const { return FLine; }
    void SetLine(int Value);
    int Top() const { return FTop; }
    void SetTop(int Value);

    void Assign(const TPersistent& Source) override;
    void GetPublishedProperties(std::vector<TPropInfo>& props) override;

private:
    int FCharacter = 0, FLeft = 19, FLine = 0, FTop = 2;
};

class TEditorMark : public TEditorOption {
public:
    TColor Color() const { return FColor; }
    void SetColor(TColor Value) { Store(FColor, Value); }
    bool Visible() const { return FVisible; }
    void SetVisible(bool Value) { Store(FVisible, Value); }

    void Assign(const TPersistent& Source) override;
    void GetPublishedProperties(std::vector<TPropInfo>& props) override;

private:
    TColor FColor = clGray;
    bool FVisible = false;
};

class TEditorMarks : public TEditorOption {
public:
    TEditorMarks();
    TEditorMark& EofMark() { return FEofMark; }
    TEditorMark& RetMark() { return FRetMark; }
    TEditorMark& WrapMark() { return FWrapMark; }
    TEditorMark& HideMark() { return FHideMark; }
    TEditorMark& Underline() { return FUnderline; }
    void SetEofMark(const TEditorMark& Value) { FEofMark.Assign(Value); }
    void SetRetMark(const TEditorMark& Value) { FRetMark.Assign(Value); }
    void SetWrapMark(const TEditorMark& Value) { FWrapMark.Assign(Value); }
    void SetHideMark(const TEditorMark& Value) { FHideMark.Assign(Value); }
    void SetUnderline(const TEditorMark& Value) { FUnderline.Assign(Value); }

    void Assign(const TPersistent& Source) override;
    void GetPublishedProperties(std::vector<TPropInfo>& props) override;

private:
    TEditorMark FEofMark, FRetMark, FWrapMark, FHideMark, FUnderline;
};

class TEditorRuler : public TEditorOption {
public:
    TColor BkColor() const { return FBkColor; }
    void SetBkColor(TColor Value) { Store(FBkColor, Value); }
    TColor Color() const { return FColor; }
    void SetColor(TColor Value) { Store(FColor, Value); }
    bool Edge() const { return FEdge; }
    void SetEdge(bool Value) { Store(FEdge, Value); }
    int GaugeRange() const { return FGaugeRange; }
    // Clamped to 8..10 and made even: only 8 and 10 are stored.
    void SetGaugeRange(int Value);
    TColor MarkColor() const { return FMarkColor; }
    void SetMarkColor(TColor Value) { Store(FMarkColor, Value); }
    bool Visible() const { return FVisible; }
    void SetVisible(bool Value) { Store(FVisible, Value); }

    void Assign(const TPersistent& Source) override;
    void GetPublishedProperties(std::vector<TPropInfo>& props) override;

private:
    TColor FBkColor = clSilver, FColor = clBlack;
    bool FEdge = true;
    int FGaugeRange = 10;
    TColor FMarkColor = clBlack;
    bool FVisible = false;
};

// The line-number bar.
class TEditorLeftbar : public TEditorOption {
public:
    TColor BkColor() const { return FBkColor; }
    void SetBkColor(TColor Value) { Store(FBkColor, Value); }
    TColor Color() const { return FColor; }
    void SetColor(TColor Value) { Store(FColor, Value); }
    int Column() const { return FColumn; }
    void SetColumn(int Value);  // digits, 1..8
    bool Edge() const { return FEdge; }
    void SetEdge(bool Value) { Store(FEdge, Value); }
    int LeftMargin() const { return FLeftMargin; }
    void SetLeftMargin(int Value);  // 0..100
    TColor MarkColor() const { return FMarkColor; }
    void SetMarkColor(TColor Value) { Store(FMarkColor, Value); }
    int RightMargin() const { return FRightMargin; }
    void SetRightMargin(int Value);  // 0..100
    bool ShowMark() const { return FShowMark; }
    void SetShowMark(bool Value) { Store(FShowMark, Value); }
    bool ShowNumber() const { return FShowNumber; }
    void SetShowNumber(bool Value) { Store(FShowNumber, Value); }
    TEditorShowNumberMode ShowNumberMode() const { return FShowNumberMode; }
    void SetShowNumberMode(TEditorShowNumberMode Value) { Store(FShowNumberMode, Value); }
    bool Visible() const { return FVisible; }
    void SetVisible(bool Value) { Store(FVisible, Value); }
    bool ZeroBase() const { return FZeroBase; }  // numbering starts at 0
    void SetZeroBase(bool Value) { Store(FZeroBase, Value); }
    bool ZeroLead() const { return FZeroLead; }  // numbers are padded with zeros
    void SetZeroLead(bool Value) { Store(FZeroLead, Value); }

    // Copies everything but MarkColor and ShowMark.
    void Assign(const TPersistent& Source) override;
    void GetPublishedProperties(std::vector<TPropInfo>& props) override;

private:
    TColor FBkColor = clSilver, FColor = clBlack;
    int FColumn = 4;
    bool FEdge = true;
    int FLeftMargin = 8;
    TColor FMarkColor = clBlack;
    int FRightMargin = 4;
    bool FShowMark = false, FShowNumber = true;
    TEditorShowNumberMode FShowNumberMode = nmRow;
    bool FVisible = false, FZeroBase = false, FZeroLead = false;
};

// The row-mark bar left of the line numbers; widths clamped to 0..100.
class TEditorImagebar : public TEditorOption {
public:
    int DigitWidth() const { return FDigitWidth; }
    void SetDigitWidth(int Value);
    int LeftMargin() const { return FLeftMargin; }
    void SetLeftMargin(int Value);
    int MarkWidth() const { return FMarkWidth; }
    void SetMarkWidth(int Value);
    int RightMargin() const { return FRightMargin; }
    void SetRightMargin(int Value);
    bool Visible() const { return FVisible; }
    void SetVisible(bool Value) { Store(FVisible, Value); }

    void Assign(const TPersistent& Source) override;
    void GetPublishedProperties(std::vector<TPropInfo>& props) override;

private:
    int FDigitWidth = 8, FLeftMargin = 2, FMarkWidth = 0, FRightMargin = 2;
    bool FVisible = true;
};

// Scrolling speeds (no notification).
class TEditorSpeed : public TPersistent {
public:
    TEditorSpeedRange CaretVerticalAc() const { return FCaretVerticalAc; }
    void SetCaretVerticalAc(int Value);  // 1..4
    // Compute the lexer state of the whole text at once instead of two screens ahead.
    bool InitBracketsFull() const { return FInitBracketsFull; }
    void SetInitBracketsFull(bool Value) { FInitBracketsFull = Value; }
    TEditorSpeedRange PageVerticalRange() const { return FPageVerticalRange; }
    void SetPageVerticalRange(int Value);  // 1..4
    TEditorSpeedRange PageVerticalRangeAc() const { return FPageVerticalRangeAc; }
    void SetPageVerticalRangeAc(int Value);  // 1..4

    void Assign(const TPersistent& Source) override;
    void GetPublishedProperties(std::vector<TPropInfo>& props) override;

private:
    TEditorSpeedRange FCaretVerticalAc = 2;
    bool FInitBracketsFull = false;
    TEditorSpeedRange FPageVerticalRange = 2, FPageVerticalRangeAc = 2;
};

// The syntax-colouring settings of the editor's own fountain, which this object creates and owns. It
// listens to the fountain, so changes made to the fountain directly reach the editor too.
// Create it with Construct<TEditorViewInfo>(editor).
class TEditorViewInfo : public TEditorOption {
public:
    explicit TEditorViewInfo(TPersistent* Owner = nullptr) : FOwner(Owner) {}
    ~TEditorViewInfo() override;
    void AfterConstruction() override;

    TEditorFountain& Fountain() { return *FFountain; }

    TEditorBracketCollection& Brackets() { return FFountain->EditorBrackets(); }
    void SetBrackets(const TFountainBracketCollection& Value) { FFountain->SetBrackets(Value); }
    TEditorColors& Colors() { return FFountain->Colors(); }
    void SetColors(const TEditorColors& Value) { FFountain->SetColors(Value); }
    const std::string& Commenter() const { return FFountain->Commenter(); }
    void SetCommenter(const std::string& Value) { FFountain->SetCommenter(Value); }
    const std::string& Commenter2() const { return FFountain->Commenter2(); }
    void SetCommenter2(const std::string& Value) { FFountain->SetCommenter2(Value); }
    bool ControlCode() const { return FFountain->ControlCode(); }
    void SetControlCode(bool Value) { FFountain->SetControlCode(Value); }
    bool Files() const { return FFountain->Files(); }
    void SetFiles(bool Value) { FFountain->SetFiles(Value); }
    const std::string& HexPrefix() const { return FFountain->HexPrefix(); }
    void SetHexPrefix(const std::string& Value) { FFountain->SetHexPrefix(Value); }
    bool Mail() const { return FFountain->Mail(); }
    void SetMail(bool Value) { FFountain->SetMail(Value); }
    // Only the first byte of a quotation is stored.
    const std::string& Quotation() const { return FFountain->Quotation(); }
    void SetQuotation(const std::string& Value) { FFountain->SetQuotation(Value.substr(0, 1)); }
    const std::string& Quotation2() const { return FFountain->Quotation2(); }
    void SetQuotation2(const std::string& Value) { FFountain->SetQuotation2(Value.substr(0, 1)); }
    bool Url() const { return FFountain->Url(); }
    void SetUrl(bool Value) { FFountain->SetUrl(Value); }

    // Copies every setting of another view with one announcement.
    void Assign(const TPersistent& Source) override;
    void GetPublishedProperties(std::vector<TPropInfo>& props) override;
    TPersistent* GetOwner() override { return FOwner; }

protected:
    virtual std::unique_ptr<TEditorFountain> CreateFountain();

private:
    TMethod Listener();

    TPersistent* FOwner;
    std::unique_ptr<TEditorFountain> FFountain;
};

} // namespace qx
