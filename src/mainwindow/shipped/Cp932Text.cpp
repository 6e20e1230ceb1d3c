// Build tool: writes a UTF-8 text file as CP932 with CR LF line ends, through the program's own codec.
// A character without a CP932 code fails the build, naming its line, so that no shipped text ever
// shows "?" in place of a character.
//
//   qx_cp932_text <source.txt> <target>

#include "platform/Cp932.h"

#include <cstdio>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s <source.txt> <target>\n", argv[0]);
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary);
    if (!in) {
        std::fprintf(stderr, "%s: cannot read\n", argv[1]);
        return 1;
    }
    std::istringstream lines{std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>())};
    std::string out, line;
    for (int number = 1; std::getline(lines, line); ++number) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        std::size_t lost = 0;
        out += qx::Utf8ToCp932(line, &lost) + "\r\n";
        if (lost) {
            std::fprintf(stderr, "%s:%d: %zu character(s) without a CP932 code\n", argv[1], number, lost);
            return 1;
        }
    }
    std::ofstream file(argv[2], std::ios::binary | std::ios::trunc);
    if (!(file << out) || !file.flush()) {
        std::fprintf(stderr, "%s: cannot write\n", argv[2]);
        return 1;
    }
    return 0;
}
