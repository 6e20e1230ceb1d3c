#include "documents/DocumentFiles.h"

#include "documents/DocumentCodes.h"
#include "documents/MessageDialog.h"
#include "documents/MessageTexts.h"
#include "platform/Exception.h"
#include "platform/FileBytes.h"
#include "platform/SystemError.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace qx {

namespace {

struct Descriptor {
    int Fd = -1;
    Descriptor() = default;
    explicit Descriptor(int Fd) : Fd(Fd) {}
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    ~Descriptor() { Close(); }
    int Close()
    {
        const int Result = Fd >= 0 ? ::close(Fd) : 0;
        Fd = -1;
        return Result;
    }
};

// Opens a file for reading without ever blocking (a FIFO with no writer) and without taking a terminal.
int OpenForReading(const std::string& FileName)
{
    return ::open(FileName.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
}

bool WriteAll(int Fd, const char* Data, std::size_t Size)
{
    while (Size > 0) {
        const ssize_t N = ::write(Fd, Data, Size);
        if (N < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        Data += N;
        Size -= static_cast<std::size_t>(N);
    }
    return true;
}

bool SameFile(const struct stat& A, const struct stat& B) { return A.st_dev == B.st_dev && A.st_ino == B.st_ino; }

// Renames From to To; without Replace an existing To is refused (EEXIST), never replaced.
bool RenameFile(const std::string& From, const std::string& To, bool Replace)
{
    if (Replace) return ::rename(From.c_str(), To.c_str()) == 0;
    if (::renameat2(AT_FDCWD, From.c_str(), AT_FDCWD, To.c_str(), RENAME_NOREPLACE) == 0) return true;
    if (errno != EINVAL && errno != ENOSYS) return false;
    // A file system without the no-replace rename: a hard link also refuses an existing name.
    if (::link(From.c_str(), To.c_str()) != 0) return false;
    ::unlink(From.c_str());
    return true;
}

// Copies the regular file Source into a fresh temporary file beside Dest (with Source's permissions,
// flushed), then renames it to Dest.
bool CopyRegularFile(const std::string& Source, const std::string& Dest, bool Overwrite)
{
    Descriptor In(OpenForReading(Source));
    struct stat SourceStat;
    if (In.Fd < 0 || ::fstat(In.Fd, &SourceStat) != 0 || !S_ISREG(SourceStat.st_mode)) return false;
    std::string Temp;
    Descriptor Out;
    try {
        Out.Fd = CreateSaveTempFile(Dest, Temp);
    } catch (const Exception&) {
        return false;
    }
    bool Ok = true;
    char Buffer[1 << 16];
    for (;;) {
        const ssize_t N = ::read(In.Fd, Buffer, sizeof Buffer);
        if (N == 0) break;
        if (N < 0) {
            if (errno == EINTR) continue;
            Ok = false;
            break;
        }
        if (!WriteAll(Out.Fd, Buffer, static_cast<std::size_t>(N))) {
            Ok = false;
            break;
        }
    }
    Ok = Ok && ::fchmod(Out.Fd, SourceStat.st_mode & 07777) == 0 && ::fsync(Out.Fd) == 0;
    Ok = Out.Close() == 0 && Ok;
    Ok = Ok && RenameFile(Temp, Dest, Overwrite);
    if (!Ok) {
        const int Error = errno;
        ::unlink(Temp.c_str());
        errno = Error;
    }
    return Ok;
}

} // namespace

int TestOpenFile(const std::string& FileName)
{
    struct stat St;
    if (::stat(FileName.c_str(), &St) != 0) return errno == EACCES || errno == ELOOP ? otOpenError : otNotFound;
    if (S_ISDIR(St.st_mode)) return otNotFound;
    if (!S_ISREG(St.st_mode)) return otOpenError;
    Descriptor File(OpenForReading(FileName));
    if (File.Fd < 0) return errno == ENOENT ? otNotFound : otOpenError;
    // The name may have changed hands since the stat: judge the file that was opened.
    if (::fstat(File.Fd, &St) != 0 || !S_ISREG(St.st_mode)) return otOpenError;
    if (::flock(File.Fd, LOCK_EX | LOCK_NB) != 0) return errno == EWOULDBLOCK ? otLocked : otNormal;
    ::flock(File.Fd, LOCK_UN);
    return otNormal;
}

namespace {

// A regular file, read through one descriptor (a FIFO or a device is refused at the open).
class TFileSource : public TByteSource {
public:
    TFileSource(const std::string& FileName, const TLoadProgress& Progress)
        : FFileName(FileName), FFile(OpenRegularFile(FileName)), FProgress(Progress)
    {
        if (FFile.Fd < 0) throw EFOpenError(FileOpenErrorText(FileName, errno));
        struct stat St;
        if (FProgress && ::fstat(FFile.Fd, &St) == 0) FSize = static_cast<std::uint64_t>(St.st_size);
    }

    std::size_t Read(char* Into, std::size_t Size) override
    {
        for (;;) {
            const ssize_t N = ::read(FFile.Fd, Into, Size);
            if (N >= 0) {
                FDone += static_cast<std::uint64_t>(N);
                if (FProgress) FProgress(std::min(FDone, FSize), FSize);
                return static_cast<std::size_t>(N);
            }
            if (errno != EINTR) Failed();
        }
    }

    void Seek(std::uint64_t Offset) override
    {
        if (::lseek(FFile.Fd, static_cast<off_t>(Offset), SEEK_SET) < 0) Failed();
        FDone = Offset;
    }

private:
    [[noreturn]] void Failed() const
    {
        throw EInOutError(FileReadErrorText(FFileName, errno));
    }

    std::string FFileName;
    Descriptor FFile;
    const TLoadProgress& FProgress;
    std::uint64_t FSize = 0, FDone = 0;
};

} // namespace

TDecodedDocument LoadDocumentFile(const std::string& FileName, int OpenCode, TPrompter& Prompter, TTextSink& Sink,
                                  const TLoadProgress& Progress)
{
    TDecodedDocument Result;
    try {
        TFileSource Source(FileName, Progress);
        Result = DecodeDocument(Source, OpenCode, Prompter, Sink);
    } catch (const Exception& E) {
        ShowMessageDialog(Prompter, MsgFileReadError(FileName, E.what()), "", TMsgDlgType::mtError,
                          {TMsgDlgBtn::mbOK});
        Result = {};
        Result.Status = TLoadStatus::ReadError;
        return Result;
    }
    switch (Result.Status) {
    case TLoadStatus::Loaded:
        // What the text holds that the file did not, before anything is saved.
        if (Result.Lost > 0)
            ShowMessageDialog(Prompter, MsgCharactersReplaced(FileName, Result.Lost, LostCharacterMark(Result.CharType)),
                              "", TMsgDlgType::mtWarning, {TMsgDlgBtn::mbOK});
        if (Result.Nuls > 0)
            ShowMessageDialog(Prompter, MsgNulBytesReplaced(FileName, Result.Nuls), "", TMsgDlgType::mtWarning,
                              {TMsgDlgBtn::mbOK});
        break;
    case TLoadStatus::NotInCode:
        ShowMessageDialog(Prompter, MsgNotInCharCode(FileName, "UTF-8"), "", TMsgDlgType::mtError,
                          {TMsgDlgBtn::mbOK});
        break;
    case TLoadStatus::BadChoice:
        ShowMessageDialog(Prompter, MsgFileOpenError(FileName), "", TMsgDlgType::mtError, {TMsgDlgBtn::mbOK});
        break;
    case TLoadStatus::Cancelled:
    case TLoadStatus::ReadError: break;
    }
    return Result;
}

TDecodedDocument LoadDocumentFile(const std::string& FileName, int OpenCode, TPrompter& Prompter)
{
    TStringSink Sink;
    TDecodedDocument Result = LoadDocumentFile(FileName, OpenCode, Prompter, Sink);
    if (Result.Status == TLoadStatus::Loaded) Result.Text = std::move(Sink.Text);
    return Result;
}

TFileWriter SafeFileWriter()
{
    return [](const std::string& Path, const TBytePieces& Bytes) { WriteFileBytesSafely(Path, Bytes); };
}

bool WriteTextFile(TPrompter& Prompter, const std::string& FileName, const TBytePieces& Text, int CharType,
                   int RtrnType, const TFileWriter& Writer, bool Utf8Mark)
{
    std::size_t Lost = 0;
    if (CharTypeMayLose(CharType)) EncodeDocument(Text, CharType, RtrnType, [](std::string_view) {}, &Lost);
    if (Lost > 0 && ShowMessageDialog(Prompter, MsgCharactersWillBeLost(FileName, Lost), "",
                                      TMsgDlgType::mtConfirmation,
                                      {TMsgDlgBtn::mbYes, TMsgDlgBtn::mbNo}) != mr::Yes)
        return false;
    try {
        Writer(FileName, [&](const TBytePut& Put) { EncodeDocument(Text, CharType, RtrnType, Put, nullptr, Utf8Mark); });
    } catch (const Exception& E) {
        ShowMessageDialog(Prompter, MsgFileWriteError(FileName, E.what()), "", TMsgDlgType::mtError,
                          {TMsgDlgBtn::mbOK});
        return false;
    }
    return true;
}

bool WriteTextFile(TPrompter& Prompter, const std::string& FileName, std::string_view Text, int CharType,
                   int RtrnType, const TFileWriter& Writer)
{
    return WriteTextFile(Prompter, FileName, [Text](const TBytePut& Put) { Put(Text); }, CharType, RtrnType, Writer);
}

bool CopyFileTo(const std::string& Source, const std::string& Dest, bool Overwrite)
{
    struct stat S, D;
    if (::stat(Source.c_str(), &S) != 0) return false;
    if (::stat(Dest.c_str(), &D) == 0) {
        if (!Overwrite) return false;
        if (SameFile(S, D)) return true;  // the file is already there, and a copy onto itself would empty it
    }
    return CopyRegularFile(Source, Dest, Overwrite);
}

bool MoveFileTo(const std::string& Source, const std::string& Dest, bool Overwrite)
{
    struct stat S, D;
    if (::lstat(Source.c_str(), &S) != 0) return false;
    if (::lstat(Dest.c_str(), &D) == 0) {
        if (SameFile(S, D)) return true;
        if (!Overwrite) return false;
    }
    if (RenameFile(Source, Dest, Overwrite)) return true;
    if (errno != EXDEV) return false;
    // Another file system: the copy is in place and flushed before the source goes.
    return CopyRegularFile(Source, Dest, Overwrite) && ::unlink(Source.c_str()) == 0;
}

std::string NormalizeDocumentName(const std::string& FileName)
{
    if (FileName.empty()) return FileName;
    std::error_code Ignored;
    std::filesystem::path Path = std::filesystem::absolute(FileName, Ignored);
    if (Path.empty()) Path = FileName;
    return Path.lexically_normal().string();
}

int FindTabByFileName(const std::string& FileName, const std::vector<std::string>& TabFileNames)
{
    const std::string Wanted = NormalizeDocumentName(FileName);
    for (std::size_t I = 0; I < TabFileNames.size(); ++I)
        if (!TabFileNames[I].empty() && NormalizeDocumentName(TabFileNames[I]) == Wanted) return static_cast<int>(I) + 1;
    return 0;
}

} // namespace qx
