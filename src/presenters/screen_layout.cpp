#include "presenters/screen_layout.hpp"

#include <algorithm>

namespace parcelkit::presenters {

namespace {

// value * numerator / denominator, rounded to the nearest integer, halves away from zero.
int scaled(int value, int numerator, int denominator) {
    const long long product = static_cast<long long>(value) * numerator;
    const long long half = denominator / 2;
    const long long rounded =
        product >= 0 ? (product + half) / denominator : -((-product + half) / denominator);
    return static_cast<int>(rounded);
}

constexpr int kPointsPerInch = 72;

const ControlLayout* parentOf(const ControlLayout& control) {
    if (control.parent.empty()) {
        return nullptr;
    }
    for (const auto& other : controlLayouts()) {
        if (other.form == control.form && other.name == control.parent) {
            return &other;
        }
    }
    return nullptr;
}

bool sharesRows(const Rect& a, const Rect& b) {
    return a.top < b.bottom() && b.top < a.bottom();
}

} // namespace

Scale::Scale(int dpi) : dpi_(dpi > 0 ? dpi : kDesignDpi) {}

int Scale::pixels(int designPixels) const {
    return scaled(designPixels, dpi_, kDesignDpi);
}

Rect Scale::pixels(const Rect& design) const {
    return {pixels(design.left), pixels(design.top), pixels(design.width), pixels(design.height)};
}

int Scale::designPixels(int screenPixels) const {
    return scaled(screenPixels, kDesignDpi, dpi_);
}

int Scale::characterHeight(int points, int pixelHeight) const {
    return pixelHeight != 0 ? pixels(pixelHeight) : scaled(points, dpi_, kPointsPerInch);
}

Rect placeOf(const ControlLayout& control) {
    Rect place{control.left, control.top, control.width, control.height};
    if (const ControlLayout* box = parentOf(control)) {
        place.left += box->left;
        place.top += box->top;
    }
    return place;
}

bool fitsItsText(ControlKind kind) {
    switch (kind) {
    case ControlKind::Label:
    case ControlKind::PrefixedLabel:
    case ControlKind::Button:
    case ControlKind::CheckBox:
    case ControlKind::GroupBox:
        return true;
    default:
        return false;
    }
}

int growthLimit(const Rect& control, std::span<const Rect> shownOthers, int areaRight, int gap) {
    int limit = areaRight;
    for (const Rect& other : shownOthers) {
        if (other.left > control.left && sharesRows(control, other)) {
            limit = std::min(limit, other.left - gap);
        }
    }
    return limit;
}

Rect widenedFor(const Rect& place, int neededWidth, int limitRight) {
    Rect widened = place;
    widened.width = std::max(place.width, std::min(neededWidth, limitRight - place.left));
    return widened;
}

Rect centredIn(const Rect& window, const Rect& workArea) {
    Rect centred = window;
    centred.left = std::max(workArea.left, workArea.left + (workArea.width - window.width) / 2);
    centred.top = std::max(workArea.top, workArea.top + (workArea.height - window.height) / 2);
    return centred;
}

} // namespace parcelkit::presenters
