#include "model/copied_sizes.hpp"

#include "base/text.hpp"

namespace parcelkit::model {

void CopiedSizes::copied(const std::wstring& path, std::uint64_t bytes) {
    bytes_[base::asciiUpper(path)] = bytes;
}

std::optional<std::uint64_t> CopiedSizes::sizeOf(const std::wstring& path) const {
    const auto found = bytes_.find(base::asciiUpper(path));
    if (found == bytes_.end()) {
        return std::nullopt;
    }
    return found->second;
}

} // namespace parcelkit::model
