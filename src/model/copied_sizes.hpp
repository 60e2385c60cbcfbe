#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <unordered_map>

namespace parcelkit::model {

// The sizes of the files this run copied, as the listing of their sources gave them: what
// the installed-programs entry counts without looking each file up again. Paths are
// compared as the file system compares them, folded for the ASCII letters.
class CopiedSizes {
public:
    void copied(const std::wstring& path, std::uint64_t bytes);
    std::optional<std::uint64_t> sizeOf(const std::wstring& path) const;
    // A program the run starts may change or remove what it copied: what was copied before
    // is looked up again.
    void forget() { bytes_.clear(); }

private:
    std::unordered_map<std::wstring, std::uint64_t> bytes_;
};

} // namespace parcelkit::model
