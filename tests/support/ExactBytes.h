#pragma once
// Test helper: a copy of a byte string in a heap block of exactly its size, with no terminator after
// it, so that AddressSanitizer reports any read past the end of the view.

#include <cstring>
#include <memory>
#include <string_view>

namespace qx::test {

class ExactBytes {
public:
    explicit ExactBytes(std::string_view s) : data_(new char[s.size()]), size_(s.size())
    {
        if (size_ != 0) std::memcpy(data_.get(), s.data(), size_);
    }
    std::string_view view() const { return {data_.get(), size_}; }
    operator std::string_view() const { return view(); }

private:
    std::unique_ptr<char[]> data_;
    std::size_t size_;
};

} // namespace qx::test
