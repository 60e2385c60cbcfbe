#include "windows/tree_accessible.hpp"

#include "presenters/tree_item_accessibility.hpp"
#include "windows/accessibility_library.hpp"
#include "windows/check_images.hpp"

#include <string>

namespace parcelkit::windows {

namespace {

constexpr int kLongestText = 1024;

HTREEITEM firstItem(HWND tree) {
    return TreeView_GetRoot(tree);
}

// The next item in display order: the first child, else the next sibling of the item or
// of its nearest ancestor that has one.
HTREEITEM nextItem(HWND tree, HTREEITEM item) {
    if (const HTREEITEM child = TreeView_GetChild(tree, item)) {
        return child;
    }
    for (HTREEITEM at = item; at != nullptr; at = TreeView_GetParent(tree, at)) {
        if (const HTREEITEM sibling = TreeView_GetNextSibling(tree, at)) {
            return sibling;
        }
    }
    return nullptr;
}

UINT stateOf(HWND tree, HTREEITEM item, UINT mask) {
    return static_cast<UINT>(
        ::SendMessageW(tree, TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(item), mask));
}

bool shownInTree(HWND tree, HTREEITEM item) {
    for (HTREEITEM parent = TreeView_GetParent(tree, item); parent != nullptr;
         parent = TreeView_GetParent(tree, parent)) {
        if ((stateOf(tree, parent, TVIS_EXPANDED) & TVIS_EXPANDED) == 0) {
            return false;
        }
    }
    return true;
}

int levelOf(HWND tree, HTREEITEM item) {
    int level = 0;
    for (HTREEITEM parent = TreeView_GetParent(tree, item); parent != nullptr;
         parent = TreeView_GetParent(tree, parent)) {
        ++level;
    }
    return level;
}

HRESULT giveText(const std::wstring& text, BSTR* out) {
    *out = ::SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
    return *out != nullptr ? S_OK : E_OUTOFMEMORY;
}

void setChildId(VARIANT* out, LONG id) {
    out->vt = VT_I4;
    out->lVal = id;
}

void setEmpty(VARIANT* out) {
    out->vt = VT_EMPTY;
}

} // namespace

TreeAccessible::TreeAccessible(HWND tree) : tree_(tree) {
    AccessibilityLibrary::get().standardObject(tree, OBJID_CLIENT, __uuidof(IAccessible),
                                               standard_.put());
}

HRESULT TreeAccessible::QueryInterface(REFIID id, void** object) {
    if (object == nullptr) {
        return E_POINTER;
    }
    if (id == __uuidof(IUnknown) || id == __uuidof(IDispatch) || id == __uuidof(IAccessible)) {
        *object = static_cast<IAccessible*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

ULONG TreeAccessible::AddRef() {
    return static_cast<ULONG>(::InterlockedIncrement(&references_));
}

ULONG TreeAccessible::Release() {
    const LONG left = ::InterlockedDecrement(&references_);
    if (left == 0) {
        delete this;
    }
    return static_cast<ULONG>(left);
}

HRESULT TreeAccessible::GetTypeInfoCount(UINT* count) {
    *count = 0;
    return S_OK;
}

HRESULT TreeAccessible::GetTypeInfo(UINT, LCID, ITypeInfo** info) {
    *info = nullptr;
    return E_NOTIMPL;
}

HRESULT TreeAccessible::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) {
    return E_NOTIMPL;
}

HRESULT TreeAccessible::Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                               UINT*) {
    return E_NOTIMPL;
}

HTREEITEM TreeAccessible::itemOf(const VARIANT& child) const {
    if (child.vt != VT_I4 || child.lVal <= 0 || !treeIsThere()) {
        return nullptr;
    }
    LONG position = 1;
    for (HTREEITEM item = firstItem(tree_); item != nullptr; item = nextItem(tree_, item)) {
        if (position++ == child.lVal) {
            return item;
        }
    }
    return nullptr;
}

LONG TreeAccessible::childIdOfItem(HTREEITEM wanted) const {
    std::size_t position = 0;
    for (HTREEITEM item = firstItem(tree_); item != nullptr; item = nextItem(tree_, item)) {
        if (item == wanted) {
            return childIdOf(position);
        }
        ++position;
    }
    return CHILDID_SELF;
}

TreeAccessible::Target TreeAccessible::address(const VARIANT& child) const {
    if (!treeIsThere()) {
        return {CO_E_OBJNOTCONNECTED, false, nullptr};
    }
    if (isSelf(child)) {
        return {S_OK, true, nullptr};
    }
    const HTREEITEM item = itemOf(child);
    return {item != nullptr ? S_OK : E_INVALIDARG, false, item};
}

HRESULT TreeAccessible::get_accParent(IDispatch** parent) {
    *parent = nullptr;
    if (!treeIsThere()) {
        return CO_E_OBJNOTCONNECTED;
    }
    return standard_ ? standard_->get_accParent(parent) : S_FALSE;
}

HRESULT TreeAccessible::get_accChildCount(long* count) {
    *count = 0;
    if (!treeIsThere()) {
        return CO_E_OBJNOTCONNECTED;
    }
    for (HTREEITEM item = firstItem(tree_); item != nullptr; item = nextItem(tree_, item)) {
        ++*count;
    }
    return S_OK;
}

HRESULT TreeAccessible::get_accChild(VARIANT child, IDispatch** object) {
    *object = nullptr;
    if (!treeIsThere()) {
        return CO_E_OBJNOTCONNECTED;
    }
    // The items are simple elements of this object, not objects of their own.
    return itemOf(child) != nullptr ? S_FALSE : E_INVALIDARG;
}

HRESULT TreeAccessible::get_accName(VARIANT child, BSTR* name) {
    *name = nullptr;
    return answer(
        child, [&](IAccessible& system) { return system.get_accName(child, name); },
        [&](HTREEITEM item) {
            wchar_t text[kLongestText] = {};
            TVITEMW query{};
            query.mask = TVIF_TEXT;
            query.hItem = item;
            query.pszText = text;
            query.cchTextMax = kLongestText;
            ::SendMessageW(tree_, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&query));
            return giveText(text, name);
        });
}

