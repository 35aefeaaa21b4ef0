#pragma once
#include <objbase.h>

namespace tarnwick {

// COM for the current thread (the imaging component needs it), apartment-threaded
// as a window thread must be.
class ComInit {
 public:
  ComInit() : result_(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE)) {}
  ~ComInit() {
    if (SUCCEEDED(result_)) ::CoUninitialize();
  }
  ComInit(const ComInit&) = delete;
  ComInit& operator=(const ComInit&) = delete;
  [[nodiscard]] bool ok() const { return SUCCEEDED(result_); }

 private:
  HRESULT result_;
};

}  // namespace tarnwick
