#pragma once
// The program's message boxes: every message goes through ShowMessageDialog (or ShowMessageDialogAt)
// over the one prompter, and the message form lays itself out with the arithmetic below, which is kept
// apart from any widget so that it can be checked by itself.

#include "platform/Prompter.h"

#include <exception>
#include <functional>
#include <string>
#include <vector>

namespace qx {

// Shows Text with Caption (empty: the kind's caption) and returns the modal result (1 OK, 2 Cancel,
// 6 Yes, 7 No, ...). Closing the box answers 2 even when Cancel is not offered.
int ShowMessageDialog(TPrompter& Prompter, const std::string& Text, const std::string& Caption, TMsgDlgType Kind,
                      TMsgDlgButtons Buttons);
// The same, with the box at X, Y on the screen (values below 1 taken as 0).
int ShowMessageDialogAt(TPrompter& Prompter, const std::string& Text, const std::string& Caption,
                        TMsgDlgType Kind, TMsgDlgButtons Buttons, int X, int Y);

// The handler every exception boundary of the program uses: what went wrong in an error box (the kind's
// caption, OK) over Prompter, which must outlive the handler.
std::function<void(const std::exception&)> ErrorBox(TPrompter& Prompter);

// The buttons of a set in the order the form shows them.
std::vector<TMsgDlgBtn> MessageButtonOrder(TMsgDlgButtons Buttons);

// What the form measures before it lays itself out again.
struct TMessageFormMetrics {
    int LabelTop = 0;
    int LabelWidth = 0;
    int LabelHeight = 0;
    int ButtonWidth = 0;   // of the first button; 0 with no button
    int ButtonHeight = 0;
    int ButtonCount = 0;
    int ButtonTop = 0;     // where the form put the buttons
};

struct TMessageFormLayout {
    int Width = 0;
    int Height = 0;
    int ButtonTop = 0;
    int ButtonWidth = 0;
    int ButtonHeight = 0;
    std::vector<int> ButtonLeft;  // one per button, left to right
};

// A label of 36 pixels or more grows the form with it (label + buttons + 66, the buttons 12 below the
// label); a shorter one gives buttons + 102 with the buttons where they were. The width is the label's
// + 120, or the buttons' row ((width + 8) per button + 118) when that is wider; the buttons are centred,
// 8 pixels apart. A form without buttons measures as if it had one of 84 x 24.
TMessageFormLayout LayoutMessageForm(const TMessageFormMetrics& Metrics);

// The form's top-left corner: centred on the screen, or at X, Y with values below 1 taken as 0.
struct TFormPosition {
    int Left = 0;
    int Top = 0;
};
TFormPosition MessageFormPosition(bool AtPosition, int X, int Y, int ScreenWidth, int ScreenHeight, int FormWidth,
                                  int FormHeight);

} // namespace qx
