#pragma once
// An editing control attached to a fake window, clock and clipboard, for the control's tests.

#include "FakeViewport.h"
#include "RecordingCanvas.h"

#include "editor/EditorControl.h"

#include <memory>
#include <string_view>

namespace qx::test {

struct HostedEditor {
    FakeViewport Viewport;
    FakeClock Clock;
    FakeClipboard Clipboard;
    std::unique_ptr<TEditor> Editor;

    // Hosted: attached to the fake window (it then has "a handle").
    explicit HostedEditor(bool Hosted = true) : HostedEditor(Construct<TEditor>(), Hosted) {}
    // A control of a descendant class.
    explicit HostedEditor(std::unique_ptr<TEditor> AEditor, bool Hosted = true) : Editor(std::move(AEditor))
    {
        Editor->SetClock(&Clock);
        Editor->SetClipboard(&Clipboard);
        if (Hosted) Editor->SetViewport(&Viewport);
    }
    ~HostedEditor()
    {
        if (Editor) Editor->SetViewport(nullptr);
    }
    HostedEditor(const HostedEditor&) = delete;
    HostedEditor& operator=(const HostedEditor&) = delete;

    TEditor* operator->() { return Editor.get(); }
    TEditor& operator*() { return *Editor; }

    void SetText(std::string_view Text) { Editor->Lines().SetText(Text); }

    // Selects from (Row1, Col1), the anchor, to (Row2, Col2), the caret.
    void Select(int Row1, int Col1, int Row2, int Col2)
    {
        Editor->CleanSelection();
        Editor->SetRowCol(Row1, Col1);
        Editor->StartSelection();
        Editor->SetRowCol(Row2, Col2);
        Editor->UpdateSelection();
    }

    // Paints Clip (the whole client area by default) onto a fresh recording canvas.
    RecordingCanvas Paint(TRect Clip = {})
    {
        if (Clip.Empty()) Clip = {0, 0, Viewport.Width, Viewport.Height};
        RecordingCanvas canvas;
        Editor->Paint(canvas, Clip);
        return canvas;
    }
};

} // namespace qx::test
