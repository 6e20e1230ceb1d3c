#pragma once
// The rules of the editor option pages that link values or change more than one: the extension list,
// the colour and style table, the highlight word lists, the kinsoku levels, the font and the wrap column.
// The pages only show the working copy and call these; texts of the record are CP932.

#include "documents/EditorEnvironment.h"
#include "platform/Prompter.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace qx {

// ---- Extensions -------------------------------------------------------------------------------------

enum class TExtensionAnswer { Added, Ignored, Refused };
// The pattern an answer of the extension box stands for: blanks trimmed, a leading "*." or "." dropped,
// then "*." put in front ("txt", ".txt" and "*.txt" all give "*.txt"); empty when nothing is left.
std::string ExtensionPattern(std::string_view Answer);
// Appends the answer's pattern (UTF-8 in, CP932 stored): an empty answer is ignored; one holding ";" (the
// file's separator) is refused with a message.
TExtensionAnswer AddExtension(TEditorEnvironment& Record, std::string_view Answer, TPrompter& Prompter);
void DeleteExtension(TEditorEnvironment& Record, int Index);

// ---- Colours and styles -----------------------------------------------------------------------------

struct TColorElement {
    const char* Name;  // UTF-8
    TColor TEditorEnvironment::*Text;
    TColor TEditorEnvironment::*Back;         // none: shown on the normal text's background
    TFontStyles TEditorEnvironment::*Style;   // bold and underline boxes
    int TEditorEnvironment::*Dotted;          // the dotted box of the space marks
};
inline constexpr int kColorElementCount = 20;
extern const TColorElement kColorElements[kColorElementCount];

// The background an element is shown on.
TColor ElementBackground(const TEditorEnvironment& Record, int Element);
// Sets or clears one style bit of an element that has a style (the other bits are kept).
void SetElementStyle(TEditorEnvironment& Record, int Element, TFontStyle Style, bool On);
// "背景色の統一": asks (after a beep) and on Yes gives every element from the current line to the file
// names the normal text's background; the selection keeps its own. True when changed.
bool UnifyBackgrounds(TEditorEnvironment& Record, TPrompter& Prompter, const std::function<void()>& Beep);
// Every colour and style of the page back to the defaults.
void ResetColors(TEditorEnvironment& Record);

// ---- Highlight words --------------------------------------------------------------------------------

// Each returns the index of the word to select afterwards (-1 for none). Words are cut to 100 bytes.
int AddHilightWord(TEditorEnvironment& Record, int List, std::string_view Word);
int ChangeHilightWord(TEditorEnvironment& Record, int List, int Index, std::string_view Word);
int DeleteHilightWord(TEditorEnvironment& Record, int List, int Index);
int MoveHilightWord(TEditorEnvironment& Record, int List, int Index, int Delta);
void ClearHilightWords(TEditorEnvironment& Record);

// ---- Kinsoku ----------------------------------------------------------------------------------------

// The three rule strings as the page shows them: none, a preset, or the stored ones at level 3.
TKinsokuStrings KinsokuTexts(const TEditorEnvironment& Record);
void SetKinsokuLevel(TEditorEnvironment& Record, int Level);
// Stores the edited rule string (0 follow, 1 lead, 2 punctuation) only at level 3; false otherwise.
bool SetKinsokuText(TEditorEnvironment& Record, int Which, std::string Text);

// ---- Font -------------------------------------------------------------------------------------------

inline constexpr int kCharsetShiftJis = 128;
inline constexpr int kCharsetAnsi = 0;
// The name of a character set ("SHIFTJIS_CHARSET"); empty for one the page does not name.
std::string_view CharsetName(int Charset);
// The faces the page lists: the installed fixed-pitch faces (UTF-8), with the stored one added in sorted
// place when it is not installed, so that showing the page never replaces it.
std::vector<std::string> FontFaceList(std::vector<std::string> Installed, const TEditorEnvironment& Record);
// A size typed into the size box: 11 when it is not a number above 0.
int FontSizeOfText(std::string_view Text);
// The sizes an editor can show a page of text in; the box refuses others with the message.
inline constexpr int kMinFontSize = 6;
inline constexpr int kMaxFontSize = 72;
inline constexpr const char* FontSizeRangeMessage = "フォントサイズは 6 から 72 までの数で指定してください。";
constexpr bool FontSizeFits(int Size) { return kMinFontSize <= Size && Size <= kMaxFontSize; }
// "ＭＳ ゴシック", 11 points, no style, Shift-JIS.
void SetDefaultFont(TEditorEnvironment& Record);

// ---- Wrapping ---------------------------------------------------------------------------------------

// "ウインドウの幅に合わせる": the editor's visible columns less 4, within the wrap column's range.
int WrapByteForWindow(int VisibleColumns);

} // namespace qx
