#include "documents/MessageDialog.h"

#include <algorithm>

namespace qx {

namespace {

TPromptRequest MessageRequest(const std::string& Text, const std::string& Caption, TMsgDlgType Kind,
                              TMsgDlgButtons Buttons)
{
    TPromptRequest Request;
    Request.Text = Text;
    Request.Caption = Caption;
    Request.Kind = Kind;
    Request.Buttons = Buttons;
    return Request;
}

} // namespace

int ShowMessageDialog(TPrompter& Prompter, const std::string& Text, const std::string& Caption, TMsgDlgType Kind,
                      TMsgDlgButtons Buttons)
{
    return Prompter.Show(MessageRequest(Text, Caption, Kind, Buttons));
}

int ShowMessageDialogAt(TPrompter& Prompter, const std::string& Text, const std::string& Caption,
                        TMsgDlgType Kind, TMsgDlgButtons Buttons, int X, int Y)
{
    TPromptRequest Request = MessageRequest(Text, Caption, Kind, Buttons);
    Request.AtPosition = true;
    Request.X = X < 1 ? 0 : X;
    Request.Y = Y < 1 ? 0 : Y;
    return Prompter.Show(Request);
}

std::function<void(const std::exception&)> ErrorBox(TPrompter& Prompter)
{
    return [&Prompter](const std::exception& e) {
        ShowMessageDialog(Prompter, e.what(), "", TMsgDlgType::mtError, {TMsgDlgBtn::mbOK});
    };
}

std::vector<TMsgDlgBtn> MessageButtonOrder(TMsgDlgButtons Buttons)
{
    std::vector<TMsgDlgBtn> Order;
    for (int B = static_cast<int>(TMsgDlgBtn::mbYes); B <= static_cast<int>(TMsgDlgBtn::mbHelp); ++B)
        if (Buttons.Contains(static_cast<TMsgDlgBtn>(B))) Order.push_back(static_cast<TMsgDlgBtn>(B));
    return Order;
}

TMessageFormLayout LayoutMessageForm(const TMessageFormMetrics& Metrics)
{
    TMessageFormLayout Layout;
    const bool NoButton = Metrics.ButtonCount <= 0;
    Layout.ButtonWidth = NoButton ? 84 : Metrics.ButtonWidth;
    Layout.ButtonHeight = NoButton ? 24 : Metrics.ButtonHeight;
    const int Count = NoButton ? 0 : Metrics.ButtonCount;
    if (Metrics.LabelHeight >= 36) {
        Layout.Height = Metrics.LabelHeight + Layout.ButtonHeight + 66;
        Layout.ButtonTop = Metrics.LabelTop + Metrics.LabelHeight + 12;
    } else {
        Layout.Height = Layout.ButtonHeight + 102;
        Layout.ButtonTop = Metrics.ButtonTop;
    }
    const int RowWidth = (Layout.ButtonWidth + 8) * Count;
    Layout.Width = std::max(Metrics.LabelWidth + 120, RowWidth + 118);
    int Left = (Layout.Width - (RowWidth - 8)) / 2;
    for (int I = 0; I < Count; ++I, Left += Layout.ButtonWidth + 8) Layout.ButtonLeft.push_back(Left);
    return Layout;
}

TFormPosition MessageFormPosition(bool AtPosition, int X, int Y, int ScreenWidth, int ScreenHeight, int FormWidth,
                                  int FormHeight)
{
    if (AtPosition) return {X < 1 ? 0 : X, Y < 1 ? 0 : Y};
    return {ScreenWidth / 2 - FormWidth / 2, ScreenHeight / 2 - FormHeight / 2};
}

} // namespace qx
