#pragma once

#include "presenters/language_dialog_view.hpp"

#include <map>

namespace parcelkit::doubles {

// The language dialog as its texts, list, placement and timer.
struct FakeLanguageDialogView : presenters::LanguageDialogView {
    enum class Placement { AsDesigned, Centred, OutOfSight };

    std::wstring caption;
    std::map<presenters::DialogControl, std::wstring> texts;
    model::FontChoice font;
    std::vector<std::wstring> list;
    int selected = -1;
    Placement placement = Placement::AsDesigned;
    unsigned timer = 0; // armed interval; 0 stopped
    bool hidden = false;

    void setCaption(const std::wstring& text) override { caption = text; }
    void setText(presenters::DialogControl control, const std::wstring& text) override {
        texts[control] = text;
    }
    void setFont(const model::FontChoice& choice) override { font = choice; }
    void fillList(const std::vector<std::wstring>& lines) override {
        list = lines;
        selected = -1;
    }
    void select(int index) override { selected = index; }
    int selectedIndex() const override { return selected; }
    void centre() override { placement = Placement::Centred; }
    void placeOutOfSight() override { placement = Placement::OutOfSight; }
    void armTimer(unsigned milliseconds) override { timer = milliseconds; }
    void stopTimer() override { timer = 0; }
    void hide() override { hidden = true; }
};

} // namespace parcelkit::doubles
