#pragma once

#include "components/component_tree_view.hpp"
#include "platform/win32/handles.hpp"
#include "presenters/handler_guard.hpp"
#include "windows/check_images.hpp"
#include "windows/tree_accessible.hpp"

#include <commctrl.h>

#include <optional>
#include <vector>

namespace parcelkit::components {
class ComponentPage;
}

namespace parcelkit::windows {

// The component page on screen: Treeview1 with its check boxes drawn as state images,
// Memo1 beside it and CheckBox1. The tree's mouse and keyboard messages are hit-tested
// here and forwarded to the page model, which decides every state; its notifications
// arrive through the wizard window. A screen reader learns each item's text and check state
// from the tree's own accessible object (tree_accessible.hpp), and hears of a new selection
// or check state through the system's accessibility events.
class ComponentTreeWin32 : public components::ComponentTreeView {
public:
    ComponentTreeWin32(HWND tree, HWND memo, HWND warningSwitch, int dpi,
                       presenters::HandlerGuard& guard);
    ~ComponentTreeWin32() override;
    ComponentTreeWin32(const ComponentTreeWin32&) = delete;
    ComponentTreeWin32& operator=(const ComponentTreeWin32&) = delete;

    void connect(components::ComponentPage& page) { page_ = &page; }
    // WM_NOTIFY from the tree, passed on by its parent.
    LRESULT onNotify(NMHDR& header);
    // The check boxes drawn again for a screen of that resolution.
    void rescale(int dpi);

    // script::ComponentTreeView
    void showTree(const components::ComponentTree& tree) override;
    void showNode(std::size_t node, const components::NodeLook& look) override;
    std::wstring description() const override;
    void setDescription(const std::wstring& text) override;
    void scrollDescriptionPageUp() override;
    bool installedWarningOff() const override;

private:
    static LRESULT CALLBACK subclassProcedure(HWND window, UINT message, WPARAM wParam,
                                              LPARAM lParam, UINT_PTR id, DWORD_PTR self);
    LRESULT onTreeMessage(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT onCustomDraw(NMTVCUSTOMDRAW& draw);
    // The node whose item lies at the point, in the tree's client coordinates, and what
    // part of it.
    std::optional<std::size_t> nodeAt(LPARAM point, UINT* flags) const;
    std::optional<std::size_t> selectedNode() const;
    void pressed(LPARAM point);
    void released(LPARAM point);
    template <typename Handler> void guarded(Handler handler);
    LRESULT answerAccessibleObject(WPARAM wParam);
    void tellAssistiveTechnology(DWORD event, std::size_t node) const;

    HWND tree_;
    HWND memo_;
    HWND warningSwitch_;
    int dpi_;
    UniqueImageList images_;
    win32::ComPtr<IAccessible> accessible_; // made when a screen reader first asks
    std::vector<HTREEITEM> items_;
    std::vector<std::optional<components::NodeLook>> looks_;
    std::optional<std::size_t> pressedNode_;
    bool replacing_ = false;
    presenters::HandlerGuard& guard_;
    components::ComponentPage* page_ = nullptr;
};

} // namespace parcelkit::windows
