#pragma once
// Whole-file reads and safe whole-file writes. Paths are the file system's own bytes.
//
// A safe write never leaves a half-written file behind: the bytes go to a temporary file in the same
// folder, are flushed to disk and the temporary file is renamed over the target, keeping the old file's
// permissions (a new file gets the usual 0666 less the umask). A symbolic link is followed, so the file
// it points at is replaced and the link stays. A file that this user may not write is not replaced. On
// failure the old file is left whole.

#include <string>

namespace qx {

// Reads the whole file into `bytes`. Returns false (and clears `bytes`) when the file does not exist;
// raises EFOpenError when it exists but cannot be read.
bool ReadFileBytes(const std::string& path, std::string& bytes);

// Replaces the file's contents by `bytes` as described above; raises EInOutError on failure.
void WriteFileBytesSafely(const std::string& path, const std::string& bytes);

} // namespace qx
