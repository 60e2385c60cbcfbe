#pragma once

#include <windows.h>

#include <vector>

namespace pkdriver {

// "acc" reads the visible tree view as a screen reader does: the accessible object of its
// client area across processes (AccessibleObjectFromWindow), its children
// (AccessibleChildren), and each child's name, role and state. Prints "ACCTREE" and one line
// per child: "ACCITEM <name>\t<role>\t<states>", the states among checked, mixed and
// unavailable joined by "+", or "-" for none. False while no tree is visible; a tree whose
// object lists no children prints "ACCTREE" alone.
bool printAccessibleTree(const std::vector<HWND>& controls);

} // namespace pkdriver
