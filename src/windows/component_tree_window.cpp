#include "windows/component_tree_window.hpp"

#include "components/component_page.hpp"
#include "windows/accessibility_library.hpp"

#include <windowsx.h>

namespace parcelkit::windows {

using components::CheckState;

namespace {

constexpr UINT_PTR kSubclassId = 1;

COLORREF colourOf(components::TextColour colour, COLORREF fallback) {
    switch (colour) {
    case components::TextColour::Grey:
        return RGB(128, 128, 128);
    case components::TextColour::Red:
        return RGB(255, 0, 0);
    case components::TextColour::Default:
        break;
    }
    return fallback;
}

} // namespace

ComponentTreeWin32::ComponentTreeWin32(HWND tree, HWND memo, HWND warningSwitch, int dpi,
                                       presenters::HandlerGuard& guard)
    : tree_(tree), memo_(memo), warningSwitch_(warningSwitch), dpi_(dpi),
      images_(createCheckImages(tree, dpi)), guard_(guard) {
    ::SendMessageW(tree_, TVM_SETIMAGELIST, TVSIL_STATE, reinterpret_cast<LPARAM>(images_.get()));
    ::SetWindowSubclass(tree_, subclassProcedure, kSubclassId, reinterpret_cast<DWORD_PTR>(this));
}

ComponentTreeWin32::~ComponentTreeWin32() {
    if (::IsWindow(tree_) != FALSE) {
        ::RemoveWindowSubclass(tree_, subclassProcedure, kSubclassId);
        ::SendMessageW(tree_, TVM_SETIMAGELIST, TVSIL_STATE, 0);
    }
}

void ComponentTreeWin32::rescale(int dpi) {
    dpi_ = dpi;
    UniqueImageList images = createCheckImages(tree_, dpi_);
    ::SendMessageW(tree_, TVM_SETIMAGELIST, TVSIL_STATE, reinterpret_cast<LPARAM>(images.get()));
    images_ = std::move(images);
    // Some trees place their items' texts again only when the indent changes, not the state
    // images: without this the texts keep the room of the boxes of the old size, and a click
    // there still counts as one on the box.
    const UINT indent = TreeView_GetIndent(tree_);
    TreeView_SetIndent(tree_, indent + 1);
    TreeView_SetIndent(tree_, indent);
}

LRESULT ComponentTreeWin32::answerAccessibleObject(WPARAM wParam) {
    const AccessibilityLibrary& library = AccessibilityLibrary::get();
    if (!library.loaded()) {
        return 0;
    }
    if (!accessible_) {
        // The new object's one reference is the pointer's.
        *accessible_.put() = static_cast<IAccessible*>(new TreeAccessible(tree_));
    }
    return library.answer(__uuidof(IAccessible), wParam, accessible_.get());
}

void ComponentTreeWin32::tellAssistiveTechnology(DWORD event, std::size_t node) const {
    ::NotifyWinEvent(event, tree_, OBJID_CLIENT, TreeAccessible::childIdOf(node));
}

// The guard is open only once the page is connected.
template <typename Handler> void ComponentTreeWin32::guarded(Handler handler) {
    guard_.run([&] { handler(*page_); });
}

void ComponentTreeWin32::showTree(const components::ComponentTree& tree) {
    // Deleting the items moves the selection; that is no choice of the user's.
    replacing_ = true;
    ::SendMessageW(tree_, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT));
    items_.clear();
    looks_.assign(tree.count(), std::nullopt);
    for (std::size_t i = 0; i < tree.count(); ++i) {
        const components::TreeNode& node = tree.node(i);
        std::wstring text = node.text;
        TVINSERTSTRUCTW insert{};
        insert.hParent = node.parent ? items_.at(*node.parent) : TVI_ROOT;
        insert.hInsertAfter = TVI_LAST;
        insert.item.mask = TVIF_TEXT | TVIF_PARAM | TVIF_STATE;
        insert.item.pszText = text.data();
        insert.item.lParam = static_cast<LPARAM>(i);
        insert.item.stateMask = TVIS_STATEIMAGEMASK;
        insert.item.state = INDEXTOSTATEIMAGEMASK(imageFor(node.state));
        items_.push_back(reinterpret_cast<HTREEITEM>(
            ::SendMessageW(tree_, TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&insert))));
    }
    replacing_ = false;
}

