#pragma once
// The Tools menu's file operations on the current document's file: they act only on a document that
// has a file of its own, and the move to the trash asks first and says when it failed.

#include <functional>
#include <string>

namespace qx {

class TPrompter;
class TTrash;

// Whether the document Name has a file (not untitled, a grep result or a project item); when it has none,
// the beep and "ファイルは存在しません。".
bool RequireDocumentFile(const std::string& Name, TPrompter& Prompter, const std::function<void()>& Beep);

// The move to the trash: the question, then the move; a failure is reported and the file stays. True
// when the file went to the trash (the document stays open with its text).
bool MoveDocumentToTrash(const std::string& Name, TTrash& Trash, TPrompter& Prompter, const std::function<void()>& Beep);

} // namespace qx
