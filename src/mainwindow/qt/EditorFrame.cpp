#include "mainwindow/qt/EditorFrame.h"

#include "editor/EditorControl.h"
#include "editor/EditorFountain.h"
#include "editor/EditorStrings.h"
#include "platform/Cp932.h"

#include <QSplitter>
#include <QVBoxLayout>

namespace qx {

namespace {

// The look of editor environment 0 until the environments are applied from their files.
void ApplyStandInLook(TEditor& Editor)
{
    Editor.SetFont({"ＭＳ ゴシック", 11, clBlack, {}});
    Editor.SetScrollBars(ssBoth);
    Editor.Ruler().SetVisible(true);
    Editor.Leftbar().SetVisible(true);
    Editor.Leftbar().SetShowMark(true);
    Editor.Marks().EofMark().SetVisible(true);
    Editor.Marks().RetMark().SetVisible(true);
    Editor.Marks().WrapMark().SetVisible(true);
    Editor.Marks().HideMark().SetVisible(true);
    Editor.Marks().Underline().SetVisible(true);
    Editor.Marks().Underline().SetColor(clNavy);
    TEditorViewInfo& view = Editor.View();
    view.SetCommenter("//");
    view.SetQuotation("\"");
    view.SetHexPrefix("0x");
    view.SetUrl(true);
    view.SetMail(true);
    TEditorBracketCollection& brackets = view.Brackets();
    TFountainBracketItem* block = brackets.AddBracket();
    block->SetLeftBracket("/*");
    block->SetRightBracket("*/");
    block->ItemColor().SetColor(clGreen);
    TEditorColors& colors = view.Colors();
    colors.Comment().SetColor(clGreen);
    colors.Str().SetColor(clMaroon);
    colors.Int().SetColor(clBlue);
    colors.Symbol().SetColor(clNavy);
    colors.Url().SetColor(clBlue);
    colors.Url().SetStyle(fsUnderline);
    colors.Mail().SetColor(clBlue);
    colors.Reserve().SetColor(clBlue);
    colors.Reserve().SetStyle(fsBold);
    TStringList words;
    for (const char* w : {"break", "case", "char", "const", "continue", "default", "do", "double", "else", "enum",
                          "extern", "float", "for", "goto", "if", "include", "int", "long", "return", "short",
                          "signed", "sizeof", "static", "struct", "switch", "typedef", "union", "unsigned", "void",
                          "while", "define"})
        words.Add(w);
    Editor.SetReserveWordList(words);
}

} // namespace

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
    ApplyStandInLook(FMain->Editor());
    FSplitter->addWidget(FMain);
}

TEditorWidget* TEditorFrame::CreateSplit()
{
    if (FSecond) return nullptr;
    FSecond = new TEditorWidget(FSplitter);
    TEditor& first = MainEditor();
    TEditor& second = FSecond->Editor();
    ApplyStandInLook(second);
    second.SetReadOnly(first.ReadOnly());
    second.ShareList(&first);
    second.SetModified(first.Modified());
    second.SetTopRow(first.TopRow());
    FSplitter->addWidget(FSecond);
    const int half = std::max(1, FSplitter->height() / 2);
    FSplitter->setSizes({FSplitter->height() - half, half});
    return FSecond;
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
