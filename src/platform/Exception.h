#pragma once
// The program's exception classes. Messages are the system's own texts, held as UTF-8.

#include <stdexcept>
#include <string>

namespace qx {

class Exception : public std::runtime_error {
public:
    explicit Exception(const std::string& message) : std::runtime_error(message) {}
    std::string Message() const { return what(); }
};

// An index outside a list's range.
class EListError : public Exception {
public:
    using Exception::Exception;
};

// A file that cannot be opened or created.
class EFOpenError : public Exception {
public:
    using Exception::Exception;
};

// A read or write that failed.
class EInOutError : public Exception {
public:
    using Exception::Exception;
};

} // namespace qx
