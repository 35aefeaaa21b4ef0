#pragma once
#include <objbase.h>

namespace tarnwick {

// COM for the current thread (the imaging component needs it), apartment-threaded
// as a window thread must be. ole32 is loaded when the first one is made.
class ComInit {
 public:
  ComInit();
  ~ComInit();
  ComInit(const ComInit&) = delete;
  ComInit& operator=(const ComInit&) = delete;
  [[nodiscard]] bool ok() const { return SUCCEEDED(result_); }

 private:
  HRESULT result_;
};

// COM on the program's window thread, started at the first call (the first picture
// the imaging component decodes, or the first start of the game) and kept until the
// program ends. Whether it is usable.
bool comStarted();

// CoCreateInstance from ole32, loaded at the first call.
HRESULT createComInstance(REFCLSID type, REFIID interfaceId, void** object);

}  // namespace tarnwick
