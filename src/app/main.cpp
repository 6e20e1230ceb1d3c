// QxEditor: the editor program. Until the main window is built this shows the files named on the
// command line, each in an editing control (a tab per file), read as Shift-JIS bytes.

#include "editor/EditorControl.h"
#include "editor/EditorFountain.h"
#include "editor/qt/EditorWidget.h"
#include "platform/Cp932.h"

#include <QApplication>
#include <QMainWindow>
#include <QTabWidget>

#include <cstdio>
#include <exception>
#include <string>

namespace {

// The look of an editor environment, until the environments are read from their files.
void ApplyDefaultLook(qx::TEditor& Editor)
{
    using namespace qx;
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

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName("QxEditor");
    QMainWindow window;
    window.setObjectName("QxEditorMain");
    window.setWindowTitle("QxEditor");
    window.resize(1000, 700);

    auto* tabs = new QTabWidget(&window);
    tabs->setObjectName("PageControl1");
    const QStringList files = QApplication::arguments().mid(1);
    for (qsizetype i = 0; i < std::max<qsizetype>(1, files.size()); ++i) {
        auto* host = new qx::TEditorWidget(tabs);
        ApplyDefaultLook(host->Editor());
        QString title = QString::fromUtf8("無題");
        if (i < files.size()) {
            title = files[i];
            try {
                host->Editor().Lines().LoadFromFile(files[i].toStdString());
            } catch (const std::exception& e) {
                std::fprintf(stderr, "QxEditor: %s\n", e.what());
            }
        }
        tabs->addTab(host, title);
    }
    window.setCentralWidget(tabs);
    window.show();
    if (auto* first = tabs->currentWidget()) first->setFocus();
    return app.exec();
}
