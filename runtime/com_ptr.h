// A move-only COM interface pointer that releases in its destructor.
#pragma once

#include <unknwn.h>

#include <utility>

template <typename Interface>
class ComPtr {
 public:
  ComPtr() = default;
  ComPtr(ComPtr&& other) noexcept : pointer_(other.release()) {}
  ComPtr& operator=(ComPtr&& other) noexcept {
    if (this != &other) reset(other.release());
    return *this;
  }
  ComPtr(const ComPtr&) = delete;
  ComPtr& operator=(const ComPtr&) = delete;
  ~ComPtr() { reset(); }

  explicit operator bool() const { return pointer_ != nullptr; }
  Interface* get() const { return pointer_; }
  Interface* operator->() const { return pointer_; }

  // Releases the pointer held, if any, and takes ownership of `pointer`.
  void reset(Interface* pointer = nullptr) {
    if (pointer_ != nullptr) pointer_->Release();
    pointer_ = pointer;
  }
  Interface* release() { return std::exchange(pointer_, nullptr); }
  // Releases the pointer held and returns the slot for a call that delivers a new one.
  void** put() {
    reset();
    return reinterpret_cast<void**>(&pointer_);
  }

 private:
  Interface* pointer_ = nullptr;
};
