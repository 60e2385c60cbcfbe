#include "windows/dialog_keys.hpp"

#include <commctrl.h>

namespace parcelkit::windows {

namespace {

constexpr UINT_PTR kSubclassId = 2;

LRESULT CALLBACK boxProcedure(HWND box, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                              DWORD_PTR) {
    if (message == WM_GETDLGCODE) {
        return ::DefSubclassProc(box, message, wParam, lParam) &
               ~static_cast<LRESULT>(DLGC_WANTTAB | DLGC_WANTALLKEYS);
    }
    if (message == WM_NCDESTROY) {
        ::RemoveWindowSubclass(box, boxProcedure, kSubclassId);
    }
    return ::DefSubclassProc(box, message, wParam, lParam);
}

} // namespace

void leaveDialogKeysToTheWindow(HWND box) {
    ::SetWindowSubclass(box, boxProcedure, kSubclassId, 0);
}

} // namespace parcelkit::windows
