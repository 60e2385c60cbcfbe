#pragma once

#include <string>

namespace parcelkit::presenters {

// Command id of the About item that the wizard adds to its system menu.
inline constexpr unsigned kAboutCommand = 1025;
inline constexpr wchar_t kAboutItemText[] = L"&About...";
inline constexpr wchar_t kAboutCaption[] = L"Parcelkit";

std::wstring aboutText();

// The box behind a double-click on the header picture.
inline constexpr wchar_t kDedicationCaption[] = L"Parcelkit";
inline constexpr wchar_t kDedicationText[] =
    L"For everyone who ever had to set up a program by hand.";

} // namespace parcelkit::presenters