HRESULT TreeAccessible::get_accValue(VARIANT child, BSTR* value) {
    *value = nullptr;
    return answer(
        child, [&](IAccessible& system) { return system.get_accValue(child, value); },
        [&](HTREEITEM item) {
            // The item's level, 0 at the top, as the system's trees tell it.
            return giveText(std::to_wstring(levelOf(tree_, item)), value);
        });
}

HRESULT TreeAccessible::get_accDescription(VARIANT child, BSTR* description) {
    *description = nullptr;
    return answer(
        child, [&](IAccessible& system) { return system.get_accDescription(child, description); },
        [](HTREEITEM) { return S_FALSE; });
}

HRESULT TreeAccessible::get_accRole(VARIANT child, VARIANT* role) {
    setEmpty(role);
    return answer(
        child, [&](IAccessible& system) { return system.get_accRole(child, role); },
        [&](HTREEITEM) {
            setChildId(role, ROLE_SYSTEM_OUTLINEITEM);
            return S_OK;
        });
}

HRESULT TreeAccessible::get_accState(VARIANT child, VARIANT* state) {
    setEmpty(state);
    return answer(
        child, [&](IAccessible& system) { return system.get_accState(child, state); },
        [&](HTREEITEM item) {
            const UINT itemState =
                stateOf(tree_, item, TVIS_STATEIMAGEMASK | TVIS_SELECTED | TVIS_EXPANDED);
            const presenters::TreeItemAccessibility check =
                presenters::accessibilityOf(stateShownBy((itemState & TVIS_STATEIMAGEMASK) >> 12));
            LONG flags = STATE_SYSTEM_SELECTABLE | STATE_SYSTEM_FOCUSABLE;
            flags |= check.checked ? STATE_SYSTEM_CHECKED : 0;
            flags |= check.mixed ? STATE_SYSTEM_MIXED : 0;
            flags |= check.unavailable ? STATE_SYSTEM_UNAVAILABLE : 0;
            if ((itemState & TVIS_SELECTED) != 0) {
                flags |= STATE_SYSTEM_SELECTED;
                flags |= ::GetFocus() == tree_ ? STATE_SYSTEM_FOCUSED : 0;
            }
            if (TreeView_GetChild(tree_, item) != nullptr) {
                flags |= (itemState & TVIS_EXPANDED) != 0 ? STATE_SYSTEM_EXPANDED
                                                          : STATE_SYSTEM_COLLAPSED;
            }
            flags |= shownInTree(tree_, item) ? 0 : STATE_SYSTEM_INVISIBLE;
            setChildId(state, flags);
            return S_OK;
        });
}

HRESULT TreeAccessible::get_accHelp(VARIANT child, BSTR* help) {
    *help = nullptr;
    return answer(
        child, [&](IAccessible& system) { return system.get_accHelp(child, help); },
        [](HTREEITEM) { return S_FALSE; });
}

HRESULT TreeAccessible::get_accHelpTopic(BSTR* file, VARIANT child, long* topic) {
    *file = nullptr;
    *topic = 0;
    return answer(
        child, [&](IAccessible& system) { return system.get_accHelpTopic(file, child, topic); },
        [](HTREEITEM) { return S_FALSE; });
}

HRESULT TreeAccessible::get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) {
    *shortcut = nullptr;
    return answer(
        child, [&](IAccessible& system) { return system.get_accKeyboardShortcut(child, shortcut); },
        [](HTREEITEM) { return S_FALSE; });
}

