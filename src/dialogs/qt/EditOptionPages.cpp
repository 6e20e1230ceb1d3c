#include "dialogs/qt/EditOptionPages.h"

#include "dialogs/EditOptionRules.h"
#include "documents/FileDialogs.h"
#include "documents/MessageDialog.h"
#include "editor/qt/FontResolver.h"
#include "dialogs/qt/ColorConbo.h"
#include "dialogs/qt/EditOptionDialog.h"
#include "platform/Cp932.h"
#include "platform/qt/QtColor.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFontDatabase>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QVBoxLayout>

#include <algorithm>

namespace qx {

namespace {

QString U(std::string_view Utf8) { return QString::fromUtf8(Utf8.data(), static_cast<qsizetype>(Utf8.size())); }
QString S(const std::string& Sjis) { return QString::fromStdString(Cp932ToUtf8(Sjis)); }
std::string ToSjis(const QString& Text) { return Utf8ToCp932(Text.toStdString()); }

using TEnabled = TPageBinder::TEnabled;

// The editor pages edit the record's Shift-JIS texts, and only as the user types; Enter in a page
// always means OK.
class TPageBuilder : public TPageBinder {
public:
    TPageBuilder(TEditOptionPage& Page, TEditOptionContext& Context)
        : TPageBinder(Page, Context.OnError, Context.Dialogs, {true, true, false}), C(Context), R(Context.Model.Record)
    {
        Layout()->setAlignment(Qt::AlignTop);
    }

