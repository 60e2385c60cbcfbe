#include "accessibility_steps.hpp"

#include "driver_io.hpp"

#include <commctrl.h>

#include <oleacc.h>
#include <string>

namespace pkdriver {

namespace {

template <typename Interface> struct Reference {
    Interface* pointer = nullptr;
    Reference() = default;
    Reference(const Reference&) = delete;
    Reference& operator=(const Reference&) = delete;
    ~Reference() {
        if (pointer != nullptr) {
            pointer->Release();
        }
    }
};

struct Variant : VARIANT {
    Variant() { ::VariantInit(this); }
    Variant(const Variant&) = delete;
    Variant& operator=(const Variant&) = delete;
    ~Variant() { ::VariantClear(this); }
};

std::wstring take(BSTR text) {
    std::wstring out = text != nullptr ? std::wstring(text, ::SysStringLen(text)) : L"";
    ::SysFreeString(text);
    return out;
}

std::wstring describe(IAccessible* object, const VARIANT& child) {
    BSTR name = nullptr;
    object->get_accName(child, &name);
    Variant role;
    object->get_accRole(child, &role);
    wchar_t roleText[64] = {};
    if (role.vt == VT_I4) {
        ::GetRoleTextW(DWORD(role.lVal), roleText, UINT(std::size(roleText)));
    }
    Variant state;
    object->get_accState(child, &state);
    std::wstring states;
    const LONG flags = state.vt == VT_I4 ? state.lVal : 0;
    for (const auto& [flag, word] :
         {std::pair{STATE_SYSTEM_CHECKED, L"checked"}, std::pair{STATE_SYSTEM_MIXED, L"mixed"},
          std::pair{STATE_SYSTEM_UNAVAILABLE, L"unavailable"}}) {
        if ((flags & flag) != 0) {
            states += (states.empty() ? L"" : L"+") + std::wstring(word);
        }
    }
    return escaped(take(name)) + L"\t" + roleText + L"\t" + (states.empty() ? L"-" : states);
}

} // namespace

bool printAccessibleTree(const std::vector<HWND>& controls) {
    HWND tree = nullptr;
    for (const HWND control : controls) {
        tree = className(control) == WC_TREEVIEWW ? control : tree;
    }
    if (tree == nullptr) {
        return false;
    }
    Reference<IAccessible> object;
    const HRESULT found =
        ::AccessibleObjectFromWindow(tree, DWORD(OBJID_CLIENT), __uuidof(IAccessible),
                                     reinterpret_cast<void**>(&object.pointer));
    if (FAILED(found)) {
        wchar_t code[16] = {};
        ::wsprintfW(code, L"%08lx", static_cast<unsigned long>(found));
        writeUtf8(L"ACCTREE\nno accessible object: " + std::wstring(code) + L"\n");
        return true;
    }
    writeUtf8(L"ACCTREE\n");
    long count = 0;
    object.pointer->get_accChildCount(&count);
    if (count <= 0) {
        return true;
    }
    std::vector<Variant> children(static_cast<std::size_t>(count));
    long obtained = 0;
    ::AccessibleChildren(object.pointer, 0, count, children.data(), &obtained);
    for (long i = 0; i < obtained; ++i) {
        const VARIANT& child = children[std::size_t(i)];
        if (child.vt == VT_I4) {
            writeUtf8(L"ACCITEM " + describe(object.pointer, child) + L"\n");
        } else if (child.vt == VT_DISPATCH && child.pdispVal != nullptr) {
            Reference<IAccessible> item;
            child.pdispVal->QueryInterface(__uuidof(IAccessible),
                                           reinterpret_cast<void**>(&item.pointer));
            Variant self;
            self.vt = VT_I4;
            self.lVal = CHILDID_SELF;
            if (item.pointer != nullptr) {
                writeUtf8(L"ACCITEM " + describe(item.pointer, self) + L"\n");
            }
        }
    }
    return true;
}

} // namespace pkdriver
