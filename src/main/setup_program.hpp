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

namespace parcelkit::programs {

// The whole program run; returns the process exit code.
int runSetup(platform::Platform& platform, const platform::Collation& collation,
             platform::Shutdown& shutdown, engine::SystemSteps& systemSteps,
             presenters::ProgramWindows& windows);

} // namespace parcelkit::programs
