// Move-only owners of Win32 handles; each handle kind is one traits struct and one alias.
#pragma once

#include <windows.h>

#include <utility>

template <typename Traits>
class UniqueHandle {
 public:
  using Pointer = typename Traits::Pointer;

  UniqueHandle() = default;
  explicit UniqueHandle(Pointer handle) : handle_(handle) {}
  UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.release()) {}
  UniqueHandle& operator=(UniqueHandle&& other) noexcept {
    if (this != &other) reset(other.release());
    return *this;
  }
  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;
  ~UniqueHandle() { reset(); }

  explicit operator bool() const { return handle_ != Traits::Empty(); }
  Pointer get() const { return handle_; }

  // Closes the handle held, if any, and takes `handle` instead.
  void reset(Pointer handle = Traits::Empty()) {
    if (handle_ != Traits::Empty()) Traits::Close(handle_);
    handle_ = handle;
  }
  // Gives up ownership without closing.
  Pointer release() { return std::exchange(handle_, Traits::Empty()); }
  // Closes the handle held and returns the slot for a call that writes a new one.
  Pointer* put() {
    reset();
    return &handle_;
  }

 private:
  Pointer handle_ = Traits::Empty();
};

struct FindHandleTraits {
  using Pointer = HANDLE;
  static Pointer Empty() { return INVALID_HANDLE_VALUE; }
  static void Close(Pointer handle) { ::FindClose(handle); }
};

struct FileHandleTraits {
  using Pointer = HANDLE;
  static Pointer Empty() { return INVALID_HANDLE_VALUE; }
  static void Close(Pointer handle) { ::CloseHandle(handle); }
};

// Kernel objects whose failure value is null (processes, threads, events).
struct KernelHandleTraits {
  using Pointer = HANDLE;
  static Pointer Empty() { return nullptr; }
  static void Close(Pointer handle) { ::CloseHandle(handle); }
};

using UniqueFindHandle = UniqueHandle<FindHandleTraits>;
using UniqueFileHandle = UniqueHandle<FileHandleTraits>;
using UniqueKernelHandle = UniqueHandle<KernelHandleTraits>;
