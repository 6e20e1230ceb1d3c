#pragma once
// Test helper: permission cases that must hold although the tests may run as root, who may read and
// write any file.

#include <functional>

#include <sys/wait.h>
#include <unistd.h>

namespace qx::test {

// Runs `body` as an ordinary user (in a child process when the tests run as root) and returns its
// result; -1 when it could not be run.
inline int RunUnprivileged(const std::function<int()>& body)
{
    if (::geteuid() != 0) return body();
    const pid_t child = ::fork();
    if (child < 0) return -1;
    if (child == 0) {
        if (::setgid(65534) != 0 || ::setuid(65534) != 0) ::_exit(100);
        ::_exit(body());
    }
    int status = 0;
    if (::waitpid(child, &status, 0) != child || !WIFEXITED(status)) return -1;
    return WEXITSTATUS(status);
}

} // namespace qx::test