    TEditOptionContext& C;
    TEditorEnvironment& R;
};

void BasicPage(TPageBuilder& B)
{
    TEditorEnvironment& r = B.R;
    B.Row();
    B.Label("文字数：");
    auto* tabs = B.Add(new QComboBox(B.P), "ComboBox1");
    for (const char* width : {"2", "4", "6", "8"}) tabs->addItem(U(width));
    // A width the list lacks (say 3) shows no item and stays until one is chosen.
    B.P->AddLoader([tabs, &r] {
        const QSignalBlocker blocker(tabs);
        tabs->setCurrentIndex(tabs->findText(QString::number(r.TabSpaceCount)));
    });
    QObject::connect(tabs, &QComboBox::activated, B.P, [change = B.Changer(), tabs, &r](int) {
        change([&] { r.TabSpaceCount = tabs->currentText().toInt(); });
    });
    B.End();
    B.Check("SoftTabCheckBox", "タブをスペースに変換して挿入", r.SoftTab);
    B.Check("AutoIndentCheckBox", "オートインデントモード", r.AutoIndent);
    B.Check("TabIndentCheckBox", "タブ文字を使用", r.TabIndent);
    B.Check("DragEditCheckBox", "ドラッグアンドドロップ編集モード", r.DragEdit);
    B.Check("RowSelectCheckBox", "左マージンクリックによる行選択", r.RowSelect);
    B.Check("EditImeOnCheckBox", "かな漢字変換機能ON", r.EditImeOn);
    B.Check("TabKeyIndentCheckBox", "タブキーによるインデント編集モード", r.TabKeyIndent);

    B.Group(" 拡張子 ");
    B.Row();
    auto* list = B.Add(new QListWidget(B.P), "ExtListBox");
    list->setMaximumHeight(120);
    B.P->AddLoader([list, &r] {
        const QSignalBlocker blocker(list);
        const int row = list->currentRow();
        list->clear();
        for (const std::string& pattern : r.FileExt) list->addItem(S(pattern));
        list->setCurrentRow(std::min(row, list->count() - 1));
    });
    TPrompter& prompter = B.C.Model.Prompter();
    B.Button("Button1", "追加", [&prompter, &r] {
        std::string answer;
        if (prompter.InputQuery("拡張子の追加", "追加する拡張子：", answer)) AddExtension(r, answer, prompter);
    });
    B.Button("Button2", "削除", [list, &r] { DeleteExtension(r, list->currentRow()); });
    B.End();
    B.End();
}

void DisplayPage1(TPageBuilder& B)
{
    TEditorEnvironment& r = B.R;
    // The two halves of the scroll-bar type: 1 both, 2 vertical, 3 horizontal, 4 none.
    const auto vertical = [&r] { return r.ScrollBarsType == 1 || r.ScrollBarsType == 2; };
    const auto horizontal = [&r] { return r.ScrollBarsType == 1 || r.ScrollBarsType == 3; };
    const auto store = [&r](bool V, bool H) { r.ScrollBarsType = V ? (H ? 1 : 2) : (H ? 3 : 4); };
    B.Group(" スクロールバー ");
    for (const bool isVertical : {true, false}) {
        auto* box = B.Add(new QCheckBox(isVertical ? U("縦スクロールバー") : U("横スクロールバー"), B.P),
                          isVertical ? "VerScrlCheck" : "HorScrlCheck");
        B.P->AddLoader([box, isVertical, vertical, horizontal] {
            const QSignalBlocker blocker(box);
            box->setChecked(isVertical ? vertical() : horizontal());
        });
        QObject::connect(box, &QCheckBox::clicked, B.P, [change = B.Changer(), isVertical, vertical, horizontal, store](bool On) {
            change([&] { store(isVertical ? On : vertical(), isVertical ? horizontal() : On); });
        });
    }
    B.End();
    B.Group(" マージン ");
    const std::pair<const char*, const char*> margins[] = {{"左：", "LeftMarginEdit"}, {"上：", "TopMarginEdit"},
                                                           {"行間：", "LineMarginEdit"}, {"文字間：", "CharMarginEdit"}};
    int* fields[] = {&r.LeftMargin, &r.TopMargin, &r.LineMargin, &r.CharMargin};
    for (int i = 0; i < 4; ++i) {
        B.Row();
        B.Label(margins[i].first);
        B.Spin(margins[i].second, 0, 100, *fields[i]);
        B.End();
    }
    B.End();
    B.Check("TopEOFCheck", "先頭行に[EOF]が来ることを許可する", r.TopEOF);
    B.Check("MarkBarCheck", "ジャンプマークを表示する", r.MarkBar);
    B.Check("SelLineAllCheck", "選択時、改行以降も反転する", r.SelLineAll);
}

void DisplayPage2(TPageBuilder& B)
{
    TEditorEnvironment& r = B.R;
    B.Group(" マーク ");
    B.Check("RetMarkCheck", "改行マーク", r.ReturnMark);
    B.Check("EOFMarkCheck", "[EOF]マーク", r.EofMark);
    B.Check("TabMarkCheck", "Tabマーク", r.TabMark);
    B.Check("DBSpaceMarkCheck", "全角空白マーク", r.DSpaceMark);
    B.Check("SpaceMarkCheck", "半角空白マーク", r.SSpaceMark);
    B.Check("WrapMarkCheck", "折り返しマーク", r.WrapMark);
    B.End();
    B.Check("UnderLineCheck", "現在行にアンダーラインを表示する", r.Underline);
    B.Check("CurLineHilightedCheckBox", "現在行の強調表示を行なう", r.CurLineHilighted);
    B.Group(" カラムライン ");
    bool* shown[] = {&r.ColumnLine1, &r.ColumnLine2, &r.ColumnLine3};
    int* columns[] = {&r.ColumnLineByte1, &r.ColumnLineByte2, &r.ColumnLineByte3};
    static const char* const checks[] = {"ColumnLineCheck1", "ColumnLineCheck2", "ColumnLineCheck3"};
    static const char* const captions[] = {"カラムライン 1", "カラムライン 2", "カラムライン 3"};
    static const char* const spins[] = {"ColumnLineEdit1", "ColumnLineEdit2", "ColumnLineEdit3"};
    for (int i = 0; i < 3; ++i) {
        B.Row();
        B.Check(checks[i], captions[i], *shown[i]);
        B.Label("表示位置：");
        B.Spin(spins[i], 0, 250, *columns[i]);
        B.Label("文字目");
        B.End();
    }
    B.End();
}

int CharsetOfFace(const QString& Face, int Stored)
{
    if (!QFontDatabase::families().contains(Face)) return Stored;  // not installed: keep what is stored
    return QFontDatabase::writingSystems(Face).contains(QFontDatabase::Japanese) ? kCharsetShiftJis : kCharsetAnsi;
}

QFont PreviewFont(const TEditorEnvironment& R)
{
    QFont font(TFontResolver::ResolveFamily(R.FontName));
    font.setPointSize(std::max(R.FontSize, 1));
    font.setBold(R.FontStyle.Contains(fsBold));
    font.setItalic(R.FontStyle.Contains(fsItalic));
    font.setUnderline(R.FontStyle.Contains(fsUnderline));
    font.setStrikeOut(R.FontStyle.Contains(fsStrikeOut));
    return font;
}

void FontPage(TPageBuilder& B)
{
    TEditorEnvironment& r = B.R;
    std::vector<std::string> installed;
    for (const QString& family : QFontDatabase::families())
        if (TFontResolver::IsGridFamily(family)) installed.push_back(family.toStdString());
    B.Row();
    auto* faces = B.Add(new QListWidget(B.P), "ListBox1");
    faces->setMinimumWidth(260);
    auto* sizes = B.Add(new QListWidget(B.P), "ListBox2");
    sizes->setMaximumWidth(60);
    for (int size = 8; size <= 20; ++size) sizes->addItem(QString::number(size));
    B.End();
    B.Row();
    B.Label("サイズ：");
    auto* sizeEdit = B.Add(new QLineEdit(B.P), "Edit1");
    sizeEdit->setMaximumWidth(60);
    B.Label("文字セット：");
    auto* charset = B.Add(new QLabel(B.P), "PanelCharset");
    B.End();
    auto* preview = B.Add(new QLabel(U("AB ab あぁ アァ 亜宇 123"), B.P), "EditLabel");
    preview->setMinimumHeight(60);
    preview->setFrameShape(QFrame::StyledPanel);

    B.P->AddLoader([faces, sizes, sizeEdit, charset, preview, installed, &r] {
        const QSignalBlocker faceBlocker(faces), sizeBlocker(sizes), editBlocker(sizeEdit);
        // The stored face is listed even when it is not installed here, and stays chosen.
        faces->clear();
        for (const std::string& face : FontFaceList(installed, r)) faces->addItem(U(face));
        const QList<QListWidgetItem*> stored = faces->findItems(S(r.FontName), Qt::MatchExactly);
        faces->setCurrentItem(stored.isEmpty() ? nullptr : stored.front());
        const QList<QListWidgetItem*> size = sizes->findItems(QString::number(r.FontSize), Qt::MatchExactly);
        sizes->setCurrentItem(size.isEmpty() ? nullptr : size.front());
        // What the user types stays while it stands for the size (an unreadable text stands for 11).
        const QString typed = sizeEdit->text();
        if (FontSizeOfText(typed.toStdString()) != r.FontSize || (typed.isEmpty() && !sizeEdit->hasFocus()))
            sizeEdit->setText(QString::number(r.FontSize));
        if (const std::string_view name = CharsetName(r.FontCharset); !name.empty()) charset->setText(U(name));
        preview->setFont(PreviewFont(r));
    });
    QObject::connect(faces, &QListWidget::currentTextChanged, B.P, [change = B.Changer(), &r](const QString& Face) {
        if (Face.isEmpty()) return;
        change([&] {
            r.FontCharset = CharsetOfFace(Face, r.FontCharset);
            r.FontName = ToSjis(Face);
        });
    });
    QObject::connect(sizes, &QListWidget::currentTextChanged, B.P, [change = B.Changer(), &r](const QString& Size) {
        if (!Size.isEmpty()) change([&] { r.FontSize = FontSizeOfText(Size.toStdString()); });
    });
    // A size out of range is never stored: when the user leaves the box with one, the nearest size of
    // the range takes its place and a message says so.
    QObject::connect(sizeEdit, &QLineEdit::textEdited, B.P, [change = B.Changer(), &r](const QString& Text) {
        const int size = FontSizeOfText(Text.toStdString());
        if (FontSizeFits(size)) change([&] { r.FontSize = size; });
    });
    QObject::connect(sizeEdit, &QLineEdit::editingFinished, B.P,
                     [sizeEdit, change = B.Changer(), &prompter = B.C.Model.Prompter(), &r] {
        const int typed = FontSizeOfText(sizeEdit->text().toStdString());
        if (FontSizeFits(typed)) return;
        const int size = std::clamp(typed, kMinFontSize, kMaxFontSize);
        sizeEdit->setText(QString::number(size));
        change([&] { r.FontSize = size; });
        ShowMessageDialog(prompter, FontSizeRangeMessage, "", TMsgDlgType::mtWarning, {TMsgDlgBtn::mbOK});
    });
    B.Button("Button5", "ﾃﾞﾌｫﾙﾄ", [&r] { SetDefaultFont(r); });
}

void ColorPage(TPageBuilder& B)
{
    TEditorEnvironment& r = B.R;
    auto element = std::make_shared<int>(0);
    const auto El = [element] { return kColorElements[*element]; };
    B.Row();
    auto* list = B.Add(new QListWidget(B.P), "ListBox1");
    list->setMaximumWidth(170);
    for (const TColorElement& e : kColorElements) list->addItem(U(e.Name));
    B.P->AddLoader([list, element] {
        const QSignalBlocker blocker(list);
        list->setCurrentRow(*element);
    });
    // The side is a column of its own within the row.
    auto* side = new QWidget(B.P);
    B.Add(side, "ColorSide");
    QObject::connect(list, &QListWidget::currentRowChanged, B.P, [change = B.Changer(), element](int Row) {
        if (Row >= 0) change([&] { *element = Row; });
    });

    auto* sideLayout = new QVBoxLayout(side);
    sideLayout->setAlignment(Qt::AlignTop);
    B.Into(sideLayout);
    B.Row();
    B.Label("文字色：");
    B.Color("QxColorConbo1", [&r, El]() -> TColor& { return r.*El().Text; });
    B.End();
    B.Row();
    B.Label("背景色：");
    // The marks have no background of their own: the box shows the text's and is disabled.
    B.Color(
        "QxColorConbo2", [&r, El]() -> TColor& { return El().Back ? r.*El().Back : r.EditNorStrColor2; },
        [El] { return El().Back != nullptr; });
    B.End();
    const TPageBuilder::TChange change = B.Changer();
    const auto styleBox = [&B, &r, El, element, change](const char* Name, const char* Caption, TFontStyle Style) {
        auto* box = B.Add(new QCheckBox(U(Caption), B.P), Name);
        B.P->AddLoader([box, &r, El, Style] {
            const QSignalBlocker blocker(box);
            box->setEnabled(El().Style != nullptr);
            box->setChecked(El().Style && (r.*El().Style).Contains(Style));
        });
        QObject::connect(box, &QCheckBox::clicked, B.P, [change, &r, element, Style](bool On) {
            change([&] { SetElementStyle(r, *element, Style, On); });
        });
    };
    styleBox("BoldCheckBox", "太字", fsBold);
    styleBox("ULineCheckBox", "下線", fsUnderline);
    auto* dotted = B.Add(new QCheckBox(U("点線"), B.P), "DotStyleCheckBox");
    B.P->AddLoader([dotted, &r, El] {
        const QSignalBlocker blocker(dotted);
        dotted->setEnabled(El().Dotted != nullptr);
        dotted->setChecked(El().Dotted && r.*El().Dotted != 0);
    });
    QObject::connect(dotted, &QCheckBox::clicked, B.P, [change, &r, El](bool On) {
        change([&] {
            if (El().Dotted) r.*El().Dotted = On ? 1 : 0;
        });
    });

    auto* preview = B.Add(new QLabel(U("AaBbCc あいう 亜宇"), B.P), "PreviewLabel");
    preview->setAutoFillBackground(true);
    preview->setMinimumSize(220, 48);
    preview->setAlignment(Qt::AlignCenter);
    B.P->AddLoader([preview, &r, El, element] {
        QPalette palette = preview->palette();
        palette.setColor(QPalette::WindowText, ToQColor(r.*El().Text));
        palette.setColor(QPalette::Window, ToQColor(ElementBackground(r, *element)));
        preview->setPalette(palette);
        QFont font = preview->font();
        const TFontStyles style = El().Style ? r.*El().Style : TFontStyles();
        font.setBold(style.Contains(fsBold));
        font.setUnderline(style.Contains(fsUnderline));
        preview->setFont(font);
    });
    B.End();  // the side
    B.End();  // the row of the list and the side

    B.Row();
    TEditOptionContext& c = B.C;
    B.Button("Button1", "背景色の統一", [&c, &r, element] {
        if (UnifyBackgrounds(r, c.Model.Prompter(), c.Beep)) *element = 0;
    });
    B.Button("Button5", "ﾃﾞﾌｫﾙﾄ", [&r, element] {
        ResetColors(r);
        *element = 0;
    });
    B.End();
}

void WordPage(TPageBuilder& B)
{
    TEditorEnvironment& r = B.R;
    const TEnabled on = [&r] { return r.Hilight; };
    auto list = std::make_shared<int>(0);
    auto row = std::make_shared<int>(-1);
    B.Check("HilightCheckBox", "強調表示を行う", r.Hilight);
    B.Row();
    B.Combo("ComboBox1", {"強調文字列 1", "強調文字列 2", "強調文字列 3"}, *list, on);
    B.End();
    B.Row();
    auto* words = B.Add(new QListWidget(B.P), "ListBox1", on);
    B.P->AddLoader([words, &r, list, row] {
        const QSignalBlocker blocker(words);
        words->clear();
        for (const std::string& word : r.HilightWords[*list]) words->addItem(S(word));
        *row = std::min(*row, words->count() - 1);
        words->setCurrentRow(*row);
    });
    QObject::connect(words, &QListWidget::currentRowChanged, B.P, [change = B.Changer(), row](int Row) { change([&] { *row = Row; }); });
    B.End();
    const auto selected = [row] { return *row >= 0; };
    TPrompter& prompter = B.C.Model.Prompter();
    const auto ask = [&prompter](const char* Caption, std::string& Word) {
        return prompter.InputQuery(Caption, "強調文字列：", Word);
    };
    B.Row();
    B.Button("Button7", "新規登録...", [&r, list, row, ask] {
        std::string word;
        if (ask("新規登録", word)) *row = AddHilightWord(r, *list, Utf8ToCp932(word));
    }, on);
    B.Button("Button9", "変更...", [&r, list, row, ask] {
        std::string word = Cp932ToUtf8(r.HilightWords[*list][*row]);
        if (ask("変更", word)) *row = ChangeHilightWord(r, *list, *row, Utf8ToCp932(word));
    }, [on, selected] { return on() && selected(); });
    B.Button("Button8", "削除", [&r, list, row] { *row = DeleteHilightWord(r, *list, *row); },
             [on, selected] { return on() && selected(); });
    B.Button("Button5", "一つ上へ", [&r, list, row] { *row = MoveHilightWord(r, *list, *row, -1); },
             [on, row] { return on() && *row > 0; });
    B.Button("Button6", "一つ下へ", [&r, list, row] { *row = MoveHilightWord(r, *list, *row, 1); },
             [on, &r, list, row] { return on() && *row >= 0 && *row + 1 < static_cast<int>(r.HilightWords[*list].size()); });
    B.End();
    B.Row();
    B.Button("Button4", "全削除", [&r, row] {
        ClearHilightWords(r);
        *row = -1;
    }, on);
    TEditOptionContext& c = B.C;
    const auto fileRequest = [](bool Save) {
        TFileDialogRequest request;
        request.Save = Save;
        request.Filter = "QxEditor強調表示定義 (*.qxh)|*.qxh";
        request.DefaultExt = "qxh";
        return request;
    };
    B.Button("Button1", "読み込み...", [&c, &r, list, row, fileRequest] {
        const TFileDialogResult chosen = c.Dialogs.Execute(fileRequest(false));
        if (!chosen.Accepted || chosen.Files.empty()) return;
        if (!LoadHilightFile(chosen.Files.front(), r.HilightWords)) {
            ShowMessageDialog(c.Model.Prompter(), chosen.Files.front() + "\nファイルを読み込めませんでした。", "",
                              TMsgDlgType::mtError, {TMsgDlgBtn::mbOK});
            return;
        }
        *list = 0;
        *row = r.HilightWords[0].empty() ? -1 : 0;
    }, on);
    B.Button("Button2", "保存...", [&c, &r, fileRequest] {
        const TFileDialogResult chosen = c.Dialogs.Execute(fileRequest(true));
        if (chosen.Accepted && !chosen.Files.empty() && !SaveHilightFile(chosen.Files.front(), r.HilightWords))
            ShowMessageDialog(c.Model.Prompter(), chosen.Files.front() + "\nファイルを保存できませんでした。", "",
                              TMsgDlgType::mtError, {TMsgDlgBtn::mbOK});
    }, on);
    B.End();
}

void BracketPage(TPageBuilder& B)
{
    TEditorEnvironment& r = B.R;
    for (int set = 1; set <= 2; ++set) {
        const bool first = set == 1;
        B.Group(first ? " 設定 1 " : " 設定 2 ");
        B.Label(first ? "コメントとして認識する括弧 1：" : "コメントとして認識する括弧 2：");
        B.Row();
        B.Edit(first ? "LeftBracketEdit" : "LeftBracketEdit2", first ? r.LeftBracket1 : r.LeftBracket2);
        B.Edit(first ? "RightBracketEdit" : "RightBracketEdit2", first ? r.RightBracket1 : r.RightBracket2);
        B.End();
        B.Label(first ? "文字定数として認識する文字 1：" : "文字定数として認識する文字 2：");
        B.Edit(first ? "QuotationEdit" : "QuotationEdit2", first ? r.Quotation1 : r.Quotation2);
        B.Label(first ? "コメント行として認識する文字 1：" : "コメント行として認識する文字 2：");
        B.Edit(first ? "CommentEdit" : "CommentEdit2", first ? r.CommentLineChar1 : r.CommentLineChar2);
        B.End();
    }
    B.Label("※ 文字定数として認識する文字は半角の1文字で指定してください。");
}

void WrapPage(TPageBuilder& B)
{
    TEditorEnvironment& r = B.R;
    B.Group(" 折り返し ");
    static const char* const names[] = {"WrapRadioButton1", "WrapRadioButton2", "WrapRadioButton3"};
    static const char* const captions[] = {"折り返さない", "指定文字数で折り返す", "ウインドウの右端で折り返す"};
    for (int mode = 0; mode < 3; ++mode) B.Radio(names[mode], captions[mode], r.WordWrap, mode);
    B.Row();
    B.Label("折り返し文字数：");
    B.Spin("WrapByteEdit", 20, 2000, r.WrapByte, [&r] { return r.WordWrap == 1; });
    TEditOptionContext& c = B.C;
    B.Button("Button1", "ウインドウの幅に合わせる", [&c, &r] {
        if (const int columns = c.VisibleColumns ? c.VisibleColumns() : 0; columns > 0) r.WrapByte = WrapByteForWindow(columns);
    });
    B.End();
    B.End();
    B.Check("WordBreakCheckBox", "英文ワードラップ", r.WordBreak);
    B.Check("FollowRetMarkCheckBox", "改行文字のぶら下げ", r.FollowReturnMark);
    B.Check("WrapLineVisibleCheckBox", "折り返しラインを表示する", r.WrapLine);
    B.ColorRow("ライン色：", "WrapLineColorConbo", r.WrapLineColor);
}

void KinsokuPage(TPageBuilder& B)
{
    TEditorEnvironment& r = B.R;
    B.RadioGroup("KinsokuRadioGroup", " 禁則処理の方法 ", {"追い出し", "句読点のぶら下げ", "追い出し＋句読点のぶら下げ"},
            r.WrapStrStyle);
    B.Row();
    B.Label("禁則処理レベル：");
    auto* level = B.Add(new QComboBox(B.P), "KinsokuComboBox");
    for (const char* item : {"なし", "レベル 1", "レベル 2", "カスタム"}) level->addItem(U(item));
    B.P->AddLoader([level, &r] {
        const QSignalBlocker blocker(level);
        level->setCurrentIndex(r.WrapStrLevel >= 0 && r.WrapStrLevel <= 3 ? r.WrapStrLevel : -1);
    });
    QObject::connect(level, &QComboBox::activated, B.P, [change = B.Changer(), &r](int Index) { change([&] { SetKinsokuLevel(r, Index); }); });
    B.End();
    // The boxes show the level's rules; only the custom level's are the user's to edit.
    const TEnabled custom = [&r] { return r.WrapStrLevel == 3; };
    static const char* const captions[] = {"行頭禁則文字：", "行末禁則文字：", "句読点文字："};
    static const char* const names[] = {"Edit1", "Edit2", "Edit3"};
    for (int which = 0; which < 3; ++which) {
        B.Label(captions[which]);
        QLineEdit* edit = B.Edit(
            names[which],
            [&r, which] {
                const TKinsokuStrings texts = KinsokuTexts(r);
                return which == 0 ? texts.Follow : which == 1 ? texts.Lead : texts.Punctuation;
            },
            [&r, which](const std::string& Text) { SetKinsokuText(r, which, Text); });
        B.P->AddLoader([edit, custom] { edit->setReadOnly(!custom()); });
    }
}

void BarPage(TPageBuilder& B, bool Ruler)
{
    TEditorEnvironment& r = B.R;
    if (Ruler) {
        B.Check("ColBarShowCheckBox", "ルーラを表示", r.ColRuler);
        B.ColorRow("前景色：", "ColFontColorConbo", r.ColFontColor);
        B.ColorRow("背景色：", "ColBackColorConbo", r.ColBackGroundColor);
        B.ColorRow("マーク色：", "ColMarkColorConbo", r.ColMarkColor);
        B.RadioGroup(
            "ColBarGaugeRangeRadioGroup", " 目盛 ", {"10単位", "8単位"}, [&r] { return r.ColBarGaugeRange == 1 ? 1 : 0; },
            [&r](int V) { r.ColBarGaugeRange = V; });
        B.Check("ColBarEdgeCheckBox", "エッジ効果", r.ColBarEdge);
        return;
    }
    B.Check("RowBarShowCheckBox", "行番号を表示", r.RowRuler);
    B.ColorRow("前景色：", "RowFontColorConbo", r.RowFontColor);
    B.ColorRow("背景色：", "RowBackColorConbo", r.RowBackGroundColor);
    B.ColorRow("マーク色：", "RowMarkColorConbo", r.RowMarkColor);
    B.Check("RowBarEdgeCheckBox", "エッジ効果", r.RowBarEdge);
    B.Check("RowByLogCheckBox", "行を論理行で取得する", r.LogRowBar);
    B.Check("RowMarkCheckBox", "現在行を強調表示する", r.MarkedRow);
    B.Check("ZeroBaseCheckBox", "先頭行を 0 行で表示する", r.RowBarZeroBase);
    B.Check("ZeroLeadCheckBox", "桁に 0 を表示する", r.RowBarZeroLead);
}

void LinkPage(TPageBuilder& B)
{
    TEditorEnvironment& r = B.R;
    struct TLink {
        const char* Check;
        const char* Caption;
        bool& On;
        const char* Combo;
        int& Mode;
        const char* Opens;  // what an open starts
    };
    const TLink links[] = {
        {"MailCheckBox", "メールアドレスと思われる文字列を認識させる", r.CheckMailAddress, "MailComboBox", r.ModeMailAddress,
         "メーラを起動"},
        {"URLCheckBox", "URLと思われる文字列を認識させる", r.CheckURL, "URLComboBox", r.ModeURL, "ブラウザを起動"},
        {"FileCheckBox", "ファイル名と思われる文字列を認識させる", r.CheckFilename, "FileComboBox", r.ModeFilename,
         "ファイルを開く"},
    };
    for (const TLink& link : links) {
        B.Check(link.Check, link.Caption, link.On);
        bool& on = link.On;
        int& mode = link.Mode;
        auto* combo = B.Add(new QComboBox(B.P), link.Combo, [&on] { return on; });
        const QString opens = U(link.Opens);
        for (const QString& item : {U("なし"), U("シングルクリックで選択"), U("シングルクリックで") + opens,
                                    U("ダブルクリックで選択"), U("ダブルクリックで") + opens,
                                    U("シングルクリックで選択、ダブルクリックで") + opens})
            combo->addItem(item);
        B.P->AddLoader([combo, &mode] {
            const QSignalBlocker blocker(combo);
            combo->setCurrentIndex(mode >= 0 && mode < combo->count() ? mode : -1);
        });
        QObject::connect(combo, &QComboBox::activated, B.P, [change = B.Changer(), &mode](int Index) { change([&] { mode = Index; }); });
    }
}

void CaretPage(TPageBuilder& B)
{
    TEditorEnvironment& r = B.R;
    B.RadioGroup(
        "CaretStyleRadioGroup", " カーソル（キャレット） ", {"デフォルト", "BRIEF 風", "DOS 風"}, [&r] { return r.Caret; },
        [&r](int V) { r.Caret = V; });
    B.Row();
    B.RadioGroup("RadioGroup9", " 挿入後のカーソル位置 ", {"先頭のまま", "最後に移動"}, r.InsertCurPos);
    B.RadioGroup("RadioGroup8", " 貼り付け後のカーソル位置 ", {"先頭のまま", "最後に移動"}, r.PasteCurPos);
    B.End();
    B.RadioGroup(
        "CaretKeepRadioGroup", " カーソル移動時の動作 ", {"メモ帳 風", "WordPad 風"}, [&r] { return r.CaretKeep ? 1 : 0; },
        [&r](int V) { r.CaretKeep = V == 1; });
    B.Check("CaretLockScrollCheckBox", "縦スクロール時、カーソル（キャレット）を追従する", r.CaretLockScroll);
    B.Check("CaretNextLineCheckBox", "「行末<->次の行の行頭」移動の禁止", r.UnNextLine);
    B.Check("CaretBackSpaceUnIndentCheckBox", "バックスペースアンインデント機能の使用", r.BkSpUnIndent);
    B.Check("FreeCaretCheckBox", "フリーカーソルモード", r.FreeCaret);
}

void LockPage(TPageBuilder& B)
{
    TEditorEnvironment& r = B.R;
    B.RadioGroup("FileLockModeRadioGroup", " ファイルの排他制御 ", {"しない", "書込み禁止", "読み書き禁止"}, r.FileLockMode);
    B.Check("FileTimeStampCheckBox", "ファイルのタイムスタンプを時々チェックする", r.FileTimeStampCheck,
            [&r] { return r.FileLockMode == 0; });
}

void BackupPage(TPageBuilder& B)
{
    TEditorEnvironment& r = B.R;
    const TEnabled same = [&r] { return r.BackUp1; };
    const TEnabled folder = [&r] { return r.BackUp2; };
    B.Check("CheckBoxBackUp", "バックアップファイルを同じフォルダに作成(&B)", r.BackUp1);
    B.Row();
    B.Label("世代管理(&F)：");
    B.Spin("SpinEditBackUpFamily", 1, 10, r.BackUpFamily, same);
    B.End();
    B.Check("CheckBoxBackUp2", "バックアップファイルを指定フォルダに保存(&S)", r.BackUp2);
    B.Label("バックアップフォルダ(&D)：");
    B.Row();
    QLineEdit* dir = B.PathEdit("EditBackUpDir", r.BackUpDir, folder);
    dir->setMinimumWidth(300);
    B.FolderButton("Button1", r.BackUpDir, folder);
    B.End();
    B.Check("CheckBoxBackUpUseTime", "ファイル名称に日付を使用して世代管理を行う(&T)", r.BackUpUseTime, folder);
}

void AutoSavePage(TPageBuilder& B)
{
    TEditorEnvironment& r = B.R;
    B.Check("CheckBoxAutoSave", "ファイルの自動保存を行う(&A)", r.AutoSave);
    B.Row();
    B.Label("保存間隔(&T)：");
    B.Spin("SpinEditSaveTime", 0, 60, r.AutoSaveTime, [&r] { return r.AutoSave; });
    B.Label("分毎");
    B.End();
}

} // namespace

TEditOptionPage* CreateEditOptionPage(int Index, TEditOptionContext& Context, QWidget* Parent)
{
    struct TPage {
        const char* Class;
        void (*Build)(TPageBuilder&);
    };
    static const TPage pages[kEditOptionPageCount] = {
        {"Toptionpanel8", BasicPage},
        {"Toptionpanel10", DisplayPage1},
        {"Toptionpanel15", DisplayPage2},
        {"Toptionpanel9", FontPage},
        {"Toptionpanel35", ColorPage},
        {"Toptionpanel38", WordPage},
        {"Toptionpanel39", BracketPage},
        {"Toptionpanel29", WrapPage},
        {"Toptionpanel30", KinsokuPage},
        {"Toptionpanel34", [](TPageBuilder& B) { BarPage(B, true); }},
        {"Toptionpanel37", [](TPageBuilder& B) { BarPage(B, false); }},
        {"Toptionpanel33", LinkPage},
        {"Toptionpanel14", CaretPage},
        {"Toptionpanel7", LockPage},
        {"Toptionpanel12", BackupPage},
        {"Toptionpanel17", AutoSavePage},
    };
    const TPage& page = pages[Index];
    return BuildBoundPage<TEditOptionPage, TPageBuilder>(page.Class, Context, Parent, page.Build);
}

QIcon EditOptionPageIcon(int Index)
{
    // A tile of its own colour for each page with the first letter of its caption.
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(40, 40, 80), 1));
    painter.setBrush(QColor::fromHsv((Index * 360 / kEditOptionPageCount) % 360, 90, 235));
    painter.drawRoundedRect(QRectF(1.5, 1.5, 29, 29), 6, 6);
    QFont font = painter.font();
    font.setPixelSize(17);
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(QColor(20, 20, 60));
    painter.drawText(QRect(0, 0, 32, 32), Qt::AlignCenter, U(kEditOptionPageCaptions[Index]).trimmed().left(1));
    return QIcon(pixmap);
}

} // namespace qx
