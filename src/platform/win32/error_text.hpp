#pragma once

#include "platform/outcome.hpp"

#include <windows.h>

#include <string>

namespace parcelkit::win32 {

// The system's own text for an error code, without the trailing line break.
std::wstring errorText(DWORD code);

// A refusal with the given code, or with the calling thread's last error.
platform::Failure failureOf(DWORD code);
platform::Failure lastFailure();

// Done when the call succeeded, else the last error.
inline platform::Outcome outcomeOf(BOOL succeeded) {
    return succeeded ? platform::Outcome() : platform::Outcome(lastFailure());
}

} // namespace parcelkit::win32
