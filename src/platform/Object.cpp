#include "platform/Object.h"

#include "platform/Exception.h"

namespace qx {

void TPersistent::Assign(const TPersistent& Source)
{
    (void)Source;
    throw Exception("Cannot assign this object");
}

} // namespace qx
