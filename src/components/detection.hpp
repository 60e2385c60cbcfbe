#pragma once

#include "platform/registry.hpp"

#include <optional>
#include <string>

namespace parcelkit::platform {
class FileSystem;
class ProfileFile;
} // namespace parcelkit::platform

namespace parcelkit::script {
struct MacroValues;
}

namespace parcelkit::components {

// What a component file names as the sign that the component is installed.
struct DetectionEntry {
    std::wstring rootkey;
    std::wstring subkey;
    std::wstring valuename;
    std::wstring valuedata;
    std::wstring file;
};

// [detect_<langsection>] when a language file is in use and the component file has that
// section; otherwise [detect]. Only the chosen section is read.
DetectionEntry readDetection(const platform::ProfileFile& componentFile,
                             const std::wstring& langsection);

// A root key by its exact name ("HKEY_LOCAL_MACHINE"); nullopt for any other text.
// "HKEY_PERFORMANCE_DATA" and "HKEY_DYN_DATA" are names of roots that the installer
// cannot read keys of, so they give nullopt too.
std::optional<platform::RootKey> rootKeyNamed(const std::wstring& name);

// The registry test: the key exists (opened for reading), and a value is named and
// expected, the value holds exactly that text. A missing value, or one that is not a
// string, holds no text. Without a root key name or a key path there is no test.
bool installedByRegistry(const DetectionEntry& entry, const platform::Registry& registry);

// The file test: the path, its macros expanded and then its tags decoded, is an existing
// file. A directory does not count; without a path there is no test.
bool installedByFile(const DetectionEntry& entry, const script::MacroValues& dirs,
                     const platform::FileSystem& files);

} // namespace parcelkit::components
