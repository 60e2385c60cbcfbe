#pragma once

#include <stdexcept>
#include <string>

namespace parcelkit::base {

// Raised when the machine refuses an operation that the caller cannot go on without
// (a profile write, a conversion). Carries the operation, the object and the reason.
class PlatformError : public std::runtime_error {
public:
    PlatformError(std::wstring operation, std::wstring object, std::wstring reason)
        : std::runtime_error("platform error"), operation_(std::move(operation)),
          object_(std::move(object)), reason_(std::move(reason)) {}

    const std::wstring& operation() const { return operation_; }
    const std::wstring& object() const { return object_; }
    const std::wstring& reason() const { return reason_; }
    std::wstring describe() const { return operation_ + L": " + object_ + L"\r\n" + reason_; }

private:
    std::wstring operation_;
    std::wstring object_;
    std::wstring reason_;
};

// The text of an error for a person. Only ASCII reaches what(): our own errors carry their
// text as PlatformError.
inline std::wstring describe(const std::exception& error) {
    if (const auto* platformError = dynamic_cast<const PlatformError*>(&error)) {
        return platformError->describe();
    }
    const std::string what = error.what();
    return std::wstring(what.begin(), what.end());
}

} // namespace parcelkit::base
