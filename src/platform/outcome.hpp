#pragma once

#include "base/error.hpp"

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <variant>

namespace parcelkit::platform {

// Why the machine refused a request: the system's error code and its own text for it.
struct Failure {
    std::uint32_t code = 0;
    std::wstring reason;

    // The file or its folder does not exist.
    bool notFound() const { return code == kFileNotFound || code == kPathNotFound; }
    // Another program holds the file open, or locks part of it.
    bool inUse() const { return code == kSharingViolation || code == kLockViolation; }

    static constexpr std::uint32_t kFileNotFound = 2;
    static constexpr std::uint32_t kPathNotFound = 3;
    static constexpr std::uint32_t kAccessDenied = 5;
    static constexpr std::uint32_t kSharingViolation = 32;
    static constexpr std::uint32_t kLockViolation = 33;
    static constexpr std::uint32_t kNotSupported = 50;
    static constexpr std::uint32_t kDiskFull = 112;
};

// The answer to a request that the machine may refuse. Every such operation of the
// platform interfaces answers with an Outcome, or a Result when it also hands back a
// value; nothing there throws. Lookups answer with the value, or nullopt when the thing
// looked up is not there.
class [[nodiscard]] Outcome {
public:
    Outcome() = default; // done
    Outcome(Failure failure) : failure_(std::move(failure)) {}

    explicit operator bool() const { return !failure_; }
    const Failure& failure() const { return *failure_; }

private:
    std::optional<Failure> failure_;
};

template <typename T> class [[nodiscard]] Result {
public:
    Result(T value) : value_(std::move(value)) {}
    Result(Failure failure) : value_(std::move(failure)) {}

    explicit operator bool() const { return value_.index() == 0; }
    T& operator*() { return std::get<0>(value_); }
    const T& operator*() const { return std::get<0>(value_); }
    T* operator->() { return &std::get<0>(value_); }
    const T* operator->() const { return &std::get<0>(value_); }
    const Failure& failure() const { return std::get<1>(value_); }

private:
    std::variant<T, Failure> value_;
};

// Marks a request whose refusal the caller lets pass on purpose; the call says why.
inline void notChecked(const Outcome&) {}
template <typename T> void notChecked(const Result<T>&) {}

// For a caller that cannot go on without the request: the refusal becomes the error that
// ends the current operation, naming what was being done to which object.
inline void require(const Outcome& outcome, const std::wstring& operation,
                    const std::wstring& object) {
    if (!outcome) {
        throw base::Error(operation, object, outcome.failure().reason);
    }
}

} // namespace parcelkit::platform
