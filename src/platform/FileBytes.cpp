#include "platform/FileBytes.h"

#include "platform/Exception.h"
#include "platform/SystemError.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <exception>
#include <random>
#include <string_view>

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace qx {

namespace {

std::string ErrorText(int error) { return SystemErrorText(error); }

constexpr const char* kNotRegularText = "通常のファイルではありません。";

std::string Quoted(const std::string& path) { return "「" + path + "」"; }

// Closes a descriptor when it goes out of scope.
struct FileDescriptor {
    int fd = -1;
    ~FileDescriptor()
    {
        if (fd >= 0) ::close(fd);
    }
};

// What failed: "ファイル「path」" + What + reason.
[[noreturn]] void RaiseWriteError(const char* what, const std::string& path, const std::string& reason)
{
    throw EInOutError("ファイル" + Quoted(path) + what + reason);
}

constexpr const char* kCannotWrite = "に書き込めません。";

// The file a write must replace: the end of a chain of symbolic links, else the path itself. A chain
// that never ends (a loop) cannot be written, as an in-place write would find.
std::string ResolveTarget(const std::string& path)
{
    std::string current = path;
    for (int hops = 0; hops <= 40; ++hops) {
        struct stat st;
        if (::lstat(current.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return current;
        std::string link(PATH_MAX, '\0');
        const ssize_t n = ::readlink(current.c_str(), link.data(), link.size());
        if (n < 0) return current;
        link.resize(static_cast<std::size_t>(n));
        if (link.empty() || link[0] != '/') {
            const std::size_t slash = current.rfind('/');
            if (slash != std::string::npos) link = current.substr(0, slash + 1) + link;
        }
        current = link;
    }
    RaiseWriteError(kCannotWrite, path, ErrorText(ELOOP));
}

std::string FolderOf(const std::string& path)
{
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return path.substr(0, slash);
}

std::string NameOf(const std::string& path)
{
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

bool WriteAll(int fd, std::string_view bytes)
{
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        done += static_cast<std::size_t>(n);
    }
    return true;
}

// Temporary files of a save: "." + the target's name (shortened so that a long name leaves room) +
// ".qxsave-" + 16 hexadecimal digits + ".tmp".
constexpr std::string_view kTempMark = ".qxsave-";
constexpr std::string_view kTempEnd = ".tmp";
constexpr std::size_t kTempDigits = 16;

std::string TempPrefix(const std::string& target)
{
    return "." + NameOf(target).substr(0, 200) + std::string(kTempMark);
}

bool IsTempName(std::string_view name, std::string_view prefix)
{
    if (name.size() != prefix.size() + kTempDigits + kTempEnd.size()) return false;
    if (name.substr(0, prefix.size()) != prefix || name.substr(name.size() - kTempEnd.size()) != kTempEnd)
        return false;
    for (const char c : name.substr(prefix.size(), kTempDigits))
        if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'))) return false;
    return true;
}

// A save holds its temporary file locked from just after creating it until the rename; one that
// nobody holds and that has not changed for a while is what a killed save left behind. (The while
// covers the moment between a save's creation of its file and its lock.)
constexpr std::time_t kLeftoverAge = 10;

void RemoveLeftovers(const std::string& folder, const std::string& prefix)
{
    DIR* dir = ::opendir(folder.c_str());
    if (!dir) return;
    const std::time_t now = std::time(nullptr);
    while (const dirent* entry = ::readdir(dir)) {
        const std::string_view name = entry->d_name;
        if (!IsTempName(name, prefix)) continue;
        FileDescriptor file;
        file.fd = ::openat(::dirfd(dir), entry->d_name, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
        struct stat st;
        if (file.fd < 0 || ::fstat(file.fd, &st) != 0 || !S_ISREG(st.st_mode)) continue;
        if (now - st.st_mtime < kLeftoverAge || ::flock(file.fd, LOCK_EX | LOCK_NB) != 0) continue;
        (void)::unlinkat(::dirfd(dir), entry->d_name, 0);
    }
    ::closedir(dir);
}

[[noreturn]] void RaiseFolderError(const std::string& folder, int error)
{
    throw EInOutError("フォルダ" + Quoted(folder) + "にファイルを作成できません。" + ErrorText(error));
}

// Thrown from a Put to end the source once the outcome is known (a failed write, a difference):
// the rest of the text is not produced for nothing. Caught only where it is thrown.
struct TStopPieces {};

// Writes each piece of bytes to fd as it comes and counts them in size; answers 0, or the errno of
// the first failed write (the source is stopped there).
int WritePieces(int fd, const TBytePieces& bytes, off_t& size)
{
    int error = 0;
    try {
        bytes([&](std::string_view piece) {
            if (!WriteAll(fd, piece)) {
                error = errno;
                throw TStopPieces();
            }
            size += static_cast<off_t>(piece.size());
        });
    } catch (const TStopPieces&) {
    }
    return error;
}

// The bytes of the file at fd from its start, a buffer at a time; a read error raises EInOutError with
// the system's reason.
TBytePieces FilePieces(int fd)
{
    return [fd](const TBytePut& Put) {
        char buffer[65536];
        if (::lseek(fd, 0, SEEK_SET) != 0) throw EInOutError(ErrorText(errno));
        for (;;) {
            const ssize_t n = ::read(fd, buffer, sizeof buffer);
            if (n == 0) return;
            if (n < 0) {
                if (errno == EINTR) continue;
                throw EInOutError(ErrorText(errno));
            }
            Put(std::string_view(buffer, static_cast<std::size_t>(n)));
        }
    };
}

// Whether the file holds exactly the bytes the source hands over, read through a fresh descriptor a
// buffer at a time (neither side is ever held whole).
bool HoldsBytes(const std::string& target, const TBytePieces& bytes)
{
    FileDescriptor file;
    try {
        file.fd = OpenRegularFile(target);
    } catch (const Exception&) {
        return false;
    }
    if (file.fd < 0) return false;
    bool same = true;
    char buffer[65536];
    auto readInto = [&](std::size_t size) -> ssize_t {
        for (;;) {
            const ssize_t n = ::read(file.fd, buffer, size);
            if (n >= 0 || errno != EINTR) return n;
        }
    };
    try {
        bytes([&](std::string_view piece) {
            while (!piece.empty()) {
                const ssize_t n = readInto(std::min(piece.size(), sizeof buffer));
                if (n <= 0 || std::memcmp(buffer, piece.data(), static_cast<std::size_t>(n)) != 0) {
                    same = false;
                    throw TStopPieces();
                }
                piece.remove_prefix(static_cast<std::size_t>(n));
            }
        });
    } catch (const TStopPieces&) {
    }
    return same && readInto(1) == 0;
}

// Writes bytes over the file at fd from its start and cuts it there, flushed; then reads the file
// back and compares it with the bytes handed over again. False (errno set) when any step fails; an
// exception of the source goes through.
bool OverwriteChecked(int fd, const std::string& target, const TBytePieces& bytes)
{
    if (::lseek(fd, 0, SEEK_SET) != 0) return false;
    off_t size = 0;
    if (const int error = WritePieces(fd, bytes, size); error != 0) {
        errno = error;
        return false;
    }
    if (::ftruncate(fd, size) != 0 || ::fsync(fd) != 0) return false;
    if (HoldsBytes(target, bytes)) return true;
    errno = EIO;
    return false;
}

// The in-place write of a file whose folder refuses the temporary file: a copy of the old bytes goes
// to System's copy folder first (flushed), the new bytes over the file, checked; a failure (an
// exception of the source too) puts the old bytes back from the copy. The copy is removed once the
// file holds whole bytes again; when even the old bytes cannot be put back, the message says where it is.
void WriteInPlace(const std::string& path, const std::string& target, const TBytePieces& bytes, TSaveFileSystem& System)
{
    FileDescriptor file;
    file.fd = ::open(target.c_str(), O_WRONLY | O_NOCTTY | O_CLOEXEC);
    if (file.fd < 0) RaiseWriteError(kCannotWrite, path, ErrorText(errno));
    const std::string folder = System.CopyFolder();
    std::string copy = folder + "/" + NameOf(target).substr(0, 200) + std::string(kTempMark) + "XXXXXX";
    FileDescriptor saved;
    saved.fd = ::mkstemp(copy.data());
    if (saved.fd < 0) RaiseFolderError(folder, errno);
    {
        FileDescriptor old;
        old.fd = ::open(target.c_str(), O_RDONLY | O_NOCTTY | O_CLOEXEC);
        off_t size = 0;
        int error = old.fd < 0 ? errno : 0;
        try {
            if (error == 0) error = WritePieces(saved.fd, FilePieces(old.fd), size);
        } catch (const Exception&) {
            error = errno != 0 ? errno : EIO;
        }
        if (error == 0 && ::fsync(saved.fd) != 0) error = errno;
        if (error != 0) {
            ::unlink(copy.c_str());
            RaiseFolderError(folder, error);
        }
    }
    std::exception_ptr thrown;
    try {
        if (OverwriteChecked(file.fd, target, bytes)) {
            ::unlink(copy.c_str());
            return;
        }
    } catch (...) {
        thrown = std::current_exception();
    }
    int error = errno;
    bool restored = false;
    try {
        restored = OverwriteChecked(file.fd, target, FilePieces(saved.fd));
    } catch (const Exception&) {
    }
    if (restored) {
        ::unlink(copy.c_str());
        if (thrown) std::rethrow_exception(thrown);
        RaiseWriteError(kCannotWrite, path, ErrorText(error));
    }
    if (thrown) error = errno != 0 ? errno : EIO;
    throw EInOutError("ファイル" + Quoted(path) + kCannotWrite + ErrorText(error) + "元の内容は" + Quoted(copy) +
                      "に残してあります。");
}

} // namespace

int OpenRegularFile(const std::string& path)
{
    auto refuse = [&](const std::string& reason) -> int {
        throw EFOpenError("ファイル" + Quoted(path) + "を開けません。" + reason);
    };
    // Looked at before it is opened: opening a device may already do something.
    struct stat st;
    if (::stat(path.c_str(), &st) != 0) {
        if (errno == ENOENT || errno == ENOTDIR) return -1;
        return refuse(ErrorText(errno));
    }
    if (!S_ISREG(st.st_mode)) return refuse(kNotRegularText);
    // Non-blocking, in case a pipe has taken the file's place since.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        if (errno == ENOENT || errno == ENOTDIR) return -1;
        return refuse(ErrorText(errno));
    }
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        const int error = errno;
        const bool regular = S_ISREG(st.st_mode);
        ::close(fd);
        return refuse(regular ? ErrorText(error) : kNotRegularText);
    }
    const int flags = ::fcntl(fd, F_GETFL);
    if (flags >= 0) (void)::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
    return fd;
}

bool ReadFileBytes(const std::string& path, std::string& bytes)
{
    bytes.clear();
    FileDescriptor file;
    file.fd = OpenRegularFile(path);
    if (file.fd < 0) return false;
    char buffer[65536];
    for (;;) {
        const ssize_t n = ::read(file.fd, buffer, sizeof buffer);
        if (n == 0) break;
        if (n < 0) {
            if (errno == EINTR) continue;
            const int error = errno;
            bytes.clear();
            throw EFOpenError("ファイル" + Quoted(path) + "を読み込めません。" + ErrorText(error));
        }
        bytes.append(buffer, static_cast<std::size_t>(n));
    }
    return true;
}

int CreateSaveTempFile(const std::string& target, std::string& temp)
{
    const int fd = SystemSaveFileSystem().CreateTemp(target, temp);
    if (fd < 0) RaiseFolderError(FolderOf(target), errno);
    return fd;
}

int TSaveFileSystem::CreateTemp(const std::string& Target, std::string& Temp)
{
    // A fresh, unguessable name beside the target: O_EXCL keeps us off anybody else's file.
    thread_local std::mt19937_64 random{std::random_device{}()};
    const std::string prefix = TempPrefix(Target);
    int fd = -1;
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        char digits[kTempDigits + 1];
        std::snprintf(digits, sizeof digits, "%016llx", static_cast<unsigned long long>(random()));
        Temp = FolderOf(Target) + "/" + prefix + digits + std::string(kTempEnd);
        fd = ::open(Temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST) break;
    }
    if (fd >= 0) (void)::flock(fd, LOCK_EX | LOCK_NB); // marks it as in use (see RemoveLeftovers)
    return fd;
}

bool TSaveFileSystem::MayWrite(const std::string& Target)
{
    return ::faccessat(AT_FDCWD, Target.c_str(), W_OK, AT_EACCESS) == 0;
}

std::string TSaveFileSystem::CopyFolder()
{
    const char* folder = std::getenv("TMPDIR");
    return folder && *folder ? folder : "/tmp";
}

TSaveFileSystem& SystemSaveFileSystem()
{
    static TSaveFileSystem system;
    return system;
}

void WriteFileBytesSafely(const std::string& path, const TBytePieces& bytes, TSaveFileSystem& System)
{
    const std::string target = ResolveTarget(path);
    const std::string folder = FolderOf(target);

    struct stat old;
    const bool exists = ::stat(target.c_str(), &old) == 0;
    if (!exists && errno != ENOENT) RaiseWriteError(kCannotWrite, path, ErrorText(errno));
    // A pipe or a device is never replaced by a regular file (think of a file linked to /dev/null).
    if (exists && !S_ISREG(old.st_mode)) RaiseWriteError(kCannotWrite, path, kNotRegularText);
    // The rename needs only the folder's permission; a file that may not be written is not replaced.
    if (exists && !System.MayWrite(target)) RaiseWriteError(kCannotWrite, path, ErrorText(errno));

    std::string temp;
    FileDescriptor file;
    file.fd = System.CreateTemp(target, temp);
    if (file.fd < 0) {
        // A folder that takes no new file may still hold a file this user may write: it is written in
        // place, once a copy of its old bytes is safe elsewhere.
        const int error = errno;
        if (exists && (error == EACCES || error == EPERM)) return WriteInPlace(path, target, bytes, System);
        RaiseFolderError(folder, error);
    }

    auto fail = [&](const char* what) {
        const int error = errno;
        ::close(file.fd);
        file.fd = -1;
        ::unlink(temp.c_str());
        RaiseWriteError(what, path, ErrorText(error));
    };
    int error = 0;
    try {
        off_t size = 0;
        error = WritePieces(file.fd, bytes, size);
    } catch (...) {
        ::close(file.fd);
        file.fd = -1;
        ::unlink(temp.c_str());
        throw;
    }
    if (error != 0) {
        errno = error;
        fail(kCannotWrite);
    }
    if (exists) {
        // The owner first: a change of owner clears the set-user-ID and set-group-ID bits, which the
        // mode then puts back. Keeping the owner is only possible for the privileged; a failure there is
        // no error.
        if (old.st_uid != ::geteuid() || old.st_gid != ::getegid())
            (void)!::fchown(file.fd, old.st_uid, old.st_gid);
        if (::fchmod(file.fd, old.st_mode & 07777) != 0) fail("のアクセス権を保てません。");
    }
    if (::fsync(file.fd) != 0) fail(kCannotWrite);
    if (::rename(temp.c_str(), target.c_str()) != 0) fail("を置き換えられません。");
    // Closed only now (the data is on disk already): the lock stays until the name is gone.
    ::close(file.fd);
    file.fd = -1;
    // Make the rename itself durable.
    FileDescriptor dir;
    dir.fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir.fd >= 0) (void)::fsync(dir.fd);
    RemoveLeftovers(folder, TempPrefix(target));
}

void WriteFileBytesSafely(const std::string& path, const std::string& bytes, TSaveFileSystem& System)
{
    WriteFileBytesSafely(path, [&bytes](const TBytePut& Put) { Put(bytes); }, System);
}

} // namespace qx
