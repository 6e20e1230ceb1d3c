#include "dialogs/ProjectProperty.h"

#include "platform/Cp932.h"

#include <algorithm>

namespace qx {

std::string WithoutLineEnds(std::string s)
{
    s.erase(std::remove_if(s.begin(), s.end(), [](char c) { return c == '\r' || c == '\n'; }), s.end());
    return s;
}

TProjectPropertyForm MakeProjectPropertyForm(const TProjectRecListItem& record, bool openInTab)
{
    TProjectPropertyForm form;
    form.Name = Cp932ToUtf8(record.Name);
    form.Comment = Cp932ToUtf8(record.Comment);
    form.Lock = record.Lock != 0;
    switch (record.NodeType) {
    case TProjectNodeType::ntLink:
        form.PathEnabled = true;
        form.Path = WithoutLineEnds(record.Text);
        break;
    case TProjectNodeType::ntImport:
        form.ExtEnabled = true;
        form.Ext = Cp932ToUtf8(record.Ext);
        form.NameEnabled = !openInTab;
        break;
    case TProjectNodeType::ntTrash:
        form.CommentEnabled = false;
        form.Comment.clear();
        form.LockEnabled = false;
        form.Lock = false;
        break;
    case TProjectNodeType::ntBox:
    case TProjectNodeType::ntFolder: break;
    }
    return form;
}

void ApplyProjectPropertyForm(const TProjectPropertyForm& form, TProjectRecListItem& record)
{
    if (form.NameEnabled) record.Name = Utf8ToCp932(form.Name);
    if (form.PathEnabled) record.Text = WithoutLineEnds(form.Path) + "\r\n";
    if (form.CommentEnabled) record.Comment = Utf8ToCp932(form.Comment);
    if (form.ExtEnabled) record.Ext = Utf8ToCp932(form.Ext);
    if (form.LockEnabled) record.Lock = form.Lock ? 1 : 0;
}

} // namespace qx
