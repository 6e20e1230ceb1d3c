#pragma once
// The project file (".qxp"): a Shift-JIS text of CR LF lines, a two-line header and an empty line, then
// one block per record in list order:
//
//   /* ProjectItem */
//   Type=ntBox | ntFolder | ntLink | ntImport | ntTrash
//   Level=<decimal>
//   Name=...
//   Lock=<decimal>
//   Comment=...
//   Ext=...
//   begin/*
//   <the text, byte for byte; CR LF added when it does not end in CR or LF>
//   */end
//   <empty line>
//
// The reader parses the file from one read in memory. It splits lines at CR LF, CR and LF alike and
// takes each text raw from its exact byte offsets, so a text with bare CR or LF, or a file whose lines
// end in LF alone, keeps every later body in place. A file it refuses (header, version, a number that is
// not one, a tree nested too deep) leaves no record behind.

#include "dialogs/ProjectRecordList.h"
#include "documents/GlobalState.h"

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace qx {

// Levels 0 .. MaxProjectDepth - 1 are read. Real projects nest a handful of levels; a tree nested tens of
// thousands deep (each item legally one below the one before) overflows the stack of the tree view that
// expands it, so a file that nests deeper is refused whole.
inline constexpr int MaxProjectDepth = 1000;

// Progress of a read or write: position out of max (bytes when reading, records when writing).
using TProjectProgress = std::function<void(std::int64_t position, std::int64_t max)>;

enum class TProjectFileStatus {
    Loaded,
    WrongFormat,  // header, version line or a number that is not one
    OldVersion,   // a version below 3.5
    TooDeep,      // an item nested deeper than MaxProjectDepth levels
};

// The bytes of a project file holding `records`. CR and LF inside a name, comment or extension are
// written as blanks.
std::string WriteProjectBytes(const TProjectRecordList& records, const TProjectProgress& progress = {});

// Reads the bytes of a project file into `records` (cleared first; left empty unless Loaded). Records
// are numbered 0, 1, 2... in file order. Levels are kept within the tree's shape: none below 0, none
// more than one below the record before it.
TProjectFileStatus ReadProjectBytes(std::string_view bytes, TProjectRecordList& records,
                                    const TProjectProgress& progress = {});

// True when a line of `text` (split at CR LF, CR or LF) is exactly "*/end": such a text ends its body
// early in the file and cannot be read back whole.
bool TextHoldsEndLine(std::string_view text);

// The indexes of records whose stored text cannot be read back whole (see TextHoldsEndLine).
std::vector<int> UnsavableProjectItems(const TProjectRecordList& records);

// Writes the open project (state.ProjectItemList) to `fileName` through the safe write and makes it the
// open project's file: ProjectFileName, LastProjectFile, ProjectCanContinue, the recent projects, and
// ProjectModified := false unless a text could not be written whole. Raises EInOutError when the file
// cannot be written; nothing of the state changes then.
void SaveProjectFile(TGlobalState& state, const std::string& fileName, const TProjectProgress& progress = {});

// Replaces the open project's records by those of `fileName`. A missing file raises EFOpenError as an
// unreadable one does; the records are untouched then. ProjectModified := false.
TProjectFileStatus LoadProjectFile(TGlobalState& state, const std::string& fileName,
                                   const TProjectProgress& progress = {});

} // namespace qx
