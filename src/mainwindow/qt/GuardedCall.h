#pragma once
// The one way the main window's Qt parts run model code from a Qt signal or native event: an exception
// never crosses the Qt event loop; it goes to the handler the main window installs (its prompter), or is
// dropped when none is installed.

#include <exception>
#include <functional>

namespace qx {

using TExceptionHandler = std::function<void(const std::exception&)>;

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