void ComponentTreeWin32::showNode(std::size_t node, const components::NodeLook& look) {
    if (node >= items_.size() || looks_[node] == look) {
        return;
    }
    const std::optional<components::NodeLook> before = looks_[node];
    looks_[node] = look;
    const HTREEITEM item = items_[node];
    const bool newCheckState = !before || before->box != look.box;
    TVITEMW change{};
    change.mask = TVIF_STATE;
    change.hItem = item;
    // Bold as an item state rather than a font chosen while drawing: the control then
    // measures the label in bold and does not clip it.
    change.stateMask = TVIS_STATEIMAGEMASK | TVIS_BOLD;
    change.state = INDEXTOSTATEIMAGEMASK(imageFor(look.box)) | (look.bold ? TVIS_BOLD : 0U);
    ::SendMessageW(tree_, TVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&change));
    if (newCheckState) {
        tellAssistiveTechnology(EVENT_OBJECT_STATECHANGE, node);
    }
    if (look.expanded && !(before && before->expanded)) {
        ::SendMessageW(tree_, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(item));
    }
    if (before && before->colour != look.colour) {
        RECT rect{};
        if (TreeView_GetItemRect(tree_, item, &rect, FALSE)) {
            ::InvalidateRect(tree_, &rect, TRUE);
        }
    }
}

std::wstring ComponentTreeWin32::description() const {
    std::wstring text(static_cast<std::size_t>(::GetWindowTextLengthW(memo_)) + 1, L'\0');
    const int length = ::GetWindowTextW(memo_, text.data(), static_cast<int>(text.size()));
    text.resize(static_cast<std::size_t>(length > 0 ? length : 0));
    return text;
}

void ComponentTreeWin32::setDescription(const std::wstring& text) {
    ::SetWindowTextW(memo_, text.c_str());
}

void ComponentTreeWin32::scrollDescriptionPageUp() {
    ::SendMessageW(memo_, EM_SCROLL, SB_PAGEUP, 0);
}

bool ComponentTreeWin32::installedWarningOff() const {
    return ::SendMessageW(warningSwitch_, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

std::optional<std::size_t> ComponentTreeWin32::nodeAt(LPARAM point, UINT* flags) const {
    TVHITTESTINFO hit{};
    hit.pt = {GET_X_LPARAM(point), GET_Y_LPARAM(point)};
    ::SendMessageW(tree_, TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit));
    if (flags != nullptr) {
        *flags = hit.flags;
    }
    if (hit.hItem == nullptr || (hit.flags & TVHT_ONITEM) == 0) {
        return std::nullopt;
    }
    TVITEMW item{};
    item.mask = TVIF_PARAM;
    item.hItem = hit.hItem;
    ::SendMessageW(tree_, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
    return static_cast<std::size_t>(item.lParam);
}

std::optional<std::size_t> ComponentTreeWin32::selectedNode() const {
    const auto item =
        reinterpret_cast<HTREEITEM>(::SendMessageW(tree_, TVM_GETNEXTITEM, TVGN_CARET, 0));
    if (item == nullptr) {
        return std::nullopt;
    }
    TVITEMW query{};
    query.mask = TVIF_PARAM;
    query.hItem = item;
    ::SendMessageW(tree_, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&query));
    return static_cast<std::size_t>(query.lParam);
}

void ComponentTreeWin32::pressed(LPARAM point) {
    UINT flags = 0;
    const auto node = nodeAt(point, &flags);
    if (!node || (flags & TVHT_ONITEMSTATEICON) == 0 || *node >= items_.size()) {
        pressedNode_.reset();
        return;
    }
    // The press selects the node; the release on the same box toggles it.
    ::SetFocus(tree_);
    ::SendMessageW(tree_, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(items_[*node]));
    pressedNode_ = node;
    ::SetCapture(tree_);
}

void ComponentTreeWin32::released(LPARAM point) {
    const std::optional<std::size_t> down = pressedNode_;
    pressedNode_.reset();
    ::ReleaseCapture();
    UINT flags = 0;
    const auto node = nodeAt(point, &flags);
    if (down && node == down && (flags & TVHT_ONITEMSTATEICON) != 0 && selectedNode() == node) {
        guarded([&](components::ComponentPage& page) { page.toggle(*node); });
    }
}

LRESULT ComponentTreeWin32::onTreeMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_PAINT:
        // Nodes not yet set are painted, and from now on treated, as unchecked.
        guarded([](components::ComponentPage& page) { page.repaint(); });
        break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        guarded([](components::ComponentPage& page) {
            page.Treeview1MouseDown(components::MouseButton::Left);
        });
        // The position is the message's own: a click may be posted by another program.
        pressed(lParam);
        if (pressedNode_) {
            // The control's own handling would wait for the release and start dragging.
            return 0;
        }
        break;
    case WM_LBUTTONUP:
        if (pressedNode_) {
            released(lParam);
            return 0;
        }
        break;
    case WM_CAPTURECHANGED:
        if (reinterpret_cast<HWND>(lParam) != tree_) {
            pressedNode_.reset();
        }
        break;
    case WM_RBUTTONDOWN:
        guarded([](components::ComponentPage& page) {
            page.Treeview1MouseDown(components::MouseButton::Right);
        });
        break;
    case WM_MBUTTONDOWN:
        guarded([](components::ComponentPage& page) {
            page.Treeview1MouseDown(components::MouseButton::Middle);
        });
        break;
    case WM_MOUSEMOVE: {
        const auto node = nodeAt(lParam, nullptr);
        guarded([&](components::ComponentPage& page) { page.Treeview1MouseMove(node); });
        break;
    }
    case WM_CHAR:
        // Space toggles; it is no search for a title starting with a blank.
        if (wParam == VK_SPACE) {
            return 0;
        }
        break;
    case WM_KEYUP:
        if (wParam == VK_SPACE) {
            if (const auto node = selectedNode()) {
                guarded([&](components::ComponentPage& page) { page.toggle(*node); });
            }
            return 0;
        }
        break;
    case WM_THEMECHANGED:
    case WM_SYSCOLORCHANGE:
        rescale(dpi_);
        break;
    case WM_GETOBJECT:
        if (static_cast<LONG>(lParam) == OBJID_CLIENT) {
            if (const LRESULT answer = answerAccessibleObject(wParam)) {
                return answer;
            }
        }
        break;
    default:
        break;
    }
    return ::DefSubclassProc(tree_, message, wParam, lParam);
}

