#pragma once

#include "platform/file_removal.hpp"
#include "presenters/uninstaller_view.hpp"
#include "record/record_reader.hpp"
#include "record/uninstaller_texts.hpp"
#include "uninstaller/removal_machine.hpp"

#include <vector>

namespace parcelkit::presenters {

// The uninstaller's window as a model: one call per user action.
class UninstallerPresenter {
public:
    UninstallerPresenter(uninstaller::RemovalMachine& machine, platform::SelfRemoval& self,
                         UninstallerView& view);

    void start();
    void selectAllClicked(bool checked);
    void componentClicked();
    void uninstallClicked();
    // Cancel before the removal, finish after it.
    void cancelClicked();
    int exitCode() const { return exitCode_; }

private:
    uninstaller::RemovalMachine& machine_;
    platform::SelfRemoval& self_;
    UninstallerView& view_;
    std::wstring program_;
    record::UninstallerTexts texts_;
    std::vector<record::InstalledComponent> components_;
    bool done_ = false;
    int exitCode_;
};

} // namespace parcelkit::presenters
