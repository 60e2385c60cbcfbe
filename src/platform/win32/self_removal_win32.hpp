#pragma once

#include "platform/file_removal.hpp"
#include "platform/win32/handles.hpp"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace parcelkit::win32 {

// A copy of the uninstaller in the temporary directory waits for the original to end,
// deletes it and removes the directories; the copy itself goes at the next restart. The
// copy is started early and reads the directories from a pipe: the original writes them,
// with an empty one last, once it knows them. A pipe closed before that ends the copy
// with nothing removed.
class Win32SelfRemoval : public platform::SelfRemoval {
public:
    std::wstring programPath() const override;
    platform::Outcome removeAfterExit(const std::vector<std::wstring>& directories) override;
    void prepareRemoval() override;

private:
    bool prepared_ = false;
    platform::Outcome started_;
    UniqueHandleObject directoriesPipe_; // the end this program writes
};

// What goes through the pipe: each directory ended by a null character, then one more.
std::wstring directoriesMessage(const std::vector<std::wstring>& directories);
// The directories of a whole message; nullopt for anything else, such as a message cut
// short because the original ended before it asked for its removal.
std::optional<std::vector<std::wstring>> directoriesInMessage(std::wstring_view message);

// The copy's command line starts with this switch.
inline constexpr wchar_t kCleanupSwitch[] = L"/cleanup";

// The copy's work: arguments are the switch, the original's process handle, the pipe's
// end it reads and the original's path. Returns the exit code.
int runCleanup(const std::vector<std::wstring>& arguments);

} // namespace parcelkit::win32
