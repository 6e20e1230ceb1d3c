#pragma once
// Pieces of the view and bookmark commands that need no editor: the bookmark label made from a row's
// text, the captions of the bookmark menus, the wrap width typed into the input box, and the answer of
// the reconversion command.

#include <optional>
#include <string>
#include <string_view>

namespace qx {

class TPrompter;

inline constexpr std::size_t BookmarkLabelBytes = 40;

// A row's text (CP932) as a bookmark label: a text longer than 40 bytes is cut at the last character
// boundary within 40 bytes (walking characters from the row's start) and " ..." is added.
std::string BookmarkLabel(std::string_view rowText);

// The caption of a bookmark's set or go menu item: "&" + the digit + " " + the label (UTF-8), with the
// label's own "&" doubled so that it shows as it is.
std::string BookmarkMenuCaption(int bookmark, std::string_view sjisLabel);

// The wrap-width input box ("折り返し文字数の指定", "折り返し文字数：", the current width as default).
// The number entered, or nothing when the user cancelled or typed no integer (then told so).
std::optional<int> InputWrapByte(TPrompter& prompter, int currentWrapByte);

// Reconversion asks the input method to convert the selection again; no input method here offers that,
// so the command says so ("サポートされていません。", an error box captioned "エラー").
void ReportReconversionUnsupported(TPrompter& prompter);

} // namespace qx
