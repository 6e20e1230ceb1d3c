#include "mainwindow/EditorEvents.h"

#include "dialogs/SendMail.h"
#include "editor/EditorFountain.h"
#include "editor/EditorViewport.h"
#include "editor/FountainParser.h"
#include "editor/QxEditor.h"
#include "mainwindow/commands/MainCommands.h"
#include "mainwindow/files/TabModel.h"
#include "platform/VirtualKeys.h"
#include "platform/Cp932.h"
#include "platform/Launcher.h"

#include <algorithm>
#include <utility>

namespace qx {

namespace {

TColor Or(TColor Value, TColor Default) { return Value == clNone ? Default : Value; }

// The editor's link mode for a token kind; 0 (nothing) for a kind that is no link.
int LinkMode(const TQxEditor& Editor, int Kind)
{
    switch (Kind) {
    case toUrl: return Editor.ModeURL;
    case toMail: return Editor.ModeMailAddr;
    case toFile: return Editor.ModeFilename;
    default: return 0;
    }
}

enum class TLinkAction { None, Select, Open };

TLinkAction LinkAction(int Mode, bool Double)
{
    if (Double) return Mode == 3 ? TLinkAction::Select : (Mode == 4 || Mode == 5) ? TLinkAction::Open : TLinkAction::None;
    return (Mode == 1 || Mode == 5) ? TLinkAction::Select : Mode == 2 ? TLinkAction::Open : TLinkAction::None;
}

bool Opens(int Mode) { return Mode == 2 || Mode == 4 || Mode == 5; }

// The folder a relative file link starts from: the document's own, else the program's.
std::filesystem::path LinkFolder(const TQxEditor& Editor, const std::filesystem::path& ProgramFolder)
{
    const std::string& name = Editor.FileName;
    if (!IsNamedFile(name)) return ProgramFolder;
    return std::filesystem::path(name).parent_path();
}

} // namespace

void TEditorEvents::MouseMove(TQxEditor& Editor, TShiftState Shift, int X, int Y)
{
    if ((Shift & (ssLeft | ssRight | ssMiddle)) || Editor.DragState() != 0 || !Editor.Viewport()) return;
    // The token under the mouse is looked for only while some link would open (the lookup lexes a
    // bounded window of the line, so a move costs the same on any line).
    const bool anyOpens = Opens(Editor.ModeURL) || Opens(Editor.ModeMailAddr) || Opens(Editor.ModeFilename);
    const bool hand = anyOpens && Opens(LinkMode(Editor, Editor.TokenKindAt({X, Y})));
    // The pane that showed the hand last gets its own cursor back, whichever pane the mouse is in now.
    if (FHandShown && (FHandShown != &Editor || !hand)) std::exchange(FHandShown, nullptr)->RestoreCursor();
    if (!hand) return;
    Editor.Viewport()->SetCursor(crHandPoint);
    FHandShown = &Editor;
}

void TEditorEvents::LinkClick(TQxEditor& Editor, TPoint At) { Link(Editor, At, false); }

void TEditorEvents::LinkDblClick(TQxEditor& Editor, TPoint At) { Link(Editor, At, true); }

void TEditorEvents::Link(TQxEditor& Editor, TPoint At, bool Double)
{
    std::string token;
    int kind = 0;
    if (!Editor.TokenAt(At, true, token, false, kind)) return;
    switch (LinkAction(LinkMode(Editor, kind), Double)) {
    case TLinkAction::None: break;
    case TLinkAction::Select: Editor.SelectTokenAtPos(At); break;
    case TLinkAction::Open: OpenLink(Editor, kind, token); break;
    }
}

std::string TEditorEvents::LinkFileName(std::string_view Link, const std::filesystem::path& Folder)
{
    if (Link.starts_with("file://"))
        Link.remove_prefix(7);
    else if (Link.starts_with("file:"))
        Link.remove_prefix(5);
    std::string name(Link);
    std::erase(name, '"');
    std::filesystem::path path(name);
    if (path.is_relative()) path = Folder / path;
    return path.lexically_normal().string();
}

void TEditorEvents::OpenLink(TQxEditor& Editor, int Kind, const std::string& Token)
{
    // Links are document text (Shift-JIS); names and addresses go out as UTF-8.
    const std::string text = Cp932ToUtf8(Token);
    if (Kind == toFile) {
        if (Links.OpenFile) Links.OpenFile(LinkFileName(text, LinkFolder(Editor, Links.ProgramFolder)));
        return;
    }
    // "www." alone names no scheme; the desktop is told it is a web address.
    const std::string target = Kind == toMail ? MailToAddressUrl(text) : text.starts_with("www.") ? "http://" + text : text;
    const bool opened = Links.Launcher && Links.Launcher->Open(target, Links.ProgramFolder);
    if (!opened && Links.Prompter) ReportShellOpenFailed(*Links.Prompter, target);
}

bool TEditorEvents::DragOver(TQxEditor& Source, TQxEditor* Target, int X, int Y)
{
    if (Target == &Source || (Target && Target->SharedList() != Source.SharedList())) Target = nullptr;
    if (FDropTarget && FDropTarget != Target) FDropTarget->HideDropPoint();
    FDropTarget = Target;
    if (!Target) return false;
    Target->ShowDropPoint(X, Y);
    return true;
}

bool TEditorEvents::DragDrop(TQxEditor& Source, TQxEditor* Target, TShiftState Shift)
{
    EndDrag();
    if (!Target || Target->SharedList() != Source.SharedList()) return false;
    // The drop point is the target's caret, where the drag left it.
    const int row = Target->Row(), col = Target->Col();
    if (Source.IsInSelection(row, col)) {
        Source.CancelDrag();
        return true;
    }
    const std::int64_t start = Source.SelStart();
    const std::int64_t length = Source.SelLength();
    Source.CancelDrag();
    // The target takes the same stretch of the text and moves (copies) it.
    Target->SetSelStart(start);
    Target->SetSelLength(length);
    if (!Target->CanSelMove()) {
        Target->CleanSelection();
        return true;
    }
    if (Shift & ssCtrl)
        Target->CopySelectionTo(row, col);
    else
        Target->DropSelection(row, col);
    // The dropped text ends at the caret.
    const std::int64_t end = Target->SelStart();
    Target->SetSelStart(end - length);
    Target->SetSelLength(length);
    if (Target != &Source && Target->Viewport()) Target->Viewport()->SetFocus();
    return true;
}

void TEditorEvents::EndDrag()
{
    if (FDropTarget) std::exchange(FDropTarget, nullptr)->HideDropPoint();
}

void TEditorEvents::Forget(const TEditor* Editor)
{
    if (FDropTarget == Editor) FDropTarget = nullptr;
    if (FHandShown == Editor) FHandShown = nullptr;
}

void TEditorEvents::CaretMoved(TQxEditor& Editor)
{
    if (!Editor.CurLineHilighted || Editor.Row() == Editor.OldRowIndex) return;
    if (Editor.OldRowIndex >= 0) Editor.InvalidateRow(Editor.OldRowIndex);
    Editor.InvalidateRow(Editor.Row());
    Editor.OldRowIndex = Editor.Row();
}

void TEditorEvents::DrawLine(TQxEditor& Editor, const std::string& LineStr, int X, int Y, int Index,
                             const TRect& ARect)
{
    if (!Editor.CurLineHilighted || Index != Editor.Row() || Editor.HasSelection() || !Editor.PaintCanvas()) return;
    TFountainColor& colors = Editor.View().Colors().CurLine();
    TTextStyle& style = Editor.PaintStyle();
    const TTextStyle saved = style;
    style.Font = Editor.Font();
    style.Font.Color = Or(colors.Color(), Editor.Font().Color);
    style.Font.Style = colors.Style();
    style.Background = Or(colors.BkColor(), Editor.Color());
    // The whole row in the current line's look, the part past the text included.
    Editor.PaintCanvas()->FillRect(ARect, style.Background);
    Editor.DrawTextRun(ARect, X, etoClipped | etoOpaque, Editor.ExpandTabs(LineStr), Y);
    style = saved;
}

void TEditorEvents::KeyDown(TQxEditor& Editor, int& Key, TShiftState Shift)
{
    FTabKeyHandled = false;
    if (!Editor.TabKeyIndent || Key != VK_TAB || !Editor.HasSelection() || Editor.ReadOnly()) return;
    // With soft tabs the lines move by a tab's width of single spaces.
    const int steps = Editor.Caret().SoftTab() ? std::max(1, Editor.Caret().TabSpaceCount()) : 1;
    for (int i = 0; i < steps; ++i) {
        if (!Editor.Caret().SoftTab())
            (Shift & ssShift) ? Editor.TabUnIndent() : Editor.TabIndent();
        else
            (Shift & ssShift) ? Editor.SpaceUnIndent() : Editor.SpaceIndent();
    }
    Key = 0;
    FTabKeyHandled = true;
}

void TEditorEvents::KeyPress(TQxEditor& Editor, char& Key)
{
    if (Editor.TabKeyIndent && FTabKeyHandled) {
        Key = 0;
        FTabKeyHandled = false;
    }
}

void TEditorEvents::MouseDown(TQxEditor& Editor, TMouseButton Button, TShiftState Shift, int X, int Y)
{
    // Box mode the user chose by command stays; otherwise the mode follows Alt.
    if (Editor.SelectionMode() != smBox || FBoxByAlt) {
        const bool alt = (Shift & ssAlt) != 0;
        FBoxByAlt = alt;
        const TEditorSelectionMode mode = alt ? smBox : smLine;
        if (Editor.SelectionMode() != mode) Editor.SetSelectionMode(mode);
    }
    if (Button != mbLeft || Editor.DragState() != 0 || !Editor.CanSelMove() || X < Editor.TextAreaLeft()) return;
    int row = 0, col = 0;
    Editor.PosToRowCol(X, Y, false, col, row);
    if (Editor.IsInSelection(row, col)) Editor.BeginSelectionDrag(Shift, X, Y);
}

void TEditorEvents::SelectionChange(TQxEditor& Editor, bool Selected)
{
    // The current-line highlight shows only without a selection: the caret row is painted anew.
    if (Editor.CurLineHilighted && Selected != FPrevHasSelection) Editor.InvalidateRow(Editor.Row());
    FPrevHasSelection = Selected;
    if (Selected || Editor.SelectionMode() != smBox) return;
    FBoxByAlt = false;
    Editor.SetSelectionMode(smLine);
}

int TEditorEvents::WindowWrapWidth(TQxEditor& Editor)
{
    const int w = Editor.ColWidth();
    const TEditorViewport* viewport = Editor.Viewport();
    if (w <= 0 || !viewport) return Editor.WrapOption().WrapByte();
    int columns = (viewport->ClientWidth() - Editor.TextAreaLeft() - w / 2) / w;
    if (Editor.Marks().WrapMark().Visible()) columns -= 2;
    return std::max(1, columns);
}

void TEditorEvents::Resize(TQxEditor& Editor)
{
    if (!Editor.WrapByWindow || Editor.ColWidth() <= 0) return;
    const int width = WindowWrapWidth(Editor);
    if (width != Editor.WrapOption().WrapByte()) Editor.WrapOption().SetWrapByte(width);
}

} // namespace qx
