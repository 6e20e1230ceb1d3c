#pragma once
// The document name of a tab that shows a stored project item: "Project[" + ItemId + "]:" + the item's
// path (the names from its Level-0 ancestor down to it, joined with "\"). The project manager writes it;
// the tabs and the window read it back.

#include <string>

namespace qx {

std::string ProjectItemDocName(int ItemId, const std::string& Path);
// The item's own name: the last name of the path; empty when DocName is no item's.
std::string ProjectItemNameFromDocName(const std::string& DocName);
// -1 when there is none.
int ProjectItemIdFromDocName(const std::string& DocName);

} // namespace qx
