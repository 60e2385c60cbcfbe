#include "windows/accessibility_library.hpp"

#include <string>

namespace parcelkit::windows {

namespace {

std::wstring systemDirectoryFile(const wchar_t* name) {
    wchar_t directory[MAX_PATH + 1] = {};
    const UINT length = ::GetSystemDirectoryW(directory, MAX_PATH + 1);
    if (length == 0 || length > MAX_PATH) {
        return {};
    }
    return std::wstring(directory, length) + L"\\" + name;
}

template <typename Function> Function lookUp(HMODULE module, const char* name) {
    return reinterpret_cast<Function>(reinterpret_cast<void*>(::GetProcAddress(module, name)));
}

} // namespace

AccessibilityLibrary::AccessibilityLibrary() {
    const std::wstring path = systemDirectoryFile(L"oleacc.dll");
    if (path.empty()) {
        return;
    }
    // A full path: the search order plays no part, wherever the program was started from.
    module_.reset(::LoadLibraryExW(path.c_str(), nullptr, 0));
    if (!module_) {
        return;
    }
    lresultFromObject_ = lookUp<decltype(lresultFromObject_)>(module_.get(), "LresultFromObject");
    createStdAccessibleObject_ =
        lookUp<decltype(createStdAccessibleObject_)>(module_.get(), "CreateStdAccessibleObject");
}

const AccessibilityLibrary& AccessibilityLibrary::get() {
    static const AccessibilityLibrary library;
    return library;
}

LRESULT AccessibilityLibrary::answer(REFIID interfaceId, WPARAM wParam, IUnknown* object) const {
    return lresultFromObject_ != nullptr ? lresultFromObject_(interfaceId, wParam, object) : 0;
}

HRESULT AccessibilityLibrary::standardObject(HWND window, LONG objectId, REFIID interfaceId,
                                             void** object) const {
    *object = nullptr;
    if (createStdAccessibleObject_ == nullptr) {
        return E_NOTIMPL;
    }
    return createStdAccessibleObject_(window, objectId, interfaceId, object);
}

} // namespace parcelkit::windows
