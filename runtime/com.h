// COM helpers of the run time: the apartment, object creation and interface queries.
#pragma once

#include <windows.h>

#include <string>

#include "runtime/com_ptr.h"

// Enters a single-threaded apartment for its lifetime; whether that worked is not tested,
// since object creation reports any failure itself.
class ComApartment {
 public:
  ComApartment() { ::CoInitialize(nullptr); }
  ~ComApartment() { ::CoUninitialize(); }
  ComApartment(const ComApartment&) = delete;
  ComApartment& operator=(const ComApartment&) = delete;
};

// The system's message for `errorCode`, trimmed, or "OLE error XXXXXXXX".
std::string OleSysErrorMessage(HRESULT errorCode);

// Creates an object of `classId` (in-process or local server) and returns its IUnknown;
// raises EOleSysError on a negative result.
ComPtr<IUnknown> CreateComObject(const CLSID& classId);

// Asks `object` for interface `interfaceId`; raises EIntfCastError unless it answers S_OK.
void QueryComInterface(IUnknown* object, const IID& interfaceId, void** result);

template <typename Interface>
ComPtr<Interface> QueryComInterface(const ComPtr<IUnknown>& object, const IID& interfaceId) {
  ComPtr<Interface> result;
  QueryComInterface(object.get(), interfaceId, result.put());
  return result;
}
