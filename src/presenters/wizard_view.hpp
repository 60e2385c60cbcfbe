#pragma once

#include "model/font_choice.hpp"
#include "presenters/controls.hpp"

#include <optional>
#include <string>

namespace parcelkit::presenters {

// The wizard window as its presenter sees it. The texts of the controls are the wizard's
// state: the current page is recognised by the title's text, the finished state by the
// text of Button_exit. While the installation runs, the same window shows its status
// lines and progress and processes messages through engine::InstallView; a close
// request can arrive then.
class WizardView {
public:
    virtual ~WizardView() = default;

    virtual void setCaption(const std::wstring& text) = 0;
    virtual std::wstring caption() const = 0;
    virtual void setText(WizardControl control, const std::wstring& text) = 0;
    virtual std::wstring text(WizardControl control) const = 0;
    virtual void setVisible(WizardControl control, bool visible) = 0;
    virtual void setEnabled(WizardControl control, bool enabled) = 0;
    virtual void focus(WizardControl control) = 0;

    // The language's font for the window and every control except Label2 and RichEdit1,
    // which keep their own.
    virtual void setFont(const model::FontChoice& font) = 0;
    // Width as laid out now, in the layout table's pixels (96 dpi), in which places are
    // given too; an auto-sized label measures its text.
    virtual int width(WizardControl control) const = 0;
    virtual void setLeft(WizardControl control, int left) = 0;

    // RichEdit1 shows the file: rich text formatted, anything else as plain text.
    virtual void loadReadme(const std::wstring& path) = 0;
    // Image1 shows the picture; one that cannot be read leaves the built-in picture.
    virtual void loadHeaderPicture(const std::wstring& path) = 0;

    // The system's folder dialog, only file-system folders, without a button for new
    // folders; nullopt when the user cancels.
    virtual std::optional<std::wstring> chooseFolder(const std::wstring& caption) = 0;

    virtual void show() = 0;
    // Asks the window to close. The window asks FormCloseQuery first and, when that allows
    // it, closes and calls FormClose. It may do so later, once the current handler returned.
    virtual void close() = 0;
};

} // namespace parcelkit::presenters