HRESULT TreeAccessible::get_accFocus(VARIANT* child) {
    setEmpty(child);
    if (!treeIsThere()) {
        return CO_E_OBJNOTCONNECTED;
    }
    if (::GetFocus() != tree_) {
        return S_FALSE;
    }
    const HTREEITEM selected = TreeView_GetSelection(tree_);
    setChildId(child, selected != nullptr ? childIdOfItem(selected) : CHILDID_SELF);
    return S_OK;
}

HRESULT TreeAccessible::get_accSelection(VARIANT* children) {
    setEmpty(children);
    if (!treeIsThere()) {
        return CO_E_OBJNOTCONNECTED;
    }
    const HTREEITEM selected = TreeView_GetSelection(tree_);
    if (selected == nullptr) {
        return S_FALSE;
    }
    setChildId(children, childIdOfItem(selected));
    return S_OK;
}

HRESULT TreeAccessible::get_accDefaultAction(VARIANT child, BSTR* action) {
    *action = nullptr;
    return answer(
        child, [&](IAccessible& system) { return system.get_accDefaultAction(child, action); },
        [](HTREEITEM) { return DISP_E_MEMBERNOTFOUND; });
}

HRESULT TreeAccessible::accSelect(long flags, VARIANT child) {
    return answer(
        child, [&](IAccessible& system) { return system.accSelect(flags, child); },
        [&](HTREEITEM item) {
            if ((flags & SELFLAG_TAKEFOCUS) != 0) {
                ::SetFocus(tree_);
            }
            if ((flags & (SELFLAG_TAKESELECTION | SELFLAG_TAKEFOCUS)) != 0) {
                TreeView_SelectItem(tree_, item);
            }
            return S_OK;
        });
}

HRESULT TreeAccessible::accLocation(long* left, long* top, long* width, long* height,
                                    VARIANT child) {
    *left = *top = *width = *height = 0;
    return answer(
        child,
        [&](IAccessible& system) { return system.accLocation(left, top, width, height, child); },
        [&](HTREEITEM item) {
            RECT rect{};
            if (TreeView_GetItemRect(tree_, item, &rect, TRUE) == FALSE) {
                return S_FALSE;
            }
            ::MapWindowPoints(tree_, nullptr, reinterpret_cast<POINT*>(&rect), 2);
            *left = rect.left;
            *top = rect.top;
            *width = rect.right - rect.left;
            *height = rect.bottom - rect.top;
            return S_OK;
        });
}

HRESULT TreeAccessible::accNavigate(long direction, VARIANT start, VARIANT* end) {
    setEmpty(end);
    if (!treeIsThere()) {
        return CO_E_OBJNOTCONNECTED;
    }
    const long count = [this] {
        long n = 0;
        get_accChildCount(&n);
        return n;
    }();
    if (isSelf(start)) {
        if (direction == NAVDIR_FIRSTCHILD || direction == NAVDIR_LASTCHILD) {
            if (count == 0) {
                return S_FALSE;
            }
            setChildId(end, direction == NAVDIR_FIRSTCHILD ? 1 : count);
            return S_OK;
        }
        return standard_ ? standard_->accNavigate(direction, start, end) : S_FALSE;
    }
    if (itemOf(start) == nullptr) {
        return E_INVALIDARG;
    }
    // The items are one list in display order.
    LONG next = 0;
    if (direction == NAVDIR_NEXT || direction == NAVDIR_DOWN) {
        next = start.lVal + 1;
    } else if (direction == NAVDIR_PREVIOUS || direction == NAVDIR_UP) {
        next = start.lVal - 1;
    }
    if (next < 1 || next > count) {
        return S_FALSE;
    }
    setChildId(end, next);
    return S_OK;
}

HRESULT TreeAccessible::accHitTest(long left, long top, VARIANT* child) {
    setEmpty(child);
    if (!treeIsThere()) {
        return CO_E_OBJNOTCONNECTED;
    }
    TVHITTESTINFO hit{};
    hit.pt = {left, top};
    ::ScreenToClient(tree_, &hit.pt);
    ::SendMessageW(tree_, TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit));
    if (hit.hItem != nullptr && (hit.flags & TVHT_ONITEM) != 0) {
        setChildId(child, childIdOfItem(hit.hItem));
        return S_OK;
    }
    return standard_ ? standard_->accHitTest(left, top, child) : S_FALSE;
}

HRESULT TreeAccessible::accDoDefaultAction(VARIANT child) {
    return answer(
        child, [&](IAccessible& system) { return system.accDoDefaultAction(child); },
        [](HTREEITEM) { return DISP_E_MEMBERNOTFOUND; });
}

HRESULT TreeAccessible::put_accName(VARIANT, BSTR) {
    return E_NOTIMPL;
}

HRESULT TreeAccessible::put_accValue(VARIANT, BSTR) {
    return E_NOTIMPL;
}

} // namespace parcelkit::windows
