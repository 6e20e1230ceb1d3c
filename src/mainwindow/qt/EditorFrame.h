#pragma once
// One tab's editors: the frame with its editing control and, while the view is split, a second pane
// below it over the same row store. TFrameDocument is the file-facing side of a frame that the load and
// save roads speak to (both panes follow what is set).

#include "documents/DocumentEditor.h"
#include "editor/qt/EditorWidget.h"

#include <QWidget>

class QSplitter;

namespace qx {

class TEditorFrame;

class TFrameDocument : public TDocumentEditor {
public:
    explicit TFrameDocument(TEditorFrame& Frame) : FFrame(Frame) {}

    std::string FileName() const override;
    void LoadText(std::string Text) override;
    std::string SaveText() const override;
    int SaveFileCharType() const override;
    void SetSaveFileCharType(int Value) override;
    int SaveFileRtrnType() const override;
    void SetSaveFileRtrnType(int Value) override;
    bool Modified() const override;
    void SetModified(bool Value) override;
    void SetReadOnlyState(bool OpenReadOnly, bool ReadOnly) override;
    void SetFileOpenMode(int Mode) override;
    void SetEnvironmentNumber(int N) override;
    bool LockFile() const override { return false; }
    void OpenLockFile(const std::string&) override {}
    void CloseLockFile() override {}
    bool CheckTStamp() const override { return false; }
    void StoreFileTStamp(const std::string&) override {}
    bool SameFileTStamp(const std::string&) const override { return true; }
    std::time_t FileTStamp() const override { return 0; }

private:
    TEditorFrame& FFrame;
};

class TEditorFrame : public QWidget {
public:
    explicit TEditorFrame(QWidget* Parent = nullptr);

    TEditorWidget& MainHost() { return *FMain; }
    TEditor& MainEditor() { return FMain->Editor(); }
    TEditor* SecondEditor() { return FSecond ? &FSecond->Editor() : nullptr; }
    TEditorWidget* SecondHost() { return FSecond; }
    TFrameDocument& Document() { return FDocument; }

    // The document's identity and the per-document values that both panes share.
    std::string FileName;
    int CharType = 2;
    int RtrnType = 2;
    bool OpenReadOnly = false;
    int FileOpenMode = 0;
    int EnvironmentNumber = 0;

    bool HasSplit() const { return FSecond != nullptr; }
    // The pane that had the focus last (the first pane until the second is used); never a pane that
    // is gone.
    TEditorWidget* ActivePane() const { return FActive ? FActive : FMain; }
    void NoteFocus(const QWidget* Widget);
    // A second pane of half the height below the first, sharing its text; nothing when there is one.
    TEditorWidget* CreateSplit();
    void RemoveSplit();
    // Calls Proc on each pane's editor.
    template <class Proc> void EachEditor(Proc&& P)
    {
        P(MainEditor());
        if (FSecond) P(FSecond->Editor());
    }

private:
    QSplitter* FSplitter;
    TEditorWidget* FMain;
    TEditorWidget* FSecond = nullptr;
    TEditorWidget* FActive = nullptr;
    TFrameDocument FDocument{*this};
};

} // namespace qx
