#pragma once

#include <string>

namespace parcelkit::platform {
class FileSystem;
struct Platform;
} // namespace parcelkit::platform

namespace parcelkit::model {
class MessageTexts;
struct Session;
} // namespace parcelkit::model

namespace parcelkit::components {

class ComponentPage;

// What the wizard does after the destination has been checked.
enum class SetupCheck {
    Continue,   // go on to the component page
    EndProgram, // the user chose to stop: end the program the ordinary way
    Rebuilt,    // the earlier installation was uninstalled; the tree was built anew
};

// An earlier installation leaves its uninstaller and its record in the directory.
bool earlierInstallation(const std::wstring& setupdir, const platform::FileSystem& files);

// Run each time the user leaves the destination page. Setup mode over an earlier
// installation asks whether to uninstall it first: Yes runs its uninstaller, waits for it,
// then builds the tree and detects again; No ends the program. Update mode without an
// earlier installation asks whether to go on: No ends the program. A box that cannot be
// shown counts as No.
SetupCheck Checksetup(const model::Session& session, const model::MessageTexts& texts,
                      platform::Platform& platform, ComponentPage& page);

} // namespace parcelkit::components
