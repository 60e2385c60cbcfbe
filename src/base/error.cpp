#include "base/error.hpp"

#include "base/text_encoding.hpp"

namespace parcelkit::base {

namespace {

std::wstring join(const std::wstring& operation, const std::wstring& object,
                  const std::wstring& reason) {
    return operation + L": " + object + L"\r\n" + reason;
}

} // namespace

Error::Error(std::wstring operation, std::wstring object, std::wstring reason)
    : std::runtime_error(toUtf8(join(operation, object, reason))), operation_(std::move(operation)),
      object_(std::move(object)), reason_(std::move(reason)) {}

std::wstring Error::describe() const {
    return join(operation_, object_, reason_);
}

std::wstring describe(const std::exception& error) {
    if (const auto* ours = dynamic_cast<const Error*>(&error)) {
        return ours->describe();
    }
    // Only the standard library's own errors get here; their texts are ASCII.
    const std::string what = error.what();
    return std::wstring(what.begin(), what.end());
}

} // namespace parcelkit::base
