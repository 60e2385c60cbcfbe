#include "platform/win32/shell_win32.hpp"

#include "platform/win32/com_ptr.hpp"
#include "platform/win32/error_text.hpp"

#include <windows.h>

#include <objidl.h>
#include <shlobj.h>

#include <array>

namespace parcelkit::win32 {

namespace {

struct LinkObject {
    ComPtr<IShellLinkW> link;
    ComPtr<IPersistFile> file;
};

std::optional<LinkObject> createLinkObject() {
    LinkObject object;
    if (FAILED(::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                  object.link.put()))) {
        return std::nullopt;
    }
    if (FAILED(object.link->QueryInterface(IID_IPersistFile, object.file.put()))) {
        return std::nullopt;
    }
    return object;
}

} // namespace

std::optional<std::wstring> Win32Shell::specialFolder(int csidl) const {
    CoTaskMemory<ITEMIDLIST> items;
    if (FAILED(::SHGetSpecialFolderLocation(nullptr, csidl, items.put())) ||
        items.get() == nullptr) {
        return std::nullopt;
    }
    std::array<wchar_t, MAX_PATH + 1> buffer{};
    if (!::SHGetPathFromIDListW(items.get(), buffer.data()) || buffer[0] == L'\0') {
        return std::nullopt;
    }
    std::wstring path(buffer.data());
    // Some folders come back with a trailing backslash; callers append their own.
    if (path.size() > 1 && path.back() == L'\\') {
        path.pop_back();
    }
    return path;
}

platform::Outcome Win32Shell::createLink(const std::wstring& linkFile,
                                         const platform::ShellLink& link) {
    auto object = createLinkObject();
    if (!object) {
        return platform::Failure{platform::Failure::kNotSupported,
                                 L"The shell's link object is not available."};
    }
    // The setters' outcomes are not looked at: what they refuse still leaves a link that
    // starts its target. The save's is: the record must not name a link that is not there.
    object->link->SetArguments(link.arguments.c_str());
    object->link->SetPath(link.target.c_str());
    object->link->SetWorkingDirectory(link.workingDirectory.c_str());
    object->link->SetDescription(link.description.c_str());
    object->link->SetIconLocation(link.iconFile.c_str(), link.iconIndex);
    const HRESULT saved = object->file->Save(linkFile.c_str(), FALSE);
    if (FAILED(saved)) {
        return failureOf(HRESULT_FACILITY(saved) == FACILITY_WIN32 ? DWORD(HRESULT_CODE(saved))
                                                                   : DWORD(saved));
    }
    return {};
}

std::optional<platform::ShellLink> Win32Shell::readLink(const std::wstring& linkFile) const {
    auto object = createLinkObject();
    if (!object || FAILED(object->file->Load(linkFile.c_str(), STGM_READ))) {
        return std::nullopt;
    }
    // INFOTIPSIZE is the longest description the shell keeps.
    std::array<wchar_t, INFOTIPSIZE + 1> buffer{};
    platform::ShellLink link;
    const auto text = [&](auto get) {
        buffer.fill(L'\0');
        get(buffer.data(), int(buffer.size()));
        return std::wstring(buffer.data());
    };
    link.target = text([&](wchar_t* b, int n) { object->link->GetPath(b, n, nullptr, 0); });
    link.arguments = text([&](wchar_t* b, int n) { object->link->GetArguments(b, n); });
    link.workingDirectory =
        text([&](wchar_t* b, int n) { object->link->GetWorkingDirectory(b, n); });
    link.description = text([&](wchar_t* b, int n) { object->link->GetDescription(b, n); });
    link.iconFile =
        text([&](wchar_t* b, int n) { object->link->GetIconLocation(b, n, &link.iconIndex); });
    return link;
}

} // namespace parcelkit::win32
