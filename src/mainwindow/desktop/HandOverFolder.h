#pragma once
// The folder that holds the hand-over socket. Whoever can create files in it can take the socket's
// name first and so receive every later start's file names, or keep the editor from starting: it must
// be this user's alone. $XDG_RUNTIME_DIR is such a folder by its definition, but it is checked too (under
// su or sudo it may still name the first user's); without it a folder of the user's own is made in the
// temporary folder, which every local user can write.

#include <string>

#include <sys/types.h>

namespace qx {

// True when `folder` is a real folder (not a link to one) owned by `user` with mode 0700 exactly.
bool IsPrivateFolder(const std::string& folder, uid_t user);

// The socket's folder: `runtimeFolder` when it is an absolute path of a private folder; else
// "<tempFolder>/QxEditor-<user>", made (mode 0700) when missing and used when private. "" when neither
// is: a folder another user prepared is never used, and the program then runs without single-instance
// mode.
std::string HandOverFolder(const std::string& runtimeFolder, const std::string& tempFolder, uid_t user);

} // namespace qx
