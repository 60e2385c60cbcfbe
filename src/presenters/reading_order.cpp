#include "presenters/reading_order.hpp"

#include "presenters/screen_layout.hpp"

#include <algorithm>

namespace parcelkit::presenters {

bool takesFocus(ControlKind kind) {
    switch (kind) {
    case ControlKind::Rectangle:
    case ControlKind::Picture:
    case ControlKind::Label:
    case ControlKind::GroupBox:
    case ControlKind::ProgressBar:
    case ControlKind::Bevel:
    case ControlKind::PrefixedLabel:
        return false;
    case ControlKind::RichText:
    case ControlKind::Edit:
    case ControlKind::Button:
    case ControlKind::TreeView:
    case ControlKind::Memo:
    case ControlKind::CheckBox:
    case ControlKind::DropDownList:
    case ControlKind::ReadOnlyField:
    case ControlKind::CheckList:
    case ControlKind::FramedMemo:
        return true;
    }
    return false;
}

std::vector<ControlLayout> creationOrder(Form form) {
    std::vector<ControlLayout> order;
    std::vector<ControlLayout> focusable;
    for (const auto& control : controlLayouts()) {
        if (control.form == form) {
            (takesFocus(control.kind) ? focusable : order).push_back(control);
        }
    }
    const auto byTop = [](const ControlLayout& a, const ControlLayout& b) {
        return placeOf(a).top < placeOf(b).top;
    };
    const auto byLeft = [](const ControlLayout& a, const ControlLayout& b) {
        return placeOf(a).left < placeOf(b).left;
    };
    std::stable_sort(focusable.begin(), focusable.end(), byTop);
    for (auto row = focusable.begin(); row != focusable.end();) {
        const int rowBottom = placeOf(*row).bottom();
        const auto end = std::find_if(row, focusable.end(), [&](const ControlLayout& control) {
            return placeOf(control).top >= rowBottom;
        });
        std::stable_sort(row, end, byLeft);
        order.insert(order.end(), row, end);
        row = end;
    }
    return order;
}

} // namespace parcelkit::presenters
