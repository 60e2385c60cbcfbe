#include "presenters/uninstaller_presenter.hpp"

#include "base/paths.hpp"
#include "uninstaller/remover.hpp"
#include "uninstaller/silent_removal.hpp"

#include <algorithm>

namespace parcelkit::presenters {

UninstallerPresenter::UninstallerPresenter(uninstaller::RemovalMachine& machine,
                                           platform::SelfRemoval& self, UninstallerView& view)
    : machine_(machine), self_(self), view_(view), program_(self.programPath()),
      exitCode_(uninstaller::kExitCancelled) {}

void UninstallerPresenter::start() {
    const auto record = uninstaller::recordOf(machine_.profiles, program_);
    texts_ = record::readUninstallerTexts(record);
    components_ = record::readRemovalRecord(record).components;
    view_.applyTexts(texts_);
    view_.setDirectory(base::parentOf(program_));
    std::vector<std::wstring> captions;
    for (const auto& component : components_) {
        captions.push_back(component.caption.empty() ? component.name : component.caption);
    }
    view_.setComponents(captions);
    view_.setSelectAll(true);
    view_.enableUninstall(true);
}

void UninstallerPresenter::selectAllClicked(bool checked) {
    view_.checkAllComponents(checked);
    view_.enableUninstall(checked || components_.empty());
}

void UninstallerPresenter::componentClicked() {
    const auto checked = view_.checkedComponents();
    const bool all = std::all_of(checked.begin(), checked.end(), [](bool c) { return c; });
    const bool any = std::any_of(checked.begin(), checked.end(), [](bool c) { return c; });
    view_.setSelectAll(all);
    view_.enableUninstall(any || components_.empty());
}

void UninstallerPresenter::uninstallClicked() {
    if (done_) {
        return;
    }
    const auto checked = view_.checkedComponents();
    std::vector<std::wstring> chosen;
    for (std::size_t i = 0; i < components_.size() && i < checked.size(); ++i) {
        if (checked[i]) {
            chosen.push_back(components_[i].name);
        }
    }
    if (chosen.empty() && !components_.empty()) {
        return;
    }
    uninstaller::RemovalOptions options;
    options.registryEntries = view_.deleteRegistryEntries();
    view_.setBusy(true);
    uninstaller::RemovalReport report =
        uninstaller::removeInstallation(machine_, program_, chosen, options,
                                        [&](const std::wstring& line) { view_.setProgress(line); });
    uninstaller::finishSelfRemoval(report, self_);
    std::wstring text = report.restartNeeded() ? texts_.afterRestart : texts_.finished;
    if (report.leftovers.empty()) {
        text += L"\r\n" + texts_.thanks;
    }
    for (const auto& leftover : report.leftovers) {
        text += L"\r\n" + leftover.object + L": " + leftover.reason;
    }
    std::vector<bool> gone;
    for (const auto& component : components_) {
        gone.push_back(std::find(report.removedComponents.begin(), report.removedComponents.end(),
                                 component.name) != report.removedComponents.end());
    }
    done_ = true;
    exitCode_ = uninstaller::exitCodeFor(report);
    view_.setProgress(L"");
    view_.showOutcome(text, texts_.finish, gone);
}

void UninstallerPresenter::cancelClicked() {
    view_.close();
}

} // namespace parcelkit::presenters
