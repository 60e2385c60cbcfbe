#pragma once

#include "presenters/layout.hpp"

#include <span>

namespace parcelkit::presenters {

// The screen resolution the layout tables are drawn for: 100%.
inline constexpr int kDesignDpi = 96;

struct Rect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;

    constexpr int right() const { return left + width; }
    constexpr int bottom() const { return top + height; }
    bool operator==(const Rect&) const = default;
};

// Turns the tables' 96-dpi pixels into the pixels of a screen of another resolution and
// back. Every window lays out through one of these, so that places, sizes, fonts and
// images grow together.
class Scale {
public:
    explicit Scale(int dpi = kDesignDpi);

    int dpi() const { return dpi_; }
    // Rounded to the nearest pixel, halves away from zero.
    int pixels(int designPixels) const;
    Rect pixels(const Rect& design) const;
    // Back to the tables' pixels, in which the presenters place things.
    int designPixels(int screenPixels) const;
    // The character height in screen pixels of a font of so many points (1/72 inch), or,
    // when pixelHeight is not 0, of so many of the tables' pixels.
    int characterHeight(int points, int pixelHeight) const;

private:
    int dpi_;
};

// A control's place in its window's client area as the table draws it: a control inside a
// group box is placed relative to the box.
Rect placeOf(const ControlLayout& control);

// Whether a control of this kind shows a text that must fit it: labels, buttons, check
// boxes and group boxes grow for a longer text (or wrap it, when they are several lines
// high); boxes with scroll bars and lists do not.
bool fitsItsText(ControlKind kind);

// Space kept between a control that grows for its text and what stops it, and between it
// and the edge of its window or group box, in the tables' pixels.
inline constexpr int kGrowthGap = 4;
inline constexpr int kEdgeMargin = 8;

// The right edge up to which a control may grow so that its text fits: the nearest of the
// other shown controls that starts right of its left edge on the rows it covers, less the
// gap; without one, the edge of the area it lies in (its window or its group box).
int growthLimit(const Rect& control, std::span<const Rect> shownOthers, int areaRight, int gap);

// The control's place widened to the width its text needs, within the limit; it never
// shrinks below the table's width.
Rect widenedFor(const Rect& place, int neededWidth, int limitRight);

// A window of the given size centred on the work area; one larger than the area keeps its
// top left corner, and with it the title bar, inside.
Rect centredIn(const Rect& window, const Rect& workArea);

} // namespace parcelkit::presenters
