#pragma once

#include "presenters/layout.hpp"
#include "presenters/screen_layout.hpp"

#include <windows.h>

namespace parcelkit::windows {

// What a control's text needs, measured in the control's own font.

// The width that shows the whole text on one line, with the control's box, frame or
// margins: a check box's ideal size where the system knows it.
int neededWidth(HWND control, presenters::ControlKind kind, const presenters::Scale& scale);
// The height of the text wrapped at the width, as a label of several lines draws it.
int wrappedHeight(HWND control, presenters::ControlKind kind, int width);
// The height of one line.
int lineHeight(HWND control);

// Measurements are kept; a new font may take the handle of one deleted before.
void forgetMeasurements();

} // namespace parcelkit::windows
