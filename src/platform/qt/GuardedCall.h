#pragma once
// The one way the program's Qt parts run model code from a Qt signal or native event: an exception
// never crosses the Qt event loop; it goes to the handler given (the main window's prompter), or is
// dropped when none is given.

#include <exception>
#include <functional>

namespace qx {

using TExceptionHandler = std::function<void(const std::exception&)>;

// The program's one exception boundary: the handler the application object runs for every exception
// that ends an event (the main window installs its prompter); empty until then. A window that must
// catch inside its own event handler hands what it caught here.
TExceptionHandler& ExceptionBoundary();

template <class F>
void GuardedCall(const TExceptionHandler& handler, F&& body) noexcept
{
    try {
        body();
    } catch (const std::exception& e) {
        if (handler) {
            try {
                handler(e);
            } catch (...) {
            }
        }
    } catch (...) {
    }
}

} // namespace qx
