#include "windows/folder_dialog.hpp"

#include "windows/window_base.hpp"

#include <shlobj.h>

#include <memory>

namespace parcelkit::windows {

namespace {

struct ItemListDeleter {
    void operator()(ITEMIDLIST* list) const { ::CoTaskMemFree(list); }
};
using UniqueItemList = std::unique_ptr<ITEMIDLIST, ItemListDeleter>;

int CALLBACK onBrowseEvent(HWND dialog, UINT message, LPARAM, LPARAM owner) {
    if (message == BFFM_INITIALIZED) {
        centreOn(dialog, reinterpret_cast<HWND>(owner));
    }
    return 0;
}

} // namespace

std::optional<std::wstring> browseForFolder(HWND owner, const std::wstring& caption) {
    BROWSEINFOW info{};
    info.hwndOwner = owner;
    info.lpszTitle = caption.c_str();
    info.ulFlags = BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE | BIF_NONEWFOLDERBUTTON;
    info.lpfn = &onBrowseEvent;
    info.lParam = reinterpret_cast<LPARAM>(owner);
    const UniqueItemList chosen(::SHBrowseForFolderW(&info));
    if (!chosen) {
        return std::nullopt;
    }
    wchar_t path[MAX_PATH] = {};
    if (::SHGetPathFromIDListW(chosen.get(), path) == FALSE) {
        return std::nullopt;
    }
    return std::wstring(path);
}

} // namespace parcelkit::windows
