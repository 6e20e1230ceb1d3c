// TQxEditor: the lock on its file, the file's time stamp, and saving the text.

#include "editor/QxEditor.h"

#include "documents/DocumentCodec.h"
#include "documents/DocumentFiles.h"
#include "platform/Exception.h"
#include "platform/FileBytes.h"

#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace qx {

void TQxEditor::OpenLockFile(const std::string& FileName)
{
    if (Locked()) return;
    int fd = -1;
    try {
        fd = OpenRegularFile(FileName);
    } catch (const Exception&) {
        return;  // not a file to hold: no lock
    }
    if (fd < 0) return;
    const int operation = FLockFileMode == lfmShareExclusive   ? LOCK_EX
                          : FLockFileMode == lfmShareDenyWrite ? LOCK_SH
                                                               : 0;
    if (operation != 0 && ::flock(fd, operation | LOCK_NB) != 0) {
        ::close(fd);
        return;
    }
    FLockFd = fd;
    FLockFileName = FileName;
}

void TQxEditor::CloseLockFile()
{
    if (FLockFd >= 0) ::close(FLockFd);  // closing the last descriptor gives the lock back
    FLockFd = -1;
    FLockFileName.clear();
}

TFileTStamp TQxEditor::FileDateTime(const std::string& FileName)
{
    struct stat st;
    if (::stat(FileName.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return {};
    TFileTStamp stamp;
    stamp.Seconds = st.st_mtim.tv_sec;
    stamp.Nanoseconds = st.st_mtim.tv_nsec;
    stamp.Size = static_cast<std::uint64_t>(st.st_size);
    stamp.Device = st.st_dev;
    stamp.Inode = st.st_ino;
    stamp.Valid = true;
    return stamp;
}

void TQxEditor::StoreFileTStamp(const std::string& FileName)
{
    FFileTStamp = FileDateTime(FileName);
    FTStampFileName = FileName;
}

bool TQxEditor::SameFileTStamp(const std::string& FileName) const
{
    // A stamp of another file (or none) tells nothing about this one.
    if (!FFileTStamp.Valid || NormalizeDocumentName(FTStampFileName) != NormalizeDocumentName(FileName)) return true;
    const TFileTStamp now = FileDateTime(FileName);
    return !now.Valid || now == FFileTStamp;
}

void TQxEditor::SaveText(const TBytePut& Put) const { SharedList()->SaveText(Put); }

std::size_t TQxEditor::SaveToFile(const std::string& FileName)
{
    std::size_t lost = 0;
    const bool mark = Utf8Mark && FSaveFileCharType == sfctUTF8;
    WriteFileBytesSafely(FileName, [&](const TBytePut& Put) {
        EncodeDocument([this](const TBytePut& Text) { SaveText(Text); }, FSaveFileCharType, FSaveFileRtrnType, Put, &lost,
                       mark);
    });
    // The file renamed into place is a new one: a lock on the old one would guard nothing, and the new
    // date is no change made by another program.
    const std::string name = NormalizeDocumentName(FileName);
    if (Locked() && NormalizeDocumentName(FLockFileName) == name) {
        CloseLockFile();
        OpenLockFile(FileName);
    }
    if (FFileTStamp.Valid && NormalizeDocumentName(FTStampFileName) == name) StoreFileTStamp(FileName);
    return lost;
}

} // namespace qx
