// Error classes raised by the programs; each carries the address at which it was raised.
#pragma once

#include <cstdint>
#include <string>

class Exception {
 public:
  explicit Exception(std::string message) : message_(std::move(message)) {}
  virtual ~Exception() = default;

  // The class name the default error report shows.
  virtual const char* ClassName() const = 0;
  const std::string& Message() const { return message_; }
  // Where the error was raised; null when unknown.
  const void* Address() const { return address_; }
  void SetAddress(const void* address) { address_ = address; }

 private:
  std::string message_;
  const void* address_ = nullptr;
};

class EOutOfMemory : public Exception {
 public:
  EOutOfMemory() : Exception("Out of memory") {}
  const char* ClassName() const override { return "EOutOfMemory"; }
};

class EFOpenError : public Exception {
 public:
  // `fileName` as it was passed to the open call.
  explicit EFOpenError(const std::string& fileName) : Exception("Cannot open file " + fileName) {}
  const char* ClassName() const override { return "EFOpenError"; }
};

class EOleSysError : public Exception {
 public:
  EOleSysError(std::string message, std::int32_t errorCode)
      : Exception(std::move(message)), errorCode_(errorCode) {}
  const char* ClassName() const override { return "EOleSysError"; }
  std::int32_t ErrorCode() const { return errorCode_; }

 private:
  std::int32_t errorCode_;
};

class EIntfCastError : public Exception {
 public:
  EIntfCastError() : Exception("Interface not supported") {}
  const char* ClassName() const override { return "EIntfCastError"; }
};

// Throws `error`, stamped with the address in the caller that raised it.
template <typename E>
[[noreturn]] __attribute__((noinline)) void Raise(E error) {
  error.SetAddress(__builtin_return_address(0));
  throw error;
}
