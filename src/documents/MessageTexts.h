#pragma once
// The texts of the program's recurring messages. Each builder returns a text and shows nothing; the
// caller chooses kind, caption and buttons. Texts are UTF-8, as every prompter text is; arguments that
// come from a document (a search pattern, the character at the caret) are Shift-JIS and are converted
// here, file names are the file system's own bytes and go in as they are.

#include <cstddef>
#include <ctime>
#include <string>
#include <string_view>

namespace qx {

std::string MsgFileCannotOpen(std::string_view FileName);
std::string MsgFileLocked(std::string_view FileName);
std::string MsgFileOpenError(std::string_view FileName);
std::string MsgDocumentModified(std::string_view FileName);
std::string MsgProjectModified(std::string_view ProjectName);
std::string MsgFileExists(std::string_view FileName);
// CharType: the document's code 0..5 (JIS .. UTF-8); another value names no code.
std::string MsgReloadWithCode(std::string_view FileName, int CharType);
std::string MsgSearchNotFound(std::string_view SjisPattern);
std::string MsgReplaceConfirm(std::string_view SjisFindText, std::string_view SjisReplaceText);
// The character at the caret: one byte, or a lead byte and its trail byte.
std::string MsgCharInfo(std::string_view SjisChar);
// Dates as FormatFileDate gives them.
std::string MsgFileChangedOutside(std::string_view FileName, std::string_view DateNow,
                                  std::string_view DateAtLoad);
std::string MsgShellOpenFailed(std::string_view Name);

// Messages of the load and save paths that keep a user from losing text without knowing it.
// A load that turned characters the document's code holds but Shift-JIS does not into Mark (UTF-8: the
// character written in their place, see LostCharacterMark), or NUL bytes into spaces.
std::string MsgCharactersReplaced(std::string_view FileName, std::size_t Count, std::string_view Mark);
std::string MsgNulBytesReplaced(std::string_view FileName, std::size_t Count);
// A paste whose text held characters that Shift-JIS cannot hold, turned into "?".
std::string MsgPastedCharactersReplaced(std::size_t Count);
// A save whose code cannot hold some characters: asked before anything is written.
std::string MsgCharactersWillBeLost(std::string_view FileName, std::size_t Count);
// A file that is not in the code the user chose.
std::string MsgNotInCharCode(std::string_view FileName, std::string_view CodeName);
// A read or write that failed, with the system's reason.
std::string MsgFileReadError(std::string_view FileName, std::string_view Reason);
std::string MsgFileWriteError(std::string_view FileName, std::string_view Reason);

// The question asked when a text may be Shift-JIS or EUC.
std::string MsgSjisOrEuc();

// A local date and time in the short date and long time form ("2024/03/05 9:07:02").
std::string FormatFileDate(std::time_t Time);

} // namespace qx
