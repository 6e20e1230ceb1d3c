#pragma once
// The freedesktop.org trash (the home trash under $XDG_DATA_HOME, or a trash folder at the top of
// another file system) through QFile::moveToTrash.

#include "platform/Trash.h"

namespace qx {

class TQtTrash : public TTrash {
public:
    bool MoveToTrash(const std::string& FileName) override;
};

} // namespace qx
