#pragma once
// Keeps one view's picture in step with its row store after an edit: repaints the rows that changed
// and moves the pictures of the rows behind them instead of repainting those.

#include "editor/EditorView.h"

namespace qx {

class TEditorScreen {
public:
    explicit TEditorScreen(TEditorView& View) : View(View) {}
    virtual ~TEditorScreen() = default;

    TEditorView& View;

    // Runs after each change notice of the row store; does nothing unless its UpdateRange is valid.
    virtual void Update(const TEditorScreenStrings& Rows);
};

} // namespace qx
