#pragma once

#include "presenters/program_windows.hpp"

namespace parcelkit::engine {
class SystemSteps;
}

namespace parcelkit::platform {
class Collation;
struct Platform;
class Shutdown;
} // namespace parcelkit::platform

namespace parcelkit::app {

// The whole program run; returns the process exit code.
int run(platform::Platform& platform, const platform::Collation& collation,
        platform::Shutdown& shutdown, engine::SystemSteps& systemSteps, ProgramWindows& windows);

} // namespace parcelkit::app
