#pragma once

#include "model/font_choice.hpp"
#include "presenters/controls.hpp"

#include <string>
#include <vector>

namespace parcelkit::presenters {

// The language dialog as its presenter sees it.
class LanguageDialogView {
public:
    virtual ~LanguageDialogView() = default;

    virtual void setCaption(const std::wstring& text) = 0;
    virtual void setText(DialogControl control, const std::wstring& text) = 0;
    virtual void setFont(const model::FontChoice& font) = 0;

    // list1: one line per language, replacing what it held.
    virtual void fillList(const std::vector<std::wstring>& lines) = 0;
    virtual void select(int index) = 0;
    // -1 when no line is selected.
    virtual int selectedIndex() const = 0;

    // Offered: centred on the screen. Not offered: at the top position kOutOfSightTop.
    virtual void centre() = 0;
    virtual void placeOutOfSight() = 0;
    // One-shot timer; when it fires the window calls Timer1Timer.
    virtual void armTimer(unsigned milliseconds) = 0;
    virtual void stopTimer() = 0;
    virtual void hide() = 0;
};

} // namespace parcelkit::presenters
