#pragma once

#include "record/uninstaller_texts.hpp"

#include <string>
#include <vector>

namespace parcelkit::presenters {

// What the presenter needs of the uninstaller's window.
class UninstallerView {
public:
    virtual ~UninstallerView() = default;
    virtual void applyTexts(const record::UninstallerTexts& texts) = 0;
    virtual void setDirectory(const std::wstring& directory) = 0;
    // One check box per installed component, all checked.
    virtual void setComponents(const std::vector<std::wstring>& captions) = 0;
    virtual std::vector<bool> checkedComponents() const = 0;
    virtual void checkAllComponents(bool checked) = 0;
    virtual void setSelectAll(bool checked) = 0;
    virtual bool deleteRegistryEntries() const = 0;
    virtual void enableUninstall(bool enabled) = 0;
    // While removing, nothing can be changed or started.
    virtual void setBusy(bool busy) = 0;
    virtual void setProgress(const std::wstring& line) = 0;
    // The end: the finish text, what stays, and the cancel button renamed to finish; the
    // list marks the components that are gone, one flag per component.
    virtual void showOutcome(const std::wstring& text, const std::wstring& finishButton,
                             const std::vector<bool>& gone) = 0;
    virtual void close() = 0;
};

} // namespace parcelkit::presenters
