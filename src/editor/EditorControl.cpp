// TEditor: creation, destruction, properties, factories, option changes, sharing the text, event hooks.

#include "editor/EditorControl.h"

#include "editor/Fountain.h"
#include "platform/LeadByte.h"

#include <algorithm>

namespace qx {

TEditor::TEditor(TComponent* AOwner) : TComponent(AOwner) {}

void TEditor::AfterConstruction()
{
    TComponent::AfterConstruction();
    InitDelimiters(FDelimiters);
    AttachList(CreateEditorScreenStrings());
    FLines = CreateEditorStrings();
    FScreen = CreateEditorScreen();
    FView = CreateEditorViewInfo();
    FView->OnChange = [this](TObject* Sender) { ViewChanged(Sender); };
    FColor = clWhite;
    FFont.Color = clBlack;
    FFont.Name = "FixedSys";
    FCaret = CreateEditorCaret();
    FMarks = CreateEditorMarks();
    FMargin = CreateEditorMargin();
    FImagebar = CreateEditorImagebar();
    FLeftbar = CreateEditorLeftbar();
    FRuler = CreateEditorRuler();
    for (TNotifyPersistent* option : std::initializer_list<TNotifyPersistent*>{
             FCaret.get(), FMarks.get(), FMargin.get(), FImagebar.get(), FLeftbar.get(), FRuler.get()})
        option->OnChange = [this](TObject* Sender) { ViewChanged(Sender); };
    FSpeed = CreateEditorSpeed();
    FLeftbarDigits = FLeftbar->Column();
}

TEditor::~TEditor()
{
    FDestroying = true;
    if (FClock) FClock->KillTimer(CaretBlinkTimer);
    SetFountain(nullptr);
    FScreen.reset();
    FView.reset();
    DetachList();
    FLines.reset();
}

// ---------------------------------------------------------------------------------------------------
// Factories

std::unique_ptr<TEditorCaret> TEditor::CreateEditorCaret() { return std::make_unique<TEditorCaret>(); }
std::unique_ptr<TEditorImagebar> TEditor::CreateEditorImagebar() { return std::make_unique<TEditorImagebar>(); }
std::unique_ptr<TEditorLeftbar> TEditor::CreateEditorLeftbar() { return std::make_unique<TEditorLeftbar>(); }
std::unique_ptr<TEditorMarks> TEditor::CreateEditorMarks() { return std::make_unique<TEditorMarks>(); }
std::unique_ptr<TEditorMargin> TEditor::CreateEditorMargin() { return std::make_unique<TEditorMargin>(); }
std::unique_ptr<TEditorRuler> TEditor::CreateEditorRuler() { return std::make_unique<TEditorRuler>(); }
std::unique_ptr<TEditorSpeed> TEditor::CreateEditorSpeed() { return std::make_unique<TEditorSpeed>(); }
std::unique_ptr<TEditorScreen> TEditor::CreateEditorScreen() { return std::make_unique<TEditorScreen>(*this); }
std::shared_ptr<TEditorScreenStrings> TEditor::CreateEditorScreenStrings()
{
    return Construct<TEditorScreenStrings>();
}
std::unique_ptr<TEditorStrings> TEditor::CreateEditorStrings() { return std::make_unique<TEditorStrings>(*this); }
std::unique_ptr<TEditorViewInfo> TEditor::CreateEditorViewInfo() { return Construct<TEditorViewInfo>(this); }

void TEditor::InitDelimiters(TDelimiters& Delimiters) { Delimiters = DefaultDelimiters(); }

// ---------------------------------------------------------------------------------------------------
// The host

void TEditor::SetViewport(TEditorViewport* Viewport)
{
    if (FViewport == Viewport) return;
    if (FViewport && FCaretCreated) FocusOut();
    FViewport = Viewport;
    if (!FViewport) return;
    FViewport->ShowBorder(FBorderStyle == bsSingle);
    SetScrollBars(FScrollBars);  // shows the bars the property asks for
    UpdateMetrics();
    UpdateScrollBars();
    RefreshRuler();
    Invalidate();
    if (FViewport->Focused()) FocusIn();
}

void TEditor::Loaded()
{
    FLoading = false;
    if (FList->WordWrap()) FList->ReWrapAll();
    FList->InitRowStates();
    FModified = false;
}

// ---------------------------------------------------------------------------------------------------
// The row store and sharing it

void TEditor::AttachList(std::shared_ptr<TEditorScreenStrings> List)
{
    FList = std::move(List);
    FList->AddView(this);
}

void TEditor::DetachList()
{
    if (!FList) return;
    FList->RemoveView(this);
    FList.reset();  // frees the store when this was its last view
}

void TEditor::ShareList(TEditor* Source)
{
    if (!Source || Source == this || Source->FList == FList) return;
    CleanSelection();
    std::shared_ptr<TEditorScreenStrings> list = Source->FList;  // held while the old store goes
    DetachList();
    AttachList(std::move(list));
    FRow = FCol = FTopRow = FTopCol = 0;
    FColRemembered = false;
    RefreshView();
    RefreshRuler();
}

// ---------------------------------------------------------------------------------------------------
// Properties

void TEditor::SetBorderStyle(TBorderStyle Value)
{
    if (FBorderStyle == Value) return;
    FBorderStyle = Value;
    if (FViewport) FViewport->ShowBorder(FBorderStyle == bsSingle);
    RefreshView();
}

void TEditor::SetColor(TColor Value)
{
    if (FColor == Value) return;
    FColor = Value;
    RefreshRuler();
    Invalidate();
}

void TEditor::SetFont(const TFontSpec& Value)
{
    if (FFont == Value) return;
    FFont = Value;
    // The columns take another width: a view scrolled sideways starts again at the left.
    if (FViewport && FTopCol > 0) {
        SetCol(0);
        SetTopCol(0);
    }
    RefreshView();
    RefreshRuler();
    if (FCaretCreated) RecreateCaret();
}

TMethod TEditor::FountainListener() { return MakeMethod(this, &TEditor::ViewChanged); }

void TEditor::SetFountain(TFountain* Value)
{
    if (FFountain == Value) return;
    if (FFountain) {
        FFountain->NotifyEventList().Remove(FountainListener());
        RemoveFreeNotification(FFountain);
    }
    FFountain = Value;
    if (FFountain) {
        FFountain->NotifyEventList().Add(FountainListener());
        FreeNotification(FFountain);
    }
    if (!FDestroying) ReparseAll();
}

void TEditor::Notification(TComponent* AComponent, TOperation Operation)
{
    TComponent::Notification(AComponent, Operation);
    if (Operation != opRemove || AComponent != FFountain || !FFountain) return;
    FFountain = nullptr;  // it is going: its list of listeners goes with it
    if (!FDestroying) ReparseAll();
}

TFountain* TEditor::ActiveFountain() const
{
    if (FFountain) return FFountain;
    return FView ? &FView->Fountain() : nullptr;
}

void TEditor::ReparseAll()
{
    FList->InitRowStates();
    UpdateMetrics();  // the italic flag follows the fountain
    Invalidate();
}

void TEditor::SetHitStyle(TEditorHitStyle Value)
{
    if (FHitStyle == Value) return;
    CleanSelection();
    FHitStyle = Value;
}

void TEditor::SetLines(const TStringList& Value)
{
    FLines->Assign(Value);
    for (TEditorView* view : FList->Views()) view->RefreshView();
}

void TEditor::SetReadOnly(bool Value)
{
    if (FDragState == 2 || FReadOnly == Value) return;
    FReadOnly = Value;
    if (FViewport && SelectionShown()) FViewport->SetCursor(FCaret->Cursors().DefaultCursor);
}

namespace {
const TStringList& EmptyList()
{
    static const TStringList empty;
    return empty;
}
} // namespace

const TStringList& TEditor::ReserveWordList() const
{
    const TFountain* f = ActiveFountain();
    return f ? f->ReserveWordList() : EmptyList();
}
const TStringList& TEditor::ReserveWordList2() const
{
    const TFountain* f = ActiveFountain();
    return f ? f->ReserveWordList2() : EmptyList();
}
const TStringList& TEditor::ReserveWordList3() const
{
    const TFountain* f = ActiveFountain();
    return f ? f->ReserveWordList3() : EmptyList();
}
void TEditor::SetReserveWordList(const TStringList& Value)
{
    if (TFountain* f = ActiveFountain()) f->SetReserveWordList(Value);
}
void TEditor::SetReserveWordList2(const TStringList& Value)
{
    if (TFountain* f = ActiveFountain()) f->SetReserveWordList2(Value);
}
void TEditor::SetReserveWordList3(const TStringList& Value)
{
    if (TFountain* f = ActiveFountain()) f->SetReserveWordList3(Value);
}

void TEditor::SetScrollBars(TScrollStyle Value)
{
    FScrollBars = Value;
    if (!FViewport) return;
    FViewport->ShowScrollBar(TScrollBarKind::Horizontal, Value == ssHorizontal || Value == ssBoth);
    FViewport->ShowScrollBar(TScrollBarKind::Vertical, Value == ssVertical || Value == ssBoth);
    UpdateMetrics();
    UpdateScrollBars();
}

int TEditor::UndoListMax() const { return FList->UndoObj().UndoListMax; }

void TEditor::SetUndoListMax(int Value) { FList->UndoObj().UndoListMax = std::max(64, Value); }

bool TEditor::CanUndo() const { return FList->UndoObj().CanUndo(); }
bool TEditor::CanRedo() const { return FList->UndoObj().CanRedo(); }

void TEditor::Undo()
{
    CleanSelection();
    FList->Undo();
}

void TEditor::Redo()
{
    CleanSelection();
    FList->Redo();
}

// ---------------------------------------------------------------------------------------------------
// Option changes

void TEditor::ViewChanged(TObject* Sender)
{
    if (FDestroying) return;
    if (Sender == FMarks.get()) FUnderlinePixel = FMarks->Underline().Visible() ? 1 : 0;
    if (Sender == FView.get() || dynamic_cast<TFountain*>(Sender)) FList->InitRowStates();
    if (!FViewport) return;
    UpdateMetrics();
    UpdateScrollBars();
    if (Sender == FMargin.get() || Sender == FRuler.get() || Sender == FLeftbar.get()) RefreshRuler();
    Invalidate();
    if (Sender == FCaret.get()) {
        RecreateCaret();
    } else {
        ScrollCaretIntoView();
        SetEditorCaretPos();
    }
}

// ---------------------------------------------------------------------------------------------------
// Rows

std::string TEditor::RowString(int Index) const
{
    if (Index < 0 || Index >= FList->Count()) return {};
    return std::string(FList->Get(Index));
}

int TEditor::DisplayWidth(std::string_view S) const
{
    if (S.find('\t') == std::string_view::npos) return static_cast<int>(S.size());
    return static_cast<int>(ExpandTabs(S).size());
}

std::string TEditor::ExpandTabs(std::string_view S) const
{
    if (S.find('\t') == std::string_view::npos) return std::string(S);
    const int tab = FCaret->TabSpaceCount();
    const int wrap = FList->WordWrap() ? FList->WrapOption().WrapByte() : 0;
    std::string out;
    out.reserve(S.size() + 16);
    for (std::size_t i = 0; i < S.size(); ++i) {
        const char c = S[i];
        if (c == '\t') {
            const int col = static_cast<int>(out.size());
            int next = (col / tab + 1) * tab;
            if (wrap > 0) next = std::min(next, (col / wrap + 1) * wrap);
            out.append(static_cast<std::size_t>(next - col), ' ');
        } else if (IsDBCSLeadByte(c) && i + 1 < S.size()) {
            out += c;
            out += S[++i];
        } else {
            out += c;
        }
    }
    return out;
}

int TEditor::RowDisplayWidth(int Index) const
{
    if (Index < 0 || Index >= FList->Count()) return 0;
    return DisplayWidth(FList->Get(Index));
}

// ---------------------------------------------------------------------------------------------------
// What the row store asks

int TEditor::ScreenRows() const
{
    if (!FViewport || RowHeight() <= 0) return FVisibleRows;
    return std::max(FVisibleRows, FViewport->ClientHeight() / RowHeight() + 1);
}

void TEditor::BeginEdit()
{
    if (FEditing++ == 0) {
        BeginCaretUpdate();
        HideUnderline();
    }
}

void TEditor::EndEdit()
{
    if (FEditing == 0 || --FEditing > 0) return;
    ShowUnderline();
    EndCaretUpdate();
}

void TEditor::SetLinesUpdating(bool Updating) { FLinesUpdating += Updating ? 1 : -1; }

void TEditor::TextChanged(TEditorScreenStrings& Rows)
{
    const bool modified = Rows.UpdateRange.Valid;
    DoChange();
    if (modified && !FLoading) {
        FModified = true;
        if (OnChange) OnChange(this);
    }
}

TLeftbarNumbers TEditor::LeftbarNumbers() const
{
    if (!FLeftbar->Visible() || !FLeftbar->ShowNumber()) return TLeftbarNumbers::None;
    return FLeftbar->ShowNumberMode() == nmLine ? TLeftbarNumbers::Lines : TLeftbarNumbers::Rows;
}

// ---------------------------------------------------------------------------------------------------
// Event hooks

void TEditor::DoCaretMoved()
{
    if (OnCaretMoved) OnCaretMoved(this);
}

void TEditor::DoChange()
{
    if (FLinesUpdating > 0) return;
    FScreen->Update(*FList);
    if (FViewport && LeftbarNumbers() != TLeftbarNumbers::None && UpdateLeftbarDigits()) {
        const int old = FLeftbarWidth;
        UpdateLeftbarWidth();
        ShiftTextArea(old, FLeftbarWidth);
        UpdateMetrics();
    }
    UpdateScrollBars();
}

void TEditor::DoDrawLine(const TRect& ARect, int X, int Selected, int Index, const std::string& LineStr, int Y)
{
    if (OnDrawLine) OnDrawLine(this, LineStr, X, Y, Index, ARect, Selected != 0);
}

void TEditor::DoSelectionChange(bool Selected)
{
    if (OnSelectionChange) OnSelectionChange(this, Selected);
}

void TEditor::DoSelectionModeChange()
{
    if (OnSelectionModeChange) OnSelectionModeChange(this);
}

void TEditor::DoTopColChange()
{
    if (OnTopColChange) OnTopColChange(this);
}

void TEditor::DoTopRowChange()
{
    if (OnTopRowChange) OnTopRowChange(this);
}

void TEditor::DoHideWrapLine()
{
    if (OnHideWrapLine) OnHideWrapLine(this);
}

void TEditor::DoDrawWrapLine()
{
    if (OnDrawWrapLine) OnDrawWrapLine(this);
}

} // namespace qx
