#pragma once
// Test helper: a byte string from hex pairs ("81 40 41"); spaces are ignored.

#include <stdexcept>
#include <string>
#include <string_view>

namespace qx::test {

inline std::string Bytes(std::string_view hex)
{
    std::string out;
    int high = -1;
    for (char c : hex) {
        int v;
        if (c >= '0' && c <= '9') v = c - '0';
        else if (c >= 'a' && c <= 'f') v = c - 'a' + 10;
        else if (c >= 'A' && c <= 'F') v = c - 'A' + 10;
        else if (c == ' ') continue;
        else throw std::invalid_argument("bad hex digit");
        if (high < 0) {
            high = v;
        } else {
            out.push_back(static_cast<char>(high * 16 + v));
            high = -1;
        }
    }
    if (high >= 0) throw std::invalid_argument("odd number of hex digits");
    return out;
}

} // namespace qx::test
