#include "installer/qt/QtSetupPrompter.h"

#include <QApplication>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>

#include <algorithm>
#include <map>

namespace qx {

namespace {

struct TButtonFace {
    TMsgDlgBtn Button;
    const char* Caption;
    int Result;
};

// The order in which the buttons stand, with their captions and results. They all take one role, so
// that the style's layout keeps this order.
constexpr TButtonFace kButtonFaces[] = {
    {TMsgDlgBtn::mbYes, "はい(&Y)", mr::Yes},
    {TMsgDlgBtn::mbYesToAll, "すべてはい(&A)", mr::YesToAll},
    {TMsgDlgBtn::mbAll, "すべて(&A)", mr::All},
    {TMsgDlgBtn::mbNo, "いいえ(&N)", mr::No},
    {TMsgDlgBtn::mbNoToAll, "すべていいえ(&O)", mr::NoToAll},
    {TMsgDlgBtn::mbOK, "OK", mr::Ok},
    {TMsgDlgBtn::mbCancel, "キャンセル", mr::Cancel},
    {TMsgDlgBtn::mbAbort, "中止(&A)", mr::Abort},
    {TMsgDlgBtn::mbRetry, "再試行(&R)", mr::Retry},
    {TMsgDlgBtn::mbIgnore, "無視(&I)", mr::Ignore},
    {TMsgDlgBtn::mbHelp, "ヘルプ(&H)", mr::None},
};

QMessageBox::Icon KindIcon(TMsgDlgType kind)
{
    switch (kind) {
    case TMsgDlgType::mtWarning: return QMessageBox::Warning;
    case TMsgDlgType::mtError: return QMessageBox::Critical;
    case TMsgDlgType::mtInformation: return QMessageBox::Information;
    case TMsgDlgType::mtConfirmation: return QMessageBox::Question;
    case TMsgDlgType::mtCustom: break;
    }
    return QMessageBox::NoIcon;
}

} // namespace

int TQtSetupPrompter::Show(const TPromptRequest& request)
{
    QMessageBox box(QApplication::activeWindow());
    box.setObjectName("SetupMessageBox");
    box.setWindowTitle(QString::fromStdString(MessageCaption(request.Kind, request.Caption)));
    box.setText(QString::fromStdString(request.Text));
    box.setIcon(KindIcon(request.Kind));

    const TMsgDlgButtons buttons = request.Buttons.Empty() ? TMsgDlgButtons{TMsgDlgBtn::mbOK} : request.Buttons;
    std::map<QAbstractButton*, int> results;
    for (const TButtonFace& face : kButtonFaces) {
        if (!buttons.Contains(face.Button)) continue;
        const std::string caption =
            face.Button == TMsgDlgBtn::mbAll && !request.AllCaption.empty() ? request.AllCaption : face.Caption;
        QPushButton* button = box.addButton(QString::fromStdString(caption), QMessageBox::ActionRole);
        if (results.empty()) box.setDefaultButton(button);
        if (face.Button == TMsgDlgBtn::mbCancel) box.setEscapeButton(button);
        results[button] = face.Result;
    }
    if (request.AtPosition) box.move(std::max(request.X, 0), std::max(request.Y, 0));
    box.exec();
    const auto it = results.find(box.clickedButton());
    return it != results.end() ? it->second : CloseBoxResult;
}

bool TQtSetupPrompter::InputQuery(const std::string& caption, const std::string& prompt, std::string& value)
{
    bool ok = false;
    const QString text = QInputDialog::getText(QApplication::activeWindow(), QString::fromStdString(caption),
                                               QString::fromStdString(prompt), QLineEdit::Normal,
                                               QString::fromStdString(value), &ok);
    if (ok) value = text.toStdString();
    return ok;
}

} // namespace qx