LRESULT CALLBACK ComponentTreeWin32::subclassProcedure(HWND window, UINT message, WPARAM wParam,
                                                       LPARAM lParam, UINT_PTR, DWORD_PTR self) {
    if (message == WM_NCDESTROY) {
        ::RemoveWindowSubclass(window, subclassProcedure, kSubclassId);
        return ::DefSubclassProc(window, message, wParam, lParam);
    }
    return reinterpret_cast<ComponentTreeWin32*>(self)->onTreeMessage(message, wParam, lParam);
}

LRESULT ComponentTreeWin32::onCustomDraw(NMTVCUSTOMDRAW& draw) {
    switch (draw.nmcd.dwDrawStage) {
    case CDDS_PREPAINT:
        return CDRF_NOTIFYITEMDRAW;
    case CDDS_ITEMPREPAINT: {
        const auto node = static_cast<std::size_t>(draw.nmcd.lItemlParam);
        guarded([&](components::ComponentPage& page) {
            if (node < page.tree().count()) {
                const components::NodeLook look = page.Treeview1CustomDrawItem(node);
                draw.clrText = colourOf(look.colour, draw.clrText);
            }
        });
        return CDRF_DODEFAULT;
    }
    default:
        return CDRF_DODEFAULT;
    }
}

LRESULT ComponentTreeWin32::onNotify(NMHDR& header) {
    switch (header.code) {
    case NM_CUSTOMDRAW:
        // The header is the start of the whole structure that the control sent.
        return onCustomDraw(reinterpret_cast<NMTVCUSTOMDRAW&>(header));
    case TVN_SELCHANGEDW: {
        const auto& change = reinterpret_cast<const NMTREEVIEWW&>(header);
        if (!replacing_ && change.itemNew.hItem != nullptr) {
            const auto node = static_cast<std::size_t>(change.itemNew.lParam);
            tellAssistiveTechnology(EVENT_OBJECT_SELECTION, node);
            if (::GetFocus() == tree_) {
                tellAssistiveTechnology(EVENT_OBJECT_FOCUS, node);
            }
            guarded([&](components::ComponentPage& page) { page.Treeview1Change(node); });
        }
        return 0;
    }
    default:
        return 0;
    }
}

} // namespace parcelkit::windows
