#pragma once

#include <windows.h>

#include <objbase.h>

namespace parcelkit::win32 {

// Owns one reference to a COM interface and releases it on the way out.
template <typename Interface> class ComPtr {
public:
    ComPtr() = default;
    ComPtr(const ComPtr&) = delete;
    ComPtr& operator=(const ComPtr&) = delete;
    ComPtr(ComPtr&& other) noexcept : pointer_(other.pointer_) { other.pointer_ = nullptr; }
    ComPtr& operator=(ComPtr&& other) noexcept {
        if (this != &other) {
            reset();
            pointer_ = other.pointer_;
            other.pointer_ = nullptr;
        }
        return *this;
    }
    ~ComPtr() { reset(); }

    Interface* get() const { return pointer_; }
    Interface* operator->() const { return pointer_; }
    explicit operator bool() const { return pointer_ != nullptr; }
    void reset() {
        if (pointer_ != nullptr) {
            pointer_->Release();
            pointer_ = nullptr;
        }
    }
    // For functions that hand out a new reference through a void**.
    void** put() {
        reset();
        return reinterpret_cast<void**>(&pointer_);
    }

private:
    Interface* pointer_ = nullptr;
};

// Memory that the shell allocates for the caller (item identifier lists).
template <typename T> class CoTaskMemory {
public:
    CoTaskMemory() = default;
    CoTaskMemory(const CoTaskMemory&) = delete;
    CoTaskMemory& operator=(const CoTaskMemory&) = delete;
    ~CoTaskMemory() { ::CoTaskMemFree(pointer_); }

    T* get() const { return pointer_; }
    T** put() {
        ::CoTaskMemFree(pointer_);
        pointer_ = nullptr;
        return &pointer_;
    }

private:
    T* pointer_ = nullptr;
};

} // namespace parcelkit::win32
