#pragma once

#include <string>
#include <vector>

namespace parcelkit::platform {
class ProfileFile;
}

namespace parcelkit::script {

// A section exists when it holds at least one key.
bool sectionExists(const platform::ProfileFile& file, const std::wstring& section);

// A list section as "key=value" lines in file order. Values are found by key, so a key
// written twice carries the value of its first occurrence both times.
std::vector<std::wstring> readListSection(const platform::ProfileFile& file,
                                          const std::wstring& section);

} // namespace parcelkit::script
