#pragma once

#include <exception>

namespace parcelkit::windows {

// Calls a handler on a model from a window procedure. An exception must not unwind
// through the system's code that called the window: it is handed to the report instead.
// Nothing happens while the window is not connected to its model.
template <typename Model, typename Report, typename Handler>
void guardedCall(Model* model, const Report& report, Handler handler) {
    if (model == nullptr) {
        return;
    }
    try {
        handler(*model);
    } catch (const std::exception& error) {
        if (report) {
            report(error);
        }
    }
}

} // namespace parcelkit::windows
