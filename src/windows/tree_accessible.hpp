#pragma once

#include "platform/win32/com_ptr.hpp"

#include <windows.h>

#include <commctrl.h>

#include <cstddef>
#include <oleacc.h>

namespace parcelkit::windows {

// The component tree as a screen reader sees it. The tree draws its check boxes as
// pictures, which tell assistive technology nothing, and the system's own object of a tree
// does not list the items everywhere; so the tree answers WM_GETOBJECT for its client area
// with this object. Its children are the tree's items in display order (child id 1 is the
// first item, whether or not its parent is expanded), each with its text, the outline
// item role, its level as value and its check state (presenters/tree_item_accessibility).
// Everything about the tree as a whole is the system's object's answer.
//
// The object holds only the tree's window handle, so that a screen reader may keep it
// after the tree is gone: it then answers that it is no longer connected.
class TreeAccessible final : public IAccessible {
public:
    // The child id the item of the node at that position has.
    static LONG childIdOf(std::size_t position) { return static_cast<LONG>(position) + 1; }

    explicit TreeAccessible(HWND tree);
    TreeAccessible(const TreeAccessible&) = delete;
    TreeAccessible& operator=(const TreeAccessible&) = delete;

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;

    // IDispatch: screen readers call the interface's methods directly.
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** info) override;
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                     UINT*) override;

    // IAccessible
    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override;
    HRESULT STDMETHODCALLTYPE get_accChildCount(long* count) override;
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** object) override;
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override;
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override;
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* description) override;
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override;
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override;
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override;
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, long* topic) override;
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) override;
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* child) override;
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* children) override;
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override;
    HRESULT STDMETHODCALLTYPE accSelect(long flags, VARIANT child) override;
    HRESULT STDMETHODCALLTYPE accLocation(long* left, long* top, long* width, long* height,
                                          VARIANT child) override;
    HRESULT STDMETHODCALLTYPE accNavigate(long direction, VARIANT start, VARIANT* end) override;
    HRESULT STDMETHODCALLTYPE accHitTest(long left, long top, VARIANT* child) override;
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override;
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT child, BSTR name) override;
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT child, BSTR value) override;

private:
    // What a child id names: the tree as a whole, which the system's object describes, or
    // one of its items; or nothing, when the tree has no such item or is gone.
    struct Target {
        HRESULT failure;
        bool tree;
        HTREEITEM item;
    };

    ~TreeAccessible() = default;
    Target address(const VARIANT& child) const;
    // Most questions have two answers: the system's object's, for the tree as a whole, and
    // this object's, for an item.
    template <typename ForTree, typename ForItem>
    HRESULT answer(const VARIANT& child, ForTree forTree, ForItem forItem) const {
        const Target target = address(child);
        if (target.tree) {
            return standard_ ? forTree(*standard_.get()) : E_NOTIMPL;
        }
        if (target.item == nullptr) {
            return target.failure;
        }
        return forItem(target.item);
    }
    // The item a child id names; nullptr for the tree itself or an id it does not have.
    HTREEITEM itemOf(const VARIANT& child) const;
    LONG childIdOfItem(HTREEITEM item) const;
    bool isSelf(const VARIANT& child) const { return child.vt == VT_I4 && child.lVal == 0; }
    bool treeIsThere() const { return ::IsWindow(tree_) != FALSE; }

    LONG references_ = 1;
    HWND tree_;
    win32::ComPtr<IAccessible> standard_; // the system's object of the tree's client area
};

} // namespace parcelkit::windows
