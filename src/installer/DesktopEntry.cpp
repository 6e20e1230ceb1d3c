#include "installer/DesktopEntry.h"

namespace qx {

namespace {

// The string escapes of the desktop entry format (\s is only needed at the start of a value).
std::string EscapeString(std::string_view text)
{
    std::string out;
    for (char c : text) {
        switch (c) {
        case '\\': out += "\\\\"; break;
        case '\n': out += "\\n"; break;
        case '\t': out += "\\t"; break;
        case '\r': out += "\\r"; break;
        default: out += c;
        }
    }
    if (!out.empty() && out[0] == ' ') out.replace(0, 1, "\\s");
    return out;
}

} // namespace

std::string DesktopExecArgument(std::string_view argument)
{
    static constexpr std::string_view kReserved = " \t\n\"'\\><~|&;$*?#()`";
    std::string quoted;
    if (argument.empty() || argument.find_first_of(kReserved) != std::string_view::npos) {
        quoted += '"';
        for (char c : argument) {
            if (c == '"' || c == '`' || c == '$' || c == '\\') quoted += '\\';
            quoted += c;
        }
        quoted += '"';
    } else {
        quoted = argument;
    }
    std::string out;
    for (char c : EscapeString(quoted)) {
        out += c;
        if (c == '%') out += '%';
    }
    return out;
}

std::vector<std::string> SplitArguments(std::string_view text)
{
    std::vector<std::string> args;
    std::string current;
    bool inArgument = false, quoted = false;
    for (char c : text) {
        if (c == '"') {
            quoted = !quoted;
            inArgument = true;
        } else if ((c == ' ' || c == '\t') && !quoted) {
            if (inArgument) args.push_back(current);
            current.clear();
            inArgument = false;
        } else {
            current += c;
            inArgument = true;
        }
    }
    if (inArgument) args.push_back(current);
    return args;
}

std::string FormatDesktopEntry(const TDesktopEntry& entry)
{
    std::string exec = DesktopExecArgument(entry.Program.string());
    for (const std::string& arg : entry.Arguments) exec += " " + DesktopExecArgument(arg);
    std::string text = "[Desktop Entry]\n"
                       "Type=Application\n"
                       "Name=" + EscapeString(entry.Name) + "\n"
                       "Exec=" + exec + "\n"
                       "Path=" + EscapeString(entry.WorkingFolder.string()) + "\n";
    if (!entry.Icon.empty()) text += "Icon=" + EscapeString(entry.Icon) + "\n";
    return text;
}

} // namespace qx
