#pragma once
// The item properties dialog ("アイテムのプロパティ") as data: the fields it shows for one record, which of
// them may be edited, and storing them back. Texts are UTF-8 here (as the dialog shows them); the record
// holds Shift-JIS, and a link's path as the file system's bytes.

#include "documents/ProjectRecordList.h"

#include <string>

namespace qx {

struct TProjectPropertyForm {
    std::string Name, Comment, Path, Ext;
    bool Lock = false;
    bool NameEnabled = true, CommentEnabled = true, PathEnabled = false, ExtEnabled = false, LockEnabled = true;
};

// The form for `record`; `openInTab`: a stored item shown in a tab keeps its name. A disabled field is
// empty.
TProjectPropertyForm MakeProjectPropertyForm(const TProjectRecListItem& record, bool openInTab);

// Stores every enabled field into `record` (a link's path followed by CR LF).
void ApplyProjectPropertyForm(const TProjectPropertyForm& form, TProjectRecListItem& record);

// A text without its CR and LF characters (a link record's path from its text).
std::string WithoutLineEnds(std::string s);

} // namespace qx
