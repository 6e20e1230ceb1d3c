#pragma once
// The logical lines of an editor's text (its Lines): a string-list face over the row store in which one
// item is one logical line, however it is wrapped. Every edit goes through the row store's edit
// primitive, so undo, re-wrapping, lexer states and repainting follow by themselves. A line end counts
// as two characters wherever character offsets are spoken of.

#include "editor/EditorView.h"
#include "platform/Object.h"
#include "platform/StringList.h"

#include <string>
#include <string_view>

namespace qx {

class TEditorStrings : public TPersistent {
public:
    explicit TEditorStrings(TEditorView& Editor) : Editor(Editor) {}

    TEditorView& Editor;

    // Index errors (outside 0..Count-1) raise EListError.
    int Count() const;
    std::string Get(int Index) const;
    std::string operator[](int Index) const { return Get(Index); }
    void Put(int Index, std::string_view S);
    // Returns the number of lines before the call.
    int Add(std::string_view S);
    void Insert(int Index, std::string_view S);
    void Delete(int Index);
    // Empties the text and the undo buffer.
    void Clear();

    // The whole text, CR LF after each line.
    std::string Text() const;
    // Replaces the text (not undoable): CR, LF and CR LF end a line; without a final line end the last
    // row ends the text.
    void SetText(std::string_view Text);
    // SetText(Source's text); the caret goes past the last row.
    void Assign(const TStringList& Source);
    void AssignTo(TStringList& Target) const;

    void BeginUpdate();
    void EndUpdate();
    int UpdateCount() const { return FUpdateCount; }

    // Replaces the text by a file's bytes, read in two passes over 8 KB chunks: CR, LF and CR LF end a
    // line (a CR LF split between two chunks once), the byte 0x1A ends the text, every other byte (NUL
    // too) is kept. A file that cannot be opened, or that is no regular file (a pipe, a device, a
    // folder), raises EFOpenError and changes nothing; a read error raises EInOutError.
    void LoadFromFile(const std::string& FileName);

private:
    TEditorScreenStrings& Rows() const { return Editor.ScreenStrings(); }
    void CheckIndex(int Index) const;
    // Runs Edit between the editor's begin-edit and end-edit, the selection ended first.
    template <class EditProc> void Edit(EditProc&& Body);
    // Replaces the whole text by the lines Scan reads (not undoable).
    template <class ScanProc> void ReplaceText(ScanProc&& Scan);

    int FUpdateCount = 0;
};

} // namespace qx
