#include "mainwindow/qt/EditorFrame.h"

#include "editor/EditorControl.h"
#include "editor/EditorStrings.h"

#include <QSplitter>
#include <QVBoxLayout>

namespace qx {

std::string TFrameDocument::FileName() const { return FFrame.FileName; }

void TFrameDocument::LoadText(std::string Text)
{
    TEditor& editor = FFrame.MainEditor();
    editor.Lines().SetText(Text);
    editor.SetModified(false);
}

std::string TFrameDocument::SaveText() const
{
    const TEditorStrings& lines = FFrame.MainEditor().Lines();
    std::string text;
    for (int i = 0; i < lines.Count(); ++i) {
        if (i) text += '\n';
        text += lines.Get(i);
    }
    return text;
}
int TFrameDocument::SaveFileCharType() const { return FFrame.CharType; }
void TFrameDocument::SetSaveFileCharType(int Value) { FFrame.CharType = Value; }
int TFrameDocument::SaveFileRtrnType() const { return FFrame.RtrnType; }
void TFrameDocument::SetSaveFileRtrnType(int Value) { FFrame.RtrnType = Value; }
bool TFrameDocument::Modified() const { return FFrame.MainEditor().Modified(); }

void TFrameDocument::SetModified(bool Value)
{
    FFrame.EachEditor([&](TEditor& e) { e.SetModified(Value); });
}

void TFrameDocument::SetReadOnlyState(bool OpenReadOnly, bool ReadOnly)
{
    FFrame.OpenReadOnly = OpenReadOnly;
    FFrame.EachEditor([&](TEditor& e) { e.SetReadOnly(ReadOnly); });
}

void TFrameDocument::SetFileOpenMode(int Mode) { FFrame.FileOpenMode = Mode; }
void TFrameDocument::SetEnvironmentNumber(int N) { FFrame.EnvironmentNumber = N; }

TEditorFrame::TEditorFrame(QWidget* Parent) : QWidget(Parent)
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    FSplitter = new QSplitter(Qt::Vertical, this);
    FSplitter->setChildrenCollapsible(false);
    layout->addWidget(FSplitter);
    FMain = new TEditorWidget(FSplitter);
    FSplitter->addWidget(FMain);
}

TEditorWidget* TEditorFrame::CreateSplit()
{
    if (FSecond) return nullptr;
    FSecond = new TEditorWidget(FSplitter);
    TEditor& first = MainEditor();
    TEditor& second = FSecond->Editor();
    second.SetReadOnly(first.ReadOnly());
    second.ShareList(&first);
    second.SetModified(first.Modified());
    second.SetTopRow(first.TopRow());
    FSplitter->addWidget(FSecond);
    const int half = std::max(1, FSplitter->height() / 2);
    FSplitter->setSizes({FSplitter->height() - half, half});
    return FSecond;
}

void TEditorFrame::RemoveSplit()
{
    if (!FSecond) return;
    TEditorWidget* second = std::exchange(FSecond, nullptr);
    delete second;
}

} // namespace qx
