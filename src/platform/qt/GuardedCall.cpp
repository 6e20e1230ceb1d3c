#include "platform/qt/GuardedCall.h"

namespace qx {

TExceptionHandler& ExceptionBoundary()
{
    static TExceptionHandler handler;
    return handler;
}

} // namespace qx
