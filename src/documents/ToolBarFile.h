#pragma once
// "QxEditor.bar": the buttons of the two user tool bars, [ToolBar1] and [ToolBar2], one key per button
// left to right (Num1, Num2, ...) holding the command index, or 99 for a separator. The [ToolBar] keys of
// "QxEditor.ini" say which bars exist and how they show.

#include "documents/GlobalState.h"
#include "platform/IniFile.h"

#include <optional>
#include <vector>

namespace qx {

inline constexpr int ToolButtonSeparator = 99;
inline constexpr int LastToolCommandIndex = 82;

// A command index (0..82) or the separator.
bool IsToolButtonValue(int value);

// The layout a bar (1 or 2) gets when there is no bar file.
const std::vector<int>& DefaultUserToolBar(int bar);

// Reads [ToolBar] of "QxEditor.ini" into state.Settings.ToolBar (a bar's visibility and place only
// while the bar exists), then fills state.UserToolBar1/2 for each bar that exists: from the bar file
// when there is one, else with the default layout. A bar that does not exist gets no buttons.
void LoadToolBarSettings(TGlobalState& state);

// Writes [ToolBar] (the main settings writer's part).
void WriteToolBarSettings(TMemIniFile& ini, const TToolBarSettings& settings);

// The buttons of a bar's section in file order, or nothing when the file has no such section (the
// default layout applies); an empty section is an empty bar. Values that are neither a command index
// nor the separator are skipped.
std::optional<std::vector<int>> ReadUserToolBar(const TMemIniFile& ini, int bar);

// Writes [Application] and the bar's section (replacing it, at the end of the file) from
// state.UserToolBar1/2, with the header; false when the file could not be written.
bool SaveUserToolBar(const TGlobalState& state, int bar);

} // namespace qx
