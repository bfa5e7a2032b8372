#include "runtime/com.h"

#include "runtime/error_text.h"
#include "runtime/errors.h"

namespace {

const IID kIidIUnknown = {0x00000000, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};

// In-process server or local server, never a remote one.
constexpr DWORD kClassContext = CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER;

}  // namespace

std::string OleSysErrorMessage(HRESULT errorCode) {
  // The buffer size is the system message's documented maximum here. IGNORE_INSERTS keeps
  // a text with %1 inserts from reading arguments that were never passed.
  char buffer[256];
  const DWORD length = ::FormatMessageA(
      FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_ARGUMENT_ARRAY | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, static_cast<DWORD>(errorCode), 0, buffer, sizeof buffer, nullptr);
  return OleErrorMessage(std::string_view(buffer, length), errorCode);
}

ComPtr<IUnknown> CreateComObject(const CLSID& classId) {
  ComPtr<IUnknown> object;
  const HRESULT result =
      ::CoCreateInstance(classId, nullptr, kClassContext, kIidIUnknown, object.put());
  if (FAILED(result)) Raise(EOleSysError(OleSysErrorMessage(result), result));
  return object;
}

void QueryComInterface(IUnknown* object, const IID& interfaceId, void** result) {
  if (object->QueryInterface(interfaceId, result) != S_OK) {
    *result = nullptr;
    Raise(EIntfCastError());
  }
}
