#pragma once

namespace parcelkit::platform {
struct Platform;
}

namespace parcelkit::app {

// The whole program run; returns the process exit code.
int run(platform::Platform& platform);

} // namespace parcelkit::app
