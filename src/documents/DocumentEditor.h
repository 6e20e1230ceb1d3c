#pragma once
// What loading, reloading and saving need of the editor that shows a document: the file-facing side of
// a TQxEditor (for a split tab, of both its panes), so that these steps are written and tested once
// and the control only has to answer them.

#include "documents/DocumentCodec.h"

#include <ctime>
#include <memory>
#include <string>

namespace qx {

struct TEditorEnvironment;

// A text being read into a document's editor: filled piece by piece beside the text shown, which stays
// as it is until Load puts the new text in its place. Dropped without Load, it changes nothing.
class TLoadingText : public TTextSink {
public:
    // Replaces the editor's text by the pieces received, in one update, the undo history emptied.
    virtual void Load() = 0;
};

class TDocumentEditor {
public:
    virtual ~TDocumentEditor() = default;

    // A text to read into this editor, to be shown under the environment Shown once loaded (null: the
    // editor's settings stay). This one gathers the pieces and hands them to LoadText; an editor that
    // can lay its rows out as the pieces come does better, by the wrap that Shown will set.
    virtual std::unique_ptr<TLoadingText> NewText(const TEditorEnvironment* Shown);

    // The editor's file name ("" while untitled).
    virtual std::string FileName() const = 0;

    // Replaces the whole text by a Shift-JIS text (CR, LF or CR LF end its lines) in one update, the undo
    // history emptied.
    virtual void LoadText(std::string Text) = 0;
    // The text to save, handed to Put in pieces as it is read from the rows: its logical lines joined by
    // LF, the last one without; each piece but the last ends after a LF.
    virtual void SaveText(const TBytePut& Put) const = 0;

    virtual int SaveFileCharType() const = 0;
    virtual void SetSaveFileCharType(int Value) = 0;
    virtual int SaveFileRtrnType() const = 0;
    virtual void SetSaveFileRtrnType(int Value) = 0;
    // The file was read with a UTF-8 mark, which a save in UTF-8 keeps.
    virtual bool Utf8Mark() const = 0;
    virtual void SetUtf8Mark(bool Value) = 0;
    virtual bool Modified() const = 0;
    virtual void SetModified(bool Value) = 0;
    // OpenReadOnly and ReadOnly.
    virtual void SetReadOnlyState(bool OpenReadOnly, bool ReadOnly) = 0;
    // The share mode the file was opened with (0, or 64 for a file another program holds).
    virtual void SetFileOpenMode(int Mode) = 0;
    // The editor environment applied at load (AnyNumber1).
    virtual void SetEnvironmentNumber(int N) = 0;

    // The file lock and the time stamp.
    virtual bool LockFile() const = 0;
    virtual void OpenLockFile(const std::string& FileName) = 0;
    virtual void CloseLockFile() = 0;
    virtual bool CheckTStamp() const = 0;
    virtual void StoreFileTStamp(const std::string& FileName) = 0;
    // True when the file's date cannot be read or equals the stored one, or no stamp of FileName is
    // stored.
    virtual bool SameFileTStamp(const std::string& FileName) const = 0;
    virtual std::time_t FileTStamp() const = 0;
};

inline std::unique_ptr<TLoadingText> TDocumentEditor::NewText(const TEditorEnvironment*)
{
    class TGatheredText : public TLoadingText {
    public:
        explicit TGatheredText(TDocumentEditor& Editor) : FEditor(Editor) {}
        void Append(std::string_view Piece) override { FText.append(Piece); }
        void Restart() override { FText.clear(); }
        void Load() override { FEditor.LoadText(std::move(FText)); }

    private:
        TDocumentEditor& FEditor;
        std::string FText;
    };
    return std::make_unique<TGatheredText>(*this);
}

} // namespace qx
