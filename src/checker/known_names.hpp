#pragma once

#include <string>
#include <vector>

namespace parcelkit::checker {

// The keys that setup.exe reads in each kind of section. List sections take any key.
std::vector<std::wstring> setupMainKeys();
std::vector<std::wstring> componentMainKeys();
std::vector<std::wstring> componentLanguageKeys();
std::vector<std::wstring> detectionKeys();
// A language section: its settings, the installed-programs values and the messages.
std::vector<std::wstring> languageKeys();

// Every list section a component file may hold for these language sections.
std::vector<std::wstring> componentListSections(const std::vector<std::wstring>& languages);
// The list sections of setup.ini.
std::vector<std::wstring> setupListSections(const std::vector<std::wstring>& languages);

} // namespace parcelkit::checker
