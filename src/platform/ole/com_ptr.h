#pragma once
// An owning reference to an automation object: AddRef on copy, Release on reset.
#include <utility>

namespace platform {

template <typename T>
class TComPtr {
  public:
    TComPtr() = default;
    // Takes a new reference to `object` (a freshly made object starts with none).
    explicit TComPtr(T* object) : object_(object) {
        if (object_ != nullptr) object_->AddRef();
    }
    TComPtr(const TComPtr& other) : TComPtr(other.object_) {}
    TComPtr(TComPtr&& other) noexcept : object_(std::exchange(other.object_, nullptr)) {}
    TComPtr& operator=(TComPtr other) noexcept {
        std::swap(object_, other.object_);
        return *this;
    }
    ~TComPtr() { Reset(); }

    void Reset() {
        if (T* old = std::exchange(object_, nullptr)) old->Release();
    }
    T* Get() const { return object_; }
    T* operator->() const { return object_; }
    T& operator*() const { return *object_; }
    explicit operator bool() const { return object_ != nullptr; }

  private:
    T* object_ = nullptr;
};

}  // namespace platform
