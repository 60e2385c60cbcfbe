#pragma once

#include "components/check_state.hpp"
#include "platform/win32/handles.hpp"

#include <commctrl.h>

namespace parcelkit::windows {

struct ImageListTraits {
    using Handle = HIMAGELIST;
    static Handle invalid() { return nullptr; }
    static void close(Handle h) { ::ImageList_Destroy(h); }
};
using UniqueImageList = win32::UniqueHandle<ImageListTraits>;

// The tree's state images, in the order of the state image indexes: a blank one (never
// shown: index 0 means no check box), unchecked, checked and partly checked. Drawn with
// the theme's check boxes when the window is themed, else with the classic frame
// controls, on the tree's background colour, in the size of the screen's resolution.
UniqueImageList createCheckImages(HWND tree, int dpi);

// The state image that shows a check state (0: none, a mandatory component's), and the
// check state an image shows.
UINT imageFor(components::CheckState state);
components::CheckState stateShownBy(UINT image);

} // namespace parcelkit::windows
