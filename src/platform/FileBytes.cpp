#include "platform/FileBytes.h"

#include "platform/Exception.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace qx {

namespace {

std::string ErrorText(int error) { return std::strerror(error); }

// Closes a descriptor when it goes out of scope.
struct FileDescriptor {
    int fd = -1;
    ~FileDescriptor()
    {
        if (fd >= 0) ::close(fd);
    }
};

// The file a write must replace: the target of a symbolic link, else the path itself.
std::string ResolveTarget(const std::string& path)
{
    struct stat st;
    if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return path;
    std::string current = path;
    for (int hops = 0; hops < 40; ++hops) {
        std::string link(PATH_MAX, '\0');
        const ssize_t n = ::readlink(current.c_str(), link.data(), link.size());
        if (n < 0) return current;
        link.resize(static_cast<std::size_t>(n));
        if (link.empty() || link[0] != '/') {
            const std::size_t slash = current.rfind('/');
            if (slash != std::string::npos) link = current.substr(0, slash + 1) + link;
        }
        current = link;
        if (::lstat(current.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return current;
    }
    return current;
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

bool WriteAll(int fd, const std::string& bytes)
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

} // namespace

bool ReadFileBytes(const std::string& path, std::string& bytes)
{
    bytes.clear();
    FileDescriptor file;
    file.fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (file.fd < 0) {
        if (errno == ENOENT || errno == ENOTDIR) return false;
        throw EFOpenError("Cannot open file \"" + path + "\". " + ErrorText(errno));
    }
    char buffer[65536];
    for (;;) {
        const ssize_t n = ::read(file.fd, buffer, sizeof buffer);
        if (n == 0) break;
        if (n < 0) {
            if (errno == EINTR) continue;
            const int error = errno;
            bytes.clear();
            throw EFOpenError("Cannot read file \"" + path + "\". " + ErrorText(error));
        }
        bytes.append(buffer, static_cast<std::size_t>(n));
    }
    return true;
}

void WriteFileBytesSafely(const std::string& path, const std::string& bytes)
{
    const std::string target = ResolveTarget(path);
    const std::string folder = FolderOf(target);

    struct stat old;
    const bool exists = ::stat(target.c_str(), &old) == 0;
    // The rename needs only the folder's permission; a file that may not be written is not replaced.
    if (exists && ::faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) != 0)
        throw EInOutError("Cannot write file \"" + path + "\". " + ErrorText(errno));

    // A fresh, unguessable name beside the target: O_EXCL keeps us off anybody else's file.
    thread_local std::mt19937_64 random{std::random_device{}()};
    std::string temp;
    FileDescriptor file;
    for (int attempt = 0; attempt < 100 && file.fd < 0; ++attempt) {
        char suffix[17];
        std::snprintf(suffix, sizeof suffix, "%016llx", static_cast<unsigned long long>(random()));
        // The name is shortened so that a long file name still leaves room for the suffix.
        temp = folder + "/." + NameOf(target).substr(0, 200) + "." + suffix + ".tmp";
        file.fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (file.fd < 0 && errno != EEXIST) break;
    }
    if (file.fd < 0)
        throw EInOutError("Cannot create file \"" + path + "\". " + ErrorText(errno));

    auto fail = [&](const char* what) {
        const int error = errno;
        if (file.fd >= 0) ::close(file.fd);
        file.fd = -1;
        ::unlink(temp.c_str());
        throw EInOutError(std::string(what) + " \"" + path + "\". " + ErrorText(error));
    };
    if (!WriteAll(file.fd, bytes)) fail("Cannot write file");
    if (exists) {
        if (::fchmod(file.fd, old.st_mode & 07777) != 0) fail("Cannot keep the permissions of file");
        // Keeping the owner is only possible for the privileged; a failure there is no error.
        if (old.st_uid != ::geteuid() || old.st_gid != ::getegid())
            (void)!::fchown(file.fd, old.st_uid, old.st_gid);
    }
    if (::fsync(file.fd) != 0) fail("Cannot write file");
    const int closed = ::close(file.fd);
    file.fd = -1;
    if (closed != 0) fail("Cannot write file");
    if (::rename(temp.c_str(), target.c_str()) != 0) fail("Cannot replace file");
    // Make the rename itself durable.
    FileDescriptor dir;
    dir.fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir.fd >= 0) (void)::fsync(dir.fd);
}

} // namespace qx
