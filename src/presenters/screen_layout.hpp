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

// A window of the given size centred on the work area; one larger than the area keeps its
// top left corner, and with it the title bar, inside.
Rect centredIn(const Rect& window, const Rect& workArea);

} // namespace parcelkit::presenters
