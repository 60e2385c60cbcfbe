#pragma once

#include <string>

namespace parcelkit::platform {
class Shutdown;
}

namespace parcelkit::presenters {

// Shuts the machine down (empty name: this computer), optionally closing programs without
// asking them and restarting afterwards. True when the system accepted the request.
bool WindowsShutdown(platform::Shutdown& shutdown, const std::wstring& machine, bool force,
                     bool restart);

} // namespace parcelkit::presenters
