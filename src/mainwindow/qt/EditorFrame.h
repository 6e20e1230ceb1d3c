#pragma once
// One tab's editors: the frame with its document editor (a TQxEditor) and, while the view is split, a
// second pane below it over the same row store. The document's identity and per-document values
// (file name, code, line end, read-only state, environment number, lock, time stamp) live in the
// editors themselves; Document() is their file-facing side for the load and save roads.

#include "editor/QxEditor.h"
#include "editor/QxEditorDocument.h"
#include "editor/qt/EditorWidget.h"

#include <QWidget>

#include <functional>

class QSplitter;

namespace qx {

class TEditorFrame : public QWidget {
public:
    // ApplyEnvironment(editor, N) gives an editor environment N's settings (the second pane of a split
    // gets the first pane's environment before it shares its text).
    using TEnvironmentApply = std::function<void(TQxEditor& Editor, int N)>;

    explicit TEditorFrame(QWidget* Parent = nullptr);

    TEditorWidget& MainHost() { return *FMain; }
    TQxEditor& MainEditor() { return static_cast<TQxEditor&>(FMain->Editor()); }
    const TQxEditor& MainEditor() const { return static_cast<const TQxEditor&>(FMain->Editor()); }
    TQxEditor* SecondEditor() { return FSecond ? &static_cast<TQxEditor&>(FSecond->Editor()) : nullptr; }
    TEditorWidget* SecondHost() { return FSecond; }
    TQxEditorDocument Document() { return TQxEditorDocument(MainEditor(), SecondEditor()); }

    // The document's name: a path, or an untitled, grep or project name (both panes carry it).
    const std::string& FileName() const { return MainEditor().FileName; }
    void SetFileName(const std::string& Name);

    bool HasSplit() const { return FSecond != nullptr; }
    // The pane that had the focus last (the first pane until the second is used); never a pane that
    // is gone.
    TEditorWidget* ActivePane() const { return FActive ? FActive : FMain; }
    void NoteFocus(const QWidget* Widget);
    // A second pane of half the height below the first, sharing its text and taking the first pane's
    // per-document values; nothing when there is one.
    TEditorWidget* CreateSplit(const TEnvironmentApply& ApplyEnvironment);
    void RemoveSplit();
    // The pane whose text area holds the screen point Global, with the point in its own pixels (At);
    // null over neither.
    TQxEditor* PaneAt(const QPoint& Global, QPoint& At);
    // With a split, the second pane takes half the frame's height again (after the window's resize).
    void HalveSplit();
    // Calls Proc on each pane's editor.
    template <class Proc> void EachEditor(Proc&& P)
    {
        P(MainEditor());
        if (TQxEditor* second = SecondEditor()) P(*second);
    }

private:
    QSplitter* FSplitter;
    TEditorWidget* FMain;
    TEditorWidget* FSecond = nullptr;
    TEditorWidget* FActive = nullptr;
};

// The undo steps a document editor keeps.
constexpr int DocumentUndoSteps = 256;

// The values every new document editor starts with (before its environment is applied).
void PrepareDocumentEditor(TQxEditor& Editor);

} // namespace qx
