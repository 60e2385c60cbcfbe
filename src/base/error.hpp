#pragma once

#include <stdexcept>
#include <string>

namespace parcelkit::base {

// The one error that ends an operation the installer cannot go on without: a write the
// machine refused, an entry that cannot be read. It names what was being done, to which
// object, and why; what() carries the same text in UTF-8.
class Error : public std::runtime_error {
public:
    Error(std::wstring operation, std::wstring object, std::wstring reason);

    const std::wstring& operation() const { return operation_; }
    const std::wstring& object() const { return object_; }
    const std::wstring& reason() const { return reason_; }
    // "operation: object", then the reason on a line of its own.
    std::wstring describe() const;

private:
    std::wstring operation_;
    std::wstring object_;
    std::wstring reason_;
};

// The text to show for any exception: ours in full, another's what() as far as it goes.
std::wstring describe(const std::exception& error);

} // namespace parcelkit::base
