#pragma once
// File access of the document layer: the open test, reading a document into a decoded result with its
// messages, writing a document safely, copies and moves for backups, and the names under which open
// documents are compared. Paths are the file system's own bytes.

#include "documents/DocumentCodec.h"
#include "platform/Prompter.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace qx {

// Result of TestOpenFile.
enum TOpenTest : int {
    otNormal = 0,     // opens normally
    otLocked = 1,     // another editor holds a lock on it: it opens read-only
    otNotFound = 2,   // does not exist (a folder counts as not found)
    otOpenError = 3,  // exists but cannot be opened, or is no regular file (a FIFO, a device)
};

// Probes the file on a fresh descriptor, without blocking on a FIFO or a device: regular files only,
// then an exclusive advisory lock taken and given back at once (refused while another editor holds one).
int TestOpenFile(const std::string& FileName);

// Reads and decodes a document (see DecodeDocument) into Sink, in pieces, so that neither the file's
// bytes nor its text are ever held whole besides what Sink builds. Whatever went wrong is shown through
// the prompter (a read error, bytes not in the chosen code), as is a load that had to replace
// characters; a result that is not Loaded must leave the open document and its file binding as they
// were (the caller drops what Sink received).
// Progress, when given, hears after each piece read how many of the file's bytes are read so far.
using TLoadProgress = std::function<void(std::uint64_t Done, std::uint64_t Size)>;
TDecodedDocument LoadDocumentFile(const std::string& FileName, int OpenCode, TPrompter& Prompter, TTextSink& Sink,
                                  const TLoadProgress& Progress = {});
// The same with the text gathered in the result's Text.
TDecodedDocument LoadDocumentFile(const std::string& FileName, int OpenCode, TPrompter& Prompter);

// Writes bytes, handed over in pieces as they are produced, to a path; raises EInOutError on failure,
// leaving the old file whole.
using TFileWriter = std::function<void(const std::string& Path, const TBytePieces& Bytes)>;
// The program's writer: a temporary file in the same folder, flushed and renamed over the old one.
TFileWriter SafeFileWriter();

// Writes the document's text (handed over in pieces, see EncodeDocument) to FileName, encoding it as
// it is written. When the code cannot hold some characters the prompter asks first (No: nothing is
// written). A failed write keeps the old file and is shown. True only when the file was written.
// Utf8Mark: a UTF-8 file starts with its mark (see DocumentMark).
bool WriteTextFile(TPrompter& Prompter, const std::string& FileName, const TBytePieces& Text, int CharType,
                   int RtrnType, const TFileWriter& Writer = SafeFileWriter(), bool Utf8Mark = false);
bool WriteTextFile(TPrompter& Prompter, const std::string& FileName, std::string_view Text, int CharType,
                   int RtrnType, const TFileWriter& Writer = SafeFileWriter());

// Copies Source to Dest (the copy gets Source's permissions), never replacing Dest unless Overwrite.
// Dest is written beside itself and renamed into place, so a failed copy leaves an old Dest whole. A copy
// of a file onto itself keeps the file and succeeds when Overwrite is on.
bool CopyFileTo(const std::string& Source, const std::string& Dest, bool Overwrite);
// Moves Source to Dest by renaming it (no delete first); across file systems: copy, flush, then unlink
// Source. Without Overwrite an existing Dest is refused, never replaced. A move onto itself keeps the
// file and succeeds.
bool MoveFileTo(const std::string& Source, const std::string& Dest, bool Overwrite);

// The name under which an open document is compared: absolute (from the current folder) and lexically
// normal ("a/./b/../c" is "a/c"). Links are not resolved. Empty stays empty.
std::string NormalizeDocumentName(const std::string& FileName);
// The 1-based place of the first of TabFileNames that names the same file as FileName (both
// normalised, compared byte for byte), 0 when none does.
int FindTabByFileName(const std::string& FileName, const std::vector<std::string>& TabFileNames);

} // namespace qx
