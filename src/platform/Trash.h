#pragma once
// Moving a file to the desktop's trash, from where the user can bring it back. Injectable so that tests
// choose where the trash lies or make it fail.

#include <string>

namespace qx {

class TTrash {
public:
    virtual ~TTrash() = default;
    // Moves the file to the trash; false (the file where it was) when it could not.
    virtual bool MoveToTrash(const std::string& FileName) = 0;
};

} // namespace qx
