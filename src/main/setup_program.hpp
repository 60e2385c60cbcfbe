#pragma once

#include "presenters/program_windows.hpp"

namespace parcelkit::engine {
class SystemSteps;
}

namespace parcelkit::platform {
class Collation;
struct Platform;
class RunLocks;
class Shutdown;
} // namespace parcelkit::platform

namespace parcelkit::programs {

// The whole program run; returns the process exit code. A second run of the same product
// (setup.ini's id) while one runs ends at once with 1618, after a box unless silent.
int runSetup(platform::Platform& platform, const platform::Collation& collation,
             platform::Shutdown& shutdown, platform::RunLocks& locks,
             engine::SystemSteps& systemSteps, presenters::ProgramWindows& windows);

// 1603 after any error (in a silent run too, where no box showed it); 3010 when the
// installation is done but a restart completes it; 1602 when it did not run because the
// user left before.
int exitCodeOf(bool failed, bool installed, bool restartNeeded, bool usage);

} // namespace parcelkit::programs
