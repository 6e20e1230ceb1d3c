#include "mainwindow/desktop/HandOverFolder.h"

#include <cerrno>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace qx {

namespace {

constexpr mode_t PrivateMode = 0700;

bool IsPrivate(const struct stat& st, uid_t user)
{
    return S_ISDIR(st.st_mode) && st.st_uid == user && (st.st_mode & 0777) == PrivateMode;
}

} // namespace

bool IsPrivateFolder(const std::string& folder, uid_t user)
{
    struct stat st {};
    return ::lstat(folder.c_str(), &st) == 0 && IsPrivate(st, user);
}

std::string HandOverFolder(const std::string& runtimeFolder, const std::string& tempFolder, uid_t user)
{
    if (!runtimeFolder.empty() && runtimeFolder.front() == '/' && IsPrivateFolder(runtimeFolder, user))
        return runtimeFolder;
    if (tempFolder.empty()) return {};
    const std::string folder = tempFolder + "/QxEditor-" + std::to_string(user);
    if (::mkdir(folder.c_str(), PrivateMode) == 0) {
        // Made just now, so ours: the umask may have taken bits that the owner needs. Through a descriptor
        // of the folder itself, so that nothing put in its place meanwhile is changed.
        const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
        if (fd >= 0) {
            (void)::fchmod(fd, PrivateMode);
            ::close(fd);
        }
    } else if (errno != EEXIST) {
        return {};
    }
    // A folder found there is used only as it must be: nobody else's, no link, nobody else may write.
    return IsPrivateFolder(folder, user) ? folder : std::string();
}

} // namespace qx
