#include "editor/EditorOptions.h"

#include <algorithm>

namespace qx {

namespace {

constexpr TTypeKind kInt = TTypeKind::tkInteger;
constexpr TTypeKind kBool = TTypeKind::tkBool;
constexpr TTypeKind kEnum = TTypeKind::tkEnumeration;
constexpr TTypeKind kString = TTypeKind::tkString;
constexpr TTypeKind kClass = TTypeKind::tkClass;

// A value clamped to Low..High, then made even by dropping 1 from an odd value.
int EvenInRange(int value, int low, int high) { return std::clamp(value, low, high) & ~1; }

// Runs Copy inside BeginUpdate/EndUpdate of Target when Source is a T, so the copy is announced once;
// otherwise the class library's assignment.
template <class T, class Copy>
void AssignOnce(T& Target, const TPersistent& Source, Copy copy)
{
    const auto* source = dynamic_cast<const T*>(&Source);
    if (!source) return Target.TNotifyPersistent::Assign(Source);
    if (source == &Target) return;
    Target.BeginUpdate();
    copy(*source);
    Target.EndUpdate();
}

} // namespace

// ---- TEditorCursors

void TEditorCursors::Assign(const TPersistent& Source)
{
    const auto* source = dynamic_cast<const TEditorCursors*>(&Source);
    if (!source) return TPersistent::Assign(Source);
    DefaultCursor = source->DefaultCursor;
    DragSelCursor = source->DragSelCursor;
    DragSelCopyCursor = source->DragSelCopyCursor;
    InSelCursor = source->InSelCursor;
    LeftMarginCursor = source->LeftMarginCursor;
    TopMarginCursor = source->TopMarginCursor;
}

bool TEditorCursors::operator==(const TEditorCursors& o) const
{
    return DefaultCursor == o.DefaultCursor && DragSelCursor == o.DragSelCursor &&
           DragSelCopyCursor == o.DragSelCopyCursor && InSelCursor == o.InSelCursor &&
           LeftMarginCursor == o.LeftMarginCursor && TopMarginCursor == o.TopMarginCursor;
}

void TEditorCursors::GetPublishedProperties(std::vector<TPropInfo>& props)
{
    for (const char* name : {"DefaultCursor", "DragSelCursor", "DragSelCopyCursor", "InSelCursor",
                             "LeftMarginCursor", "TopMarginCursor"})
        props.push_back({name, kInt});
}

// ---- TEditorCaret

void TEditorCaret::SetCursors(const TEditorCursors& Value)
{
    if (FCursors == Value) return;
    FCursors.Assign(Value);
    Changed();
}

void TEditorCaret::SetTabSpaceCount(int Value) { Store(FTabSpaceCount, EvenInRange(Value, 2, 8)); }

void TEditorCaret::Assign(const TPersistent& Source)
{
    AssignOnce(*this, Source, [this](const TEditorCaret& s) {
        SetAutoCursor(s.AutoCursor());
        SetAutoIndent(s.AutoIndent());
        SetBackSpaceUnIndent(s.BackSpaceUnIndent());
        SetCursors(s.Cursors());
        SetFreeCaret(s.FreeCaret());
        SetFreeRow(s.FreeRow());
        SetInTab(s.InTab());
        SetKeepCaret(s.KeepCaret());
        SetLockScroll(s.LockScroll());
        SetNextLine(s.NextLine());
        SetPrevSpaceIndent(s.PrevSpaceIndent());
        SetRowSelect(s.RowSelect());
        SetSelDragMode(s.SelDragMode());
        SetSelMove(s.SelMove());
        SetSoftTab(s.SoftTab());
        SetStyle(s.Style());
        SetTabIndent(s.TabIndent());
        SetTabSpaceCount(s.TabSpaceCount());
    });
}

void TEditorCaret::GetPublishedProperties(std::vector<TPropInfo>& props)
{
    TEditorOption::GetPublishedProperties(props);
    props.push_back({"AutoCursor", kBool});
    props.push_back({"AutoIndent", kBool});
    props.push_back({"BackSpaceUnIndent", kBool});
    props.push_back({"Cursors", kClass, &FCursors});
    for (const char* name : {"FreeCaret", "FreeRow", "InTab", "KeepCaret", "LockScroll", "NextLine",
                             "PrevSpaceIndent", "RowSelect"})
        props.push_back({name, kBool});
    props.push_back({"SelDragMode", kEnum});
    props.push_back({"SelMove", kBool});
    props.push_back({"SoftTab", kBool});
    props.push_back({"Style", kEnum});
    props.push_back({"TabIndent", kBool});
    props.push_back({"TabSpaceCount", kInt});
}

// ---- TEditorMargin

void TEditorMargin::SetCharacter(int Value) { Store(FCharacter, std::clamp(Value, 0, 100)); }
void TEditorMargin::SetLeft(int Value) { Store(FLeft, std::clamp(Value, 0, 100)); }
void TEditorMargin::SetLine(int Value) { Store(FLine, std::clamp(Value, 0, 100)); }
void TEditorMargin::SetTop(int Value) { Store(FTop, std::clamp(Value, 0, 100)); }

void TEditorMargin::Assign(const TPersistent& Source)
{
    AssignOnce(*this, Source, [this](const TEditorMargin& s) {
        SetCharacter(s.Character());
        SetLeft(s.Left());
        SetLine(s.Line());
        SetTop(s.Top());
    });
}

void TEditorMargin::GetPublishedProperties(std::vector<TPropInfo>& props)
{
    TEditorOption::GetPublishedProperties(props);
    for (const char* name : {"Character", "Left", "Line", "Top"}) props.push_back({name, kInt});
}

// ---- TEditorMark, TEditorMarks

void TEditorMark::Assign(const TPersistent& Source)
{
    AssignOnce(*this, Source, [this](const TEditorMark& s) {
        SetColor(s.Color());
        SetVisible(s.Visible());
    });
}

void TEditorMark::GetPublishedProperties(std::vector<TPropInfo>& props)
{
    TEditorOption::GetPublishedProperties(props);
    props.push_back({"Color", kInt});
    props.push_back({"Visible", kBool});
}

TEditorMarks::TEditorMarks()
{
    for (TEditorMark* mark : {&FEofMark, &FRetMark, &FWrapMark, &FHideMark, &FUnderline})
        mark->OnChange = ChangedProcEvent();
}

void TEditorMarks::Assign(const TPersistent& Source)
{
    AssignOnce(*this, Source, [this](const TEditorMarks& s) {
        SetEofMark(s.FEofMark);
        SetRetMark(s.FRetMark);
        SetWrapMark(s.FWrapMark);
        SetHideMark(s.FHideMark);
        SetUnderline(s.FUnderline);
    });
}

void TEditorMarks::GetPublishedProperties(std::vector<TPropInfo>& props)
{
    TEditorOption::GetPublishedProperties(props);
    props.push_back({"EofMark", kClass, &FEofMark});
    props.push_back({"RetMark", kClass, &FRetMark});
    props.push_back({"WrapMark", kClass, &FWrapMark});
    props.push_back({"HideMark", kClass, &FHideMark});
    props.push_back({"Underline", kClass, &FUnderline});
}

// ---- TEditorRuler

void TEditorRuler::SetGaugeRange(int Value) { Store(FGaugeRange, EvenInRange(Value, 8, 10)); }

void TEditorRuler::Assign(const TPersistent& Source)
{
    AssignOnce(*this, Source, [this](const TEditorRuler& s) {
        SetBkColor(s.BkColor());
        SetColor(s.Color());
        SetEdge(s.Edge());
        SetGaugeRange(s.GaugeRange());
        SetMarkColor(s.MarkColor());
        SetVisible(s.Visible());
    });
}

void TEditorRuler::GetPublishedProperties(std::vector<TPropInfo>& props)
{
    TEditorOption::GetPublishedProperties(props);
    props.push_back({"BkColor", kInt});
    props.push_back({"Color", kInt});
    props.push_back({"Edge", kBool});
    props.push_back({"GaugeRange", kInt});
    props.push_back({"MarkColor", kInt});
    props.push_back({"Visible", kBool});
}

// ---- TEditorLeftbar

void TEditorLeftbar::SetColumn(int Value) { Store(FColumn, std::clamp(Value, 1, 8)); }
void TEditorLeftbar::SetLeftMargin(int Value) { Store(FLeftMargin, std::clamp(Value, 0, 100)); }
void TEditorLeftbar::SetRightMargin(int Value) { Store(FRightMargin, std::clamp(Value, 0, 100)); }

void TEditorLeftbar::Assign(const TPersistent& Source)
{
    AssignOnce(*this, Source, [this](const TEditorLeftbar& s) {
        SetBkColor(s.BkColor());
        SetColor(s.Color());
        SetColumn(s.Column());
        SetEdge(s.Edge());
        SetLeftMargin(s.LeftMargin());
        SetRightMargin(s.RightMargin());
        SetShowNumber(s.ShowNumber());
        SetShowNumberMode(s.ShowNumberMode());
        SetVisible(s.Visible());
        SetZeroBase(s.ZeroBase());
        SetZeroLead(s.ZeroLead());
    });
}

void TEditorLeftbar::GetPublishedProperties(std::vector<TPropInfo>& props)
{
    TEditorOption::GetPublishedProperties(props);
    props.push_back({"BkColor", kInt});
    props.push_back({"Color", kInt});
    props.push_back({"Column", kInt});
    props.push_back({"Edge", kBool});
    props.push_back({"LeftMargin", kInt});
    props.push_back({"MarkColor", kInt});
    props.push_back({"RightMargin", kInt});
    props.push_back({"ShowMark", kBool});
    props.push_back({"ShowNumber", kBool});
    props.push_back({"ShowNumberMode", kEnum});
    props.push_back({"Visible", kBool});
    props.push_back({"ZeroBase", kBool});
    props.push_back({"ZeroLead", kBool});
}

// ---- TEditorImagebar

void TEditorImagebar::SetDigitWidth(int Value) { Store(FDigitWidth, std::clamp(Value, 0, 100)); }
void TEditorImagebar::SetLeftMargin(int Value) { Store(FLeftMargin, std::clamp(Value, 0, 100)); }
void TEditorImagebar::SetMarkWidth(int Value) { Store(FMarkWidth, std::clamp(Value, 0, 100)); }
void TEditorImagebar::SetRightMargin(int Value) { Store(FRightMargin, std::clamp(Value, 0, 100)); }

void TEditorImagebar::Assign(const TPersistent& Source)
{
    AssignOnce(*this, Source, [this](const TEditorImagebar& s) {
        SetDigitWidth(s.DigitWidth());
        SetLeftMargin(s.LeftMargin());
        SetMarkWidth(s.MarkWidth());
        SetRightMargin(s.RightMargin());
        SetVisible(s.Visible());
    });
}

void TEditorImagebar::GetPublishedProperties(std::vector<TPropInfo>& props)
{
    TEditorOption::GetPublishedProperties(props);
    for (const char* name : {"DigitWidth", "LeftMargin", "MarkWidth", "RightMargin"}) props.push_back({name, kInt});
    props.push_back({"Visible", kBool});
}

// ---- TEditorSpeed

namespace {
TEditorSpeedRange SpeedRange(int value) { return static_cast<TEditorSpeedRange>(std::clamp(value, 1, 4)); }
} // namespace

void TEditorSpeed::SetCaretVerticalAc(int Value) { FCaretVerticalAc = SpeedRange(Value); }
void TEditorSpeed::SetPageVerticalRange(int Value) { FPageVerticalRange = SpeedRange(Value); }
void TEditorSpeed::SetPageVerticalRangeAc(int Value) { FPageVerticalRangeAc = SpeedRange(Value); }

void TEditorSpeed::Assign(const TPersistent& Source)
{
    const auto* source = dynamic_cast<const TEditorSpeed*>(&Source);
    if (!source) return TPersistent::Assign(Source);
    FCaretVerticalAc = source->FCaretVerticalAc;
    FInitBracketsFull = source->FInitBracketsFull;
    FPageVerticalRange = source->FPageVerticalRange;
    FPageVerticalRangeAc = source->FPageVerticalRangeAc;
}

void TEditorSpeed::GetPublishedProperties(std::vector<TPropInfo>& props)
{
    props.push_back({"CaretVerticalAc", kInt});
    props.push_back({"InitBracketsFull", kBool});
    props.push_back({"PageVerticalRange", kInt});
    props.push_back({"PageVerticalRangeAc", kInt});
}

// ---- TEditorViewInfo

TMethod TEditorViewInfo::Listener()
{
    return MakeMethod(static_cast<TNotifyPersistent*>(this), &TNotifyPersistent::ChangedProc);
}

void TEditorViewInfo::AfterConstruction()
{
    TEditorOption::AfterConstruction();
    FFountain = CreateFountain();
    FFountain->NotifyEventList().Add(Listener());
}

TEditorViewInfo::~TEditorViewInfo()
{
    if (FFountain) FFountain->NotifyEventList().Remove(Listener());
}

std::unique_ptr<TEditorFountain> TEditorViewInfo::CreateFountain() { return Construct<TEditorFountain>(); }

void TEditorViewInfo::Assign(const TPersistent& Source)
{
    AssignOnce(*this, Source, [this](const TEditorViewInfo& s) {
        TEditorFountain& from = *s.FFountain;
        SetBrackets(from.Brackets());
        SetColors(from.Colors());
        SetCommenter(from.Commenter());
        SetCommenter2(from.Commenter2());
        SetControlCode(from.ControlCode());
        SetFiles(from.Files());
        SetHexPrefix(from.HexPrefix());
        SetMail(from.Mail());
        SetQuotation(from.Quotation());
        SetQuotation2(from.Quotation2());
        SetUrl(from.Url());
    });
}

void TEditorViewInfo::GetPublishedProperties(std::vector<TPropInfo>& props)
{
    TEditorOption::GetPublishedProperties(props);
    props.push_back({"Brackets", kClass, &Brackets()});
    props.push_back({"Colors", kClass, &Colors()});
    props.push_back({"Commenter", kString});
    props.push_back({"Commenter2", kString});
    props.push_back({"ControlCode", kBool});
    props.push_back({"Files", kBool});
    props.push_back({"HexPrefix", kString});
    props.push_back({"Mail", kBool});
    props.push_back({"Quotation", kString});
    props.push_back({"Quotation2", kString});
    props.push_back({"Url", kBool});
}

} // namespace qx
