#pragma once
// The file-facing side of a document's editors, as the document layer's load, reload, time-stamp check
// and save speak to it: the tab's TQxEditor and, while the tab is split, its second pane. Both panes
// share one text; what belongs to a pane (code, line end, Modified, read-only state, lock, stamp) is set
// on both and read from the first.

#include "documents/DocumentEditor.h"
#include "editor/ApplyEnvironment.h"
#include "editor/QxEditor.h"

namespace qx {

class TQxEditorDocument : public TDocumentEditor {
public:
    explicit TQxEditorDocument(TQxEditor& Main, TQxEditor* Second = nullptr) : FMain(Main), FSecond(Second) {}

    std::string FileName() const override { return FMain.FileName; }
    void LoadText(std::string Text) override;
    // The rows are laid out as the pieces come, beside the text shown, by the wrap Shown will set.
    std::unique_ptr<TLoadingText> NewText(const TEditorEnvironment* Shown) override;
    void SaveText(const TBytePut& Put) const override { FMain.SaveText(Put); }

    int SaveFileCharType() const override { return FMain.SaveFileCharType(); }
    void SetSaveFileCharType(int Value) override;
    int SaveFileRtrnType() const override { return FMain.SaveFileRtrnType(); }
    void SetSaveFileRtrnType(int Value) override;
    bool Utf8Mark() const override { return FMain.Utf8Mark; }
    void SetUtf8Mark(bool Value) override
    {
        Both([Value](TQxEditor& E) { E.Utf8Mark = Value; });
    }
    bool Modified() const override { return FMain.Modified(); }
    void SetModified(bool Value) override;
    void SetReadOnlyState(bool OpenReadOnly, bool ReadOnly) override;
    void SetFileOpenMode(int Mode) override;
    void SetEnvironmentNumber(int N) override;

    // The lock is the first pane's: one descriptor holds the file for the tab.
    bool LockFile() const override { return FMain.LockFile; }
    void OpenLockFile(const std::string& FileName) override { FMain.OpenLockFile(FileName); }
    void CloseLockFile() override { FMain.CloseLockFile(); }
    bool CheckTStamp() const override { return FMain.CheckTStamp; }
    void StoreFileTStamp(const std::string& FileName) override;
    bool SameFileTStamp(const std::string& FileName) const override { return FMain.SameFileTStamp(FileName); }
    std::time_t FileTStamp() const override { return static_cast<std::time_t>(FMain.FileTStamp().Seconds); }

    // Applies the environment file FileName to both panes; the first holds the lock.
    void ApplyEnvironment(const std::string& FileName, TEnvironmentApplyHost Host,
                          const TEditorEnvironment* Environment = nullptr);

private:
    template <class Proc> void Both(Proc&& Set)
    {
        Set(FMain);
        if (FSecond && FSecond != &FMain) Set(*FSecond);
    }

    TQxEditor& FMain;
    TQxEditor* FSecond;
};

} // namespace qx
