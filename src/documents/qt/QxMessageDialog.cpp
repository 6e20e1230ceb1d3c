#include "documents/qt/QxMessageDialog.h"

#include "documents/MessageDialog.h"
#include "platform/qt/ProgramIcon.h"

#include <QApplication>
#include <QDialog>
#include <QGuiApplication>
#include <QInputDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QStyle>

namespace qx {

namespace {

QString Q(const std::string& Text) { return QString::fromUtf8(Text.data(), static_cast<int>(Text.size())); }

constexpr int kMargin = 16;
constexpr int kIconSize = 32;

QString ButtonCaption(TMsgDlgBtn Button, const std::string& AllCaption)
{
    switch (Button) {
    case TMsgDlgBtn::mbYes: return QStringLiteral("はい(&Y)");
    case TMsgDlgBtn::mbNo: return QStringLiteral("いいえ(&N)");
    case TMsgDlgBtn::mbOK: return QStringLiteral("OK");
    case TMsgDlgBtn::mbCancel: return QStringLiteral("キャンセル");
    case TMsgDlgBtn::mbAbort: return QStringLiteral("中止(&A)");
    case TMsgDlgBtn::mbRetry: return QStringLiteral("再試行(&R)");
    case TMsgDlgBtn::mbIgnore: return QStringLiteral("無視(&I)");
    case TMsgDlgBtn::mbAll: return AllCaption.empty() ? QStringLiteral("すべて(&A)") : Q(AllCaption);
    case TMsgDlgBtn::mbNoToAll: return QStringLiteral("すべていいえ(&O)");
    case TMsgDlgBtn::mbYesToAll: return QStringLiteral("すべてはい(&L)");
    case TMsgDlgBtn::mbHelp: return QStringLiteral("ヘルプ(&H)");
    }
    return {};
}

const char* ButtonName(TMsgDlgBtn Button)
{
    static const char* const Names[] = {"Yes", "No", "OK", "Cancel", "Abort", "Retry",
                                        "Ignore", "All", "NoToAll", "YesToAll", "Help"};
    return Names[static_cast<int>(Button)];
}

QStyle::StandardPixmap KindIcon(TMsgDlgType Kind)
{
    switch (Kind) {
    case TMsgDlgType::mtError: return QStyle::SP_MessageBoxCritical;
    case TMsgDlgType::mtInformation: return QStyle::SP_MessageBoxInformation;
    case TMsgDlgType::mtConfirmation: return QStyle::SP_MessageBoxQuestion;
    default: return QStyle::SP_MessageBoxWarning;
    }
}

// The letter after a caption's "&" ("はい(&Y)" gives Y); none for a caption without one.
QChar AccessLetter(const QString& Caption)
{
    for (qsizetype i = Caption.indexOf('&'); i >= 0 && i + 1 < Caption.size(); i = Caption.indexOf('&', i + 2))
        if (Caption[i + 1] != '&') return Caption[i + 1].toUpper();
    return {};
}

// Esc and the close box both reject the form, which answers Cancel. A button's letter presses it with
// or without Alt, as in the message boxes users know ("n" alone answers いいえ(&N)).
class TMessageForm : public QDialog {
public:
    using QDialog::QDialog;
    void reject() override { done(CloseBoxResult); }

protected:
    void keyPressEvent(QKeyEvent* Event) override
    {
        const QString text = Event->text();
        if (!(Event->modifiers() & (Qt::ControlModifier | Qt::MetaModifier)) && text.size() == 1 && text[0].isLetter())
            for (QPushButton* button : findChildren<QPushButton*>())
                if (AccessLetter(button->text()) == text[0].toUpper()) {
                    button->click();
                    return;
                }
        QDialog::keyPressEvent(Event);
    }
};

} // namespace

int ModalResultOf(TMsgDlgBtn Button)
{
    switch (Button) {
    case TMsgDlgBtn::mbYes: return mr::Yes;
    case TMsgDlgBtn::mbNo: return mr::No;
    case TMsgDlgBtn::mbOK: return mr::Ok;
    case TMsgDlgBtn::mbCancel: return mr::Cancel;
    case TMsgDlgBtn::mbAbort: return mr::Abort;
    case TMsgDlgBtn::mbRetry: return mr::Retry;
    case TMsgDlgBtn::mbIgnore: return mr::Ignore;
    case TMsgDlgBtn::mbAll: return mr::All;
    case TMsgDlgBtn::mbNoToAll: return mr::NoToAll;
    case TMsgDlgBtn::mbYesToAll: return mr::YesToAll;
    case TMsgDlgBtn::mbHelp: return mr::None;
    }
    return mr::None;
}

std::unique_ptr<QDialog> TQxMessageDialog::CreateDialogForm(QWidget* Parent) const
{
    auto Form = std::make_unique<TMessageForm>(Parent);
    Form->setObjectName("QxMessageForm");
    Form->setWindowTitle(Q(MessageCaption(AType, CaptionString)));
    Form->setProperty("HelpContext", HelpContext);
    Form->setModal(true);

    const bool Custom = AType == TMsgDlgType::mtCustom;
    int TextLeft = kMargin;
    if (!Custom) {
        auto* Image = new QLabel(Form.get());
        Image->setObjectName("Image");
        Image->setPixmap(Form->style()->standardIcon(KindIcon(AType)).pixmap(kIconSize, kIconSize));
        Image->setGeometry(kMargin, kMargin, kIconSize, kIconSize);
        TextLeft = kMargin + kIconSize + kMargin;
        if (VisibleIcon && !Icon.isNull()) {
            auto* Extra = new QLabel(Form.get());
            Extra->setObjectName("ProgramIcon");
            Extra->setPixmap(Icon.pixmap(kIconSize, kIconSize));
            Extra->setGeometry(kMargin, kMargin + kIconSize + 16, kIconSize, kIconSize);
        }
    }
    auto* Message = new QLabel(Q(MessageString), Form.get());
    Message->setObjectName("Message");
    Message->setTextFormat(Qt::PlainText);
    const QSize LabelSize = Message->sizeHint();
    Message->setGeometry(TextLeft, kMargin, LabelSize.width(), LabelSize.height());

    std::vector<QPushButton*> Buttons;
    bool HasDefault = false;
    for (TMsgDlgBtn B : MessageButtonOrder(AButtons)) {
        auto* Button = new QPushButton(ButtonCaption(B, AllCaption), Form.get());
        Button->setObjectName(ButtonName(B));
        const int Result = ModalResultOf(B);
        if (Result != mr::None) QObject::connect(Button, &QPushButton::clicked, Form.get(), [F = Form.get(), Result] { F->done(Result); });
        if (!HasDefault && (B == TMsgDlgBtn::mbOK || B == TMsgDlgBtn::mbYes)) {
            Button->setDefault(true);
            HasDefault = true;
        }
        Buttons.push_back(Button);
    }

    TMessageFormMetrics Metrics;
    Metrics.LabelTop = kMargin;
    Metrics.LabelWidth = TextLeft - kMargin + LabelSize.width();
    Metrics.LabelHeight = LabelSize.height();
    Metrics.ButtonCount = static_cast<int>(Buttons.size());
    int ButtonWidth = 75;
    for (QPushButton* B : Buttons) ButtonWidth = std::max(ButtonWidth, B->sizeHint().width());
    Metrics.ButtonWidth = ButtonWidth;
    Metrics.ButtonHeight = Buttons.empty() ? 0 : std::max(25, Buttons.front()->sizeHint().height());
    // A short text leaves the buttons in the form's lower part, 14 pixels above its edge.
    Metrics.ButtonTop = 102 - 14;
    const TMessageFormLayout Layout = LayoutMessageForm(Metrics);
    for (std::size_t I = 0; I < Buttons.size(); ++I)
        Buttons[I]->setGeometry(Layout.ButtonLeft[I], Layout.ButtonTop, Layout.ButtonWidth, Layout.ButtonHeight);
    Form->setFixedSize(Layout.Width, Layout.Height);
    Form->move(X < 1 ? 0 : X, Y < 1 ? 0 : Y);
    return Form;
}

int TQxMessageDialog::Execute(QWidget* Parent) const { return ShowDialog(false, Parent); }

int TQxMessageDialog::ExecutePos(QWidget* Parent) const { return ShowDialog(true, Parent); }

int TQxMessageDialog::ShowDialog(bool AtPosition, QWidget* Parent) const
{
    std::unique_ptr<QDialog> Form = CreateDialogForm(Parent);
    QScreen* Screen = QGuiApplication::primaryScreen();
    const QSize ScreenSize = Screen ? Screen->geometry().size() : QSize(0, 0);
    const TFormPosition Pos = MessageFormPosition(AtPosition, X, Y, ScreenSize.width(), ScreenSize.height(),
                                                  Form->width(), Form->height());
    Form->move(Pos.Left, Pos.Top);
    return Form->exec();
}

namespace {

// The message form of the program, with its icon unless ProgramIcon is off.
TQxMessageDialog ProgramMessageDialog(const std::string& Text, const std::string& Caption, TMsgDlgType Kind,
                                      TMsgDlgButtons Buttons, bool ProgramIcon = true)
{
    TQxMessageDialog Dialog;
    Dialog.MessageString = Text;
    Dialog.CaptionString = Caption;
    Dialog.AType = Kind;
    Dialog.AButtons = Buttons;
    Dialog.Icon = qx::ProgramIcon();
    Dialog.VisibleIcon = ProgramIcon && !Dialog.Icon.isNull();
    return Dialog;
}

} // namespace

std::unique_ptr<QDialog> CreateMessageDialogForm(const std::string& Text, const std::string& Caption, TMsgDlgType Kind,
                                                 TMsgDlgButtons Buttons, QWidget* Parent)
{
    return ProgramMessageDialog(Text, Caption, Kind, Buttons).CreateDialogForm(Parent);
}

int TQtPrompter::Show(const TPromptRequest& Request)
{
    TQxMessageDialog Dialog =
        ProgramMessageDialog(Request.Text, Request.Caption, Request.Kind, Request.Buttons, FProgramIcon);
    Dialog.AllCaption = Request.AllCaption;
    Dialog.X = Request.X;
    Dialog.Y = Request.Y;
    QWidget* Parent = FParent ? FParent : QApplication::activeWindow();
    return Request.AtPosition ? Dialog.ExecutePos(Parent) : Dialog.Execute(Parent);
}

bool TQtPrompter::InputQuery(const std::string& Caption, const std::string& Prompt, std::string& Value)
{
    bool Ok = false;
    const QString Text = QInputDialog::getText(FParent ? FParent : QApplication::activeWindow(), Q(Caption),
                                               Q(Prompt), QLineEdit::Normal, Q(Value), &Ok);
    if (Ok) Value = Text.toStdString();
    return Ok;
}

} // namespace qx
