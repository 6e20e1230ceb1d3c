#include "mainwindow/qt/EditorFrame.h"

#include "editor/EditorStrings.h"

#include <QSplitter>
#include <QVBoxLayout>

#include <algorithm>

namespace qx {

void PrepareDocumentEditor(TQxEditor& Editor)
{
    Editor.Lines().Clear();
    // A document keeps more steps to undo than a dialog's small editors.
    Editor.SetUndoListMax(DocumentUndoSteps);
    Editor.SetWantReturns(true);
    Editor.SetWantTabs(true);
    Editor.SetOverWrite(false);
    Editor.Caret().SetNextLine(true);
    TEditorCursors cursors = Editor.Caret().Cursors();
    cursors.InSelCursor = crDefault;
    cursors.DragSelCopyCursor = crDragSelCopy;
    cursors.LeftMarginCursor = crRightArrow;
    Editor.Caret().SetCursors(cursors);
    Editor.Caret().SetAutoCursor(true);
    Editor.Caret().SetSelDragMode(dmManual);
    Editor.Marks().HideMark().SetColor(TColor(0x808080));
    Editor.Marks().HideMark().SetVisible(true);
    Editor.SetReadOnly(false);
    Editor.SetModified(false);
    Editor.AnyNumber1 = 0;
    Editor.Leftbar().SetRightMargin(5);
    Editor.Leftbar().SetShowNumber(true);
    Editor.OpenReadOnly = false;
}

TEditorFrame::TEditorFrame(QWidget* Parent) : QWidget(Parent)
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    FSplitter = new QSplitter(Qt::Vertical, this);
    FSplitter->setChildrenCollapsible(false);
    layout->addWidget(FSplitter);
    FMain = new TEditorWidget(FSplitter, Construct<TQxEditor>());
    FSplitter->addWidget(FMain);
}

void TEditorFrame::SetFileName(const std::string& Name)
{
    EachEditor([&](TQxEditor& E) { E.FileName = Name; });
}

TEditorWidget* TEditorFrame::CreateSplit(const TEnvironmentApply& ApplyEnvironment)
{
    if (FSecond) return nullptr;
    FSecond = new TEditorWidget(FSplitter, Construct<TQxEditor>());
    TQxEditor& first = MainEditor();
    TQxEditor& second = *SecondEditor();
    // A document editor's own start, then what the first pane's document has made of it.
    PrepareDocumentEditor(second);
    second.FileName = first.FileName;
    second.SetOverWrite(first.OverWrite());
    second.Caret().SetCursors(first.Caret().Cursors());
    second.Caret().SetSelDragMode(first.Caret().SelDragMode());
    second.SetReadOnly(first.ReadOnly());
    second.AnyNumber1 = first.AnyNumber1;
    second.Leftbar().SetRightMargin(first.Leftbar().RightMargin());
    second.OpenReadOnly = first.OpenReadOnly;
    second.SetSaveFileRtrnType(first.SaveFileRtrnType());
    second.SetSaveFileCharType(first.SaveFileCharType());
    second.SetTopEOF(first.TopEOF());
    second.Imagebar().SetVisible(first.Imagebar().Visible());
    if (ApplyEnvironment) ApplyEnvironment(second, first.AnyNumber1);
    second.ShareList(&first);
    second.SetModified(first.Modified());
    second.Caret().SetFreeCaret(first.Caret().FreeCaret());
    second.SetTopRow(first.TopRow());
    FSplitter->addWidget(FSecond);
    HalveSplit();
    return FSecond;
}

void TEditorFrame::HalveSplit()
{
    if (!FSecond) return;
    const int half = std::max(1, FSplitter->height() / 2);
    FSplitter->setSizes({FSplitter->height() - half, half});
}

TQxEditor* TEditorFrame::PaneAt(const QPoint& Global, QPoint& At)
{
    for (TEditorWidget* pane : {FMain, FSecond}) {
        if (!pane) continue;
        const QPoint local = pane->viewport()->mapFromGlobal(Global);
        if (!pane->viewport()->rect().contains(local)) continue;
        At = local;
        return &static_cast<TQxEditor&>(pane->Editor());
    }
    return nullptr;
}

void TEditorFrame::NoteFocus(const QWidget* Widget)
{
    if (Widget && Widget == FMain) FActive = FMain;
    if (Widget && Widget == FSecond) FActive = FSecond;
}

void TEditorFrame::RemoveSplit()
{
    if (!FSecond) return;
    if (FActive == FSecond) FActive = FMain;
    TEditorWidget* second = std::exchange(FSecond, nullptr);
    delete second;
}

} // namespace qx
