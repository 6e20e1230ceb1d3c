#pragma once
// The colour combo box's list: which colours it offers (the current and default colours, the 16 system
// colours by English or Japanese name, extended named colours, custom colours and "その他..."), the
// selection, and choosing a custom colour through an injectable colour chooser. The Qt combo box only
// shows this list and forwards the user's choice.

#include "platform/Color.h"
#include "platform/Object.h"
#include "platform/StringList.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace qx {

// TColorSelection: the groups the list holds, one bit each. Named in a scope of their own: the caret
// style's csDefault (editor/EditorOptions.h) is another value of the same name.
namespace ColorSelection {
enum TColorSelectionItem : unsigned { csSystem = 1, csSystemJ = 2, csCurrent = 4, csCustom = 8, csDefault = 16, csExtended = 32 };
} // namespace ColorSelection
using TColorSelection = unsigned;

enum class TBmpType { bmRectangle, bmCircle, bmRoundRect, bmTriangle };

struct TColorName {
    const char* English;
    const char* Japanese;
    TColor Color;
};
// The 16 system colours in list order.
extern const TColorName kSystemColors[16];

struct TNamedColor {
    const char* Name;
    TColor Color;
};
// The 140 extended colour names the option dialogs offer (the web colours in alphabetical order,
// "aqua" and "cyan", "fuchsia" and "magenta" alike).
extern const TNamedColor kExtendedColorNames[140];
// The same colours as the lines "name=$BBGGRR" that ExtendedColors takes.
TStringList ExtendedColorLines();

inline constexpr const char* kCurrentColorName = "選択色";
inline constexpr const char* kDefaultColorName = "標準";
inline constexpr const char* kOtherColorName = "その他...";

// "$" and the colour number in at least six upper-case hexadecimal digits ("$0080FF").
std::string CustomColorName(TColor color);

struct TColorItem {
    std::string Name;  // UTF-8
    TColor Color = clNone;
    bool operator==(const TColorItem&) const = default;
};

// Asks the user for a colour, starting from `initial`; nothing when the user cancels.
using TColorChooser = std::function<std::optional<TColor>(TColor initial)>;

class TColorComboModel {
public:
    TColorComboModel() { Rebuild(); }

    const std::vector<TColorItem>& Items() const { return FItems; }
    int ItemIndex() const { return FItemIndex; }
    void SetItemIndex(int index) { FItemIndex = index >= 0 && index < Count() ? index : -1; }
    int Count() const { return static_cast<int>(FItems.size()); }

    TColorSelection Selection() const { return FSelection; }
    void SetSelection(TColorSelection value) { Store(FSelection, value); }
    TColor CurrentColor() const { return FCurrentColor; }
    void SetCurrentColor(TColor value) { Store(FCurrentColor, value); }
    TColor DefaultColor() const { return FDefaultColor; }
    void SetDefaultColor(TColor value) { Store(FDefaultColor, value); }
    // Lines "name=value"; a value that does not read as a number is clNone.
    const TStringList& ExtendedColors() const { return FExtendedColors; }
    void SetExtendedColors(const TStringList& value) { Store(FExtendedColors, value); }
    int MaxCustomCount() const { return FMaxCustomCount; }
    void SetMaxCustomCount(int value);
    int CustomCount() const { return FCustomCount; }

    // Fired before the extended colours are read, so that the owner can fill them.
    std::function<void()> OnLoadExtendedColors;
    // The colour dialog behind "その他...".
    TColorChooser ColorChooser;
    // Fired after the list or the selection changed (the widget shows it again).
    std::function<void()> OnChange;

    // The selected item's colour; clNone when nothing is selected.
    TColor GetSelectedColor() const;
    // clNone clears the selection; a listed colour is selected; another one is added as a custom colour
    // and selected when the list takes custom colours, else the selection is cleared.
    void SetSelectedColor(TColor color);
    // Adds a custom colour before "その他..." (an empty name gives the colour's number), dropping the
    // oldest custom colour at the limit; returns its index, -1 when the list keeps no custom colours.
    int AddCustomColor(const std::string& name, TColor color);
    // The user picked item `index`: "その他..." asks the chooser for a colour and selects the item before
    // it (the new colour, or after a cancel the item that stood there).
    void Choose(int index);

    // Builds the list again from the groups; custom colours added earlier are dropped.
    void Rebuild();

private:
    // Every property that shapes the list: store, then build the list again.
    template <class T, class V>
    void Store(T& field, const V& value)
    {
        field = value;
        Rebuild();
    }
    bool HasOther() const { return (FSelection & ColorSelection::csCustom) != 0; }
    void Changed();

    std::vector<TColorItem> FItems;
    int FItemIndex = -1;
    TColorSelection FSelection = ColorSelection::csSystemJ;
    TColor FCurrentColor = clBlack;
    TColor FDefaultColor = clNone;
    TStringList FExtendedColors;
    int FMaxCustomCount = 3;
    int FCustomCount = 0;
    bool FRebuilding = false;
};

// The option pages' colour boxes: shown, a box holds only the stored colour ("選択色"); opened, it
// offers the extended colours and "その他..." with the stored colour chosen (a colour the names lack is
// added as a custom one), or the item before "その他..." when nothing is stored. Neither writes the
// setting: only the user's choice does.
void ShowOptionColor(TColorComboModel& Model, TColor Stored);
void OpenOptionColors(TColorComboModel& Model, TColor Stored);

} // namespace qx
