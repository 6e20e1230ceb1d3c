#pragma once
// Go to line ("指定行ジャンプ"): a line number counted in screen rows or in logical lines.

namespace qx {

class TEditor;
class TPrompter;

// The highest number the field takes: the logical lines or the screen rows (at least 1).
int JumpMaximum(TEditor& Editor, bool Logical);

// Puts the caret on column 0 of the row Value names (the first row of logical line Value when Logical)
// and scrolls that row half a window below the top. A value below 1 or above JumpMaximum is reported
// ("ジャンプ行の指定が無効です。") and the caret goes to the first row; false then.
bool JumpToLine(TEditor& Editor, int Value, bool Logical, TPrompter& Prompter);

} // namespace qx
