#pragma once
// The one way the program talks to its user: every message box, question and input box goes through a
// prompter. The Qt side shows real dialogs; tests script the answers and record every request.
//
// Kinds, button sets and answers keep the class library's message-box values, so that code written
// against them reads as designed: kinds 0 warning .. 4 custom, buttons as a bit set (bit 0 = Yes),
// answers as modal results (1 OK, 2 Cancel, 6 Yes, 7 No, ...).

#include <initializer_list>
#include <string>

namespace qx {

// TMsgDlgType: the kind of a message; an empty caption follows the kind ("警告", "エラー", "情報", "確認").
enum class TMsgDlgType : int { mtWarning = 0, mtError = 1, mtInformation = 2, mtConfirmation = 3, mtCustom = 4 };

// TMsgDlgBtn: one button; TMsgDlgButtons is a set of them, bit n = button n.
enum class TMsgDlgBtn : int {
    mbYes = 0, mbNo, mbOK, mbCancel, mbAbort, mbRetry, mbIgnore, mbAll, mbNoToAll, mbYesToAll, mbHelp
};

class TMsgDlgButtons {
public:
    constexpr TMsgDlgButtons() = default;
    constexpr TMsgDlgButtons(std::initializer_list<TMsgDlgBtn> buttons)
    {
        for (TMsgDlgBtn b : buttons) FBits |= 1u << static_cast<int>(b);
    }
    static constexpr TMsgDlgButtons FromBits(unsigned bits) { TMsgDlgButtons s; s.FBits = bits & 0x7FF; return s; }
    constexpr bool Contains(TMsgDlgBtn b) const { return (FBits >> static_cast<int>(b)) & 1u; }
    constexpr bool Empty() const { return FBits == 0; }
    constexpr unsigned Bits() const { return FBits; }
    constexpr bool operator==(const TMsgDlgButtons&) const = default;

private:
    unsigned FBits = 0;
};

// Modal results, as the class library numbers them.
namespace mr {
constexpr int None = 0, Ok = 1, Cancel = 2, Abort = 3, Retry = 4, Ignore = 5, Yes = 6, No = 7, All = 8,
              NoToAll = 9, YesToAll = 10;
}

// The answer that closing the box (Esc or the close button) gives: always Cancel, offered or not.
constexpr int CloseBoxResult = mr::Cancel;

struct TPromptRequest {
    std::string Text;
    std::string Caption;  // empty: the caption of the kind
    TMsgDlgType Kind = TMsgDlgType::mtWarning;
    TMsgDlgButtons Buttons{TMsgDlgBtn::mbOK};
    bool AtPosition = false;  // place the box at X, Y (values below 1 taken as 0) instead of centring it
    int X = 0;
    int Y = 0;
    // Captions of particular buttons where the default ones do not fit (say "すべて削除(&A)" for All);
    // empty: the usual caption.
    std::string AllCaption;
};

class TPrompter {
public:
    virtual ~TPrompter() = default;
    // Shows a message or question and returns the modal result of the button chosen.
    virtual int Show(const TPromptRequest& request) = 0;
    // An input box: true and `value` changed when the user chose OK.
    virtual bool InputQuery(const std::string& caption, const std::string& prompt, std::string& value) = 0;
};

// The caption a message box shows: `caption` when set, else the kind's.
std::string MessageCaption(TMsgDlgType kind, const std::string& caption);

} // namespace qx
