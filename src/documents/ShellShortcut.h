#pragma once
// Shortcuts to documents as this desktop makes them: a symbolic link, or a freedesktop desktop entry
// (a ".desktop" file of Type=Link whose URL names a local file). The roads that open files (the open
// dialog, the command line, a second start's hand-over, dropped files, Insert File) open the target of
// such a shortcut instead of the shortcut itself. A desktop entry of Type=Application starts a program
// and names no document: it is no shortcut here, so it opens as the text it is.

#include <optional>
#include <string>

namespace qx {

struct TShellShortcut {
    std::string Path;           // the target: absolute, as the file system's bytes; it need not exist
    std::string WorkingFolder;  // an entry's "Path" key, if any
    std::string Description;    // an entry's "Comment" (else its "Name"), if any
};

// The shortcut FileName stands for; nothing when it is none (a plain file, a folder, a missing or
// unreadable file, an entry that is no link to a local file, a loop of links).
std::optional<TShellShortcut> ResolveShortcut(const std::string& FileName);

// The name to open for FileName: the shortcut's target when FileName is a shortcut, else FileName.
std::string ShortcutTarget(const std::string& FileName);

// The local path a desktop entry's URL names: a "file:" URL (no host or "localhost") or a reference
// without a scheme, relative to Base; percent-escapes decoded. Nothing for another scheme or host.
std::optional<std::string> LocalPathOfUrl(const std::string& Url, const std::string& Base);

} // namespace qx
