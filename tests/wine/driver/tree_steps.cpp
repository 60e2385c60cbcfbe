#include "tree_steps.hpp"

#include "driver_io.hpp"

#include <commctrl.h>

#include <optional>
#include <string>
#include <utility>

namespace pkdriver {

namespace {

HWND findTree(const std::vector<HWND>& controls) {
    for (const HWND control : controls) {
        if (className(control) == WC_TREEVIEWW) {
            return control;
        }
    }
    return nullptr;
}

HTREEITEM next(HWND tree, UINT relation, HTREEITEM item) {
    return reinterpret_cast<HTREEITEM>(
        ::SendMessageW(tree, TVM_GETNEXTITEM, relation, reinterpret_cast<LPARAM>(item)));
}

struct ItemInfo {
    std::wstring text;
    UINT state = 0;
};

constexpr std::size_t kTextChars = 520;

std::optional<ItemInfo> itemInfo(HANDLE process, HWND tree, HTREEITEM item) {
    const RemoteBlock block(process, sizeof(TVITEMW) + kTextChars * sizeof(wchar_t));
    if (!block) {
        return std::nullopt;
    }
    TVITEMW query{};
    query.mask = TVIF_TEXT | TVIF_STATE;
    query.hItem = item;
    query.stateMask = TVIS_STATEIMAGEMASK | TVIS_BOLD;
    query.pszText = reinterpret_cast<LPWSTR>(block.at(sizeof(TVITEMW)));
    query.cchTextMax = int(kTextChars);
    if (!block.write(0, &query, sizeof query) ||
        ::SendMessageW(tree, TVM_GETITEMW, 0, block.param()) == FALSE) {
        return std::nullopt;
    }
    TVITEMW answer{};
    wchar_t text[kTextChars] = {};
    if (!block.read(0, &answer, sizeof answer) || !block.read(sizeof(TVITEMW), text, sizeof text)) {
        return std::nullopt;
    }
    text[kTextChars - 1] = L'\0';
    return ItemInfo{text, answer.state};
}

// Every item in display order with its depth: each parent before its children.
struct Walked {
    HTREEITEM item;
    int depth;
};

void walk(HWND tree, HTREEITEM first, int depth, std::vector<Walked>& out) {
    for (HTREEITEM item = first; item != nullptr; item = next(tree, TVGN_NEXT, item)) {
        out.push_back({item, depth});
        walk(tree, next(tree, TVGN_CHILD, item), depth + 1, out);
    }
}

std::vector<Walked> allItems(HWND tree) {
    std::vector<Walked> items;
    walk(tree, next(tree, TVGN_ROOT, nullptr), 0, items);
    return items;
}

HTREEITEM findItem(HANDLE process, HWND tree, const std::wstring& text) {
    for (const Walked& walked : allItems(tree)) {
        const auto info = itemInfo(process, tree, walked.item);
        if (info && info->text == text) {
            return walked.item;
        }
    }
    return nullptr;
}

// The rectangle of the item's text, in the tree's client coordinates; empty when the
// item is scrolled away or inside a collapsed parent.
std::optional<RECT> textRect(HANDLE process, HWND tree, HTREEITEM item) {
    const RemoteBlock block(process, sizeof(RECT));
    RECT rect{};
    // The message takes the item in the rectangle's place.
    if (!block || !block.write(0, &item, sizeof item) ||
        ::SendMessageW(tree, TVM_GETITEMRECT, TRUE, block.param()) == FALSE ||
        !block.read(0, &rect, sizeof rect)) {
        return std::nullopt;
    }
    return rect;
}

std::optional<TVHITTESTINFO> hitTest(HANDLE process, HWND tree, POINT point) {
    const RemoteBlock block(process, sizeof(TVHITTESTINFO));
    TVHITTESTINFO hit{};
    hit.pt = point;
    if (!block || !block.write(0, &hit, sizeof hit)) {
        return std::nullopt;
    }
    ::SendMessageW(tree, TVM_HITTEST, 0, block.param());
    if (!block.read(0, &hit, sizeof hit)) {
        return std::nullopt;
    }
    return hit;
}

// The stretch of the item's row, left of its text, that the tree's hit test reports as the
// item's state image: its first and last x; nothing when the item has no state image.
std::optional<std::pair<int, int>> stateImageStretch(HANDLE process, HWND tree, HTREEITEM item,
                                                     const RECT& text) {
    const int y = (text.top + text.bottom) / 2;
    std::optional<std::pair<int, int>> stretch;
    for (int x = text.left - 1; x >= 0; --x) {
        const auto hit = hitTest(process, tree, {x, y});
        if (hit && hit->hItem == item && (hit->flags & TVHT_ONITEMSTATEICON) != 0) {
            stretch = std::pair{x, stretch ? stretch->second : x};
        }
    }
    return stretch;
}

} // namespace

bool printTree(HANDLE process, const std::vector<HWND>& controls) {
    const HWND tree = findTree(controls);
    if (tree == nullptr) {
        return false;
    }
    writeUtf8(L"TREE\n");
    for (const Walked& walked : allItems(tree)) {
        const auto info = itemInfo(process, tree, walked.item);
        if (!info) {
            writeUtf8(L"NODE ?\n");
            continue;
        }
        writeUtf8(L"NODE " + std::to_wstring(walked.depth) + L"\t" + info->text + L"\t" +
                  std::to_wstring((info->state & TVIS_STATEIMAGEMASK) >> 12) +
                  ((info->state & TVIS_BOLD) != 0 ? L"\tbold" : L"") + L"\n");
    }
    return true;
}

bool clickCheckBox(HANDLE process, const std::vector<HWND>& controls, const std::wstring& text) {
    const HWND tree = findTree(controls);
    const HTREEITEM item = tree != nullptr ? findItem(process, tree, text) : nullptr;
    const auto rect = item != nullptr ? textRect(process, tree, item) : std::nullopt;
    if (!rect) {
        return false;
    }
    const int y = (rect->top + rect->bottom) / 2;
    // The state image lies left of the text: the middle of its stretch.
    const auto stretch = stateImageStretch(process, tree, item, *rect);
    const int x = stretch ? (stretch->first + stretch->second) / 2 : rect->left - 8;
    const LPARAM point = MAKELPARAM(x, y);
    ::PostMessageW(tree, WM_LBUTTONDOWN, MK_LBUTTON, point);
    ::PostMessageW(tree, WM_LBUTTONUP, 0, point);
    return true;
}

void printCheckImageWidth(HANDLE process, const std::vector<HWND>& controls) {
    const HWND tree = findTree(controls);
    if (tree == nullptr) {
        return;
    }
    for (const Walked& walked : allItems(tree)) {
        const auto rect = textRect(process, tree, walked.item);
        if (const auto stretch =
                rect ? stateImageStretch(process, tree, walked.item, *rect) : std::nullopt) {
            writeUtf8(L"CHECKIMAGE " + std::to_wstring(stretch->second - stretch->first + 1) +
                      L"\n");
            return;
        }
    }
}

bool hoverItem(HANDLE process, const std::vector<HWND>& controls, const std::wstring& text) {
    const HWND tree = findTree(controls);
    if (tree == nullptr) {
        return false;
    }
    if (text.empty()) {
        RECT client{};
        ::GetClientRect(tree, &client);
        ::PostMessageW(tree, WM_MOUSEMOVE, 0, MAKELPARAM(client.right / 2, client.bottom - 4));
        return true;
    }
    const HTREEITEM item = findItem(process, tree, text);
    const auto rect = item != nullptr ? textRect(process, tree, item) : std::nullopt;
    if (!rect) {
        return false;
    }
    ::PostMessageW(tree, WM_MOUSEMOVE, 0,
                   MAKELPARAM((rect->left + rect->right) / 2, (rect->top + rect->bottom) / 2));
    return true;
}

bool pressSpace(const std::vector<HWND>& controls) {
    const HWND tree = findTree(controls);
    if (tree == nullptr) {
        return false;
    }
    const UINT scan = ::MapVirtualKeyW(VK_SPACE, MAPVK_VK_TO_VSC);
    ::PostMessageW(tree, WM_KEYDOWN, VK_SPACE, LPARAM(1 | (scan << 16)));
    ::PostMessageW(tree, WM_KEYUP, VK_SPACE, LPARAM(1 | (scan << 16) | (3U << 30)));
    return true;
}

bool rightClick(const std::vector<HWND>& controls) {
    const HWND tree = findTree(controls);
    if (tree == nullptr) {
        return false;
    }
    RECT client{};
    ::GetClientRect(tree, &client);
    const LPARAM point = MAKELPARAM(client.right / 2, client.bottom / 2);
    ::PostMessageW(tree, WM_RBUTTONDOWN, MK_RBUTTON, point);
    ::PostMessageW(tree, WM_RBUTTONUP, 0, point);
    return true;
}

} // namespace pkdriver
