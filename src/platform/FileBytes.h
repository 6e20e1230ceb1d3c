#pragma once
// Whole-file reads and safe whole-file writes. Paths are the file system's own bytes.
//
// Only regular files are read or replaced: a pipe, a device or a folder in a file's place is an error,
// found without waiting for a writer or reading anything (a pipe would be read once and lost, /dev/zero
// never ends).
//
// A safe write never leaves a half-written file behind: the bytes go to a temporary file in the same
// folder, are flushed to disk and the temporary file is renamed over the target, keeping the old file's
// owner and permissions, set-user-ID and set-group-ID bits included (a new file gets the usual 0666 less
// the umask). A symbolic link is followed, so the file it points at is replaced and the link stays; a
// loop of links is an error. A file that this user may not write is not replaced. On failure the old
// file is left whole. The temporary file is named after the target (".name.qxsave-XXXXXXXXXXXXXXXX.tmp")
// and held locked while it is written, so that a later save of the same file removes what a save that
// was killed left behind.

#include <functional>
#include <string>
#include <string_view>

namespace qx {

// Opens a file for reading without blocking on a pipe that has no writer. Returns the descriptor, or -1
// (errno set) when the file does not exist; raises EFOpenError when it exists but cannot be opened or is
// not a regular file.
int OpenRegularFile(const std::string& path);

// Reads the whole file into `bytes`. Returns false (and clears `bytes`) when the file does not exist;
// raises EFOpenError when it exists but cannot be read or is not a regular file.
bool ReadFileBytes(const std::string& path, std::string& bytes);

// The steps of a safe write that this user's permissions may refuse. Tests, which run as root (whom no
// permission refuses), give their own.
class TSaveFileSystem {
public:
    virtual ~TSaveFileSystem() = default;
    // Creates the temporary file of a save of Target beside it, named and locked as described above,
    // and returns its descriptor (open for writing) with its name in Temp; -1 (errno set) when the
    // folder refuses it.
    virtual int CreateTemp(const std::string& Target, std::string& Temp);
    // Whether this user may write the existing file Target (errno set when not).
    virtual bool MayWrite(const std::string& Target);
    // Where a copy of a file's old bytes waits while the file is written in place: $TMPDIR or /tmp.
    virtual std::string CopyFolder();
};
TSaveFileSystem& SystemSaveFileSystem();

// Creates the temporary file of a save of `target` beside it, named and locked as described above, and
// returns its descriptor (open for writing) with its name in `temp`; raises EInOutError naming the folder
// when it cannot.
// For writers that fill and rename it themselves (a copy).
int CreateSaveTempFile(const std::string& target, std::string& temp);

// Bytes handed over piece by piece: a source calls Put with each of its pieces in order. A large text
// is written this way as it is produced, never held whole. A source may be called more than once and
// then hands over the same bytes. A Put may throw to end the source early (once a write has failed);
// the source lets it through.
using TBytePut = std::function<void(std::string_view Piece)>;
using TBytePieces = std::function<void(const TBytePut& Put)>;

// Replaces the file's contents by `bytes` as described above, each piece written as it comes; raises
// EInOutError on failure (and lets an exception of the source through), its message in Japanese with
// the system's reason. When the folder refuses the temporary file (a permission) but the file itself
// may be written, the file is written in place instead, once a copy of its old bytes is flushed in the
// copy folder; the file is then read back and compared with the bytes the source hands over a second
// time, and a failure puts the old ones back. Otherwise the message names the folder that refuses.
void WriteFileBytesSafely(const std::string& path, const TBytePieces& bytes,
                          TSaveFileSystem& System = SystemSaveFileSystem());
void WriteFileBytesSafely(const std::string& path, const std::string& bytes,
                          TSaveFileSystem& System = SystemSaveFileSystem());

} // namespace qx
