#include "platform/com_init.h"

#include "platform/system_library.h"

namespace tarnwick {

ComInit::ComInit() : result_(CO_E_NOTINITIALIZED) {
  static auto* initialize = systemFunction<decltype(::CoInitializeEx)>(L"ole32.dll", "CoInitializeEx");
  if (initialize != nullptr) result_ = initialize(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
}

ComInit::~ComInit() {
  static auto* uninitialize = systemFunction<decltype(::CoUninitialize)>(L"ole32.dll", "CoUninitialize");
  if (SUCCEEDED(result_) && uninitialize != nullptr) uninitialize();
}

bool comStarted() {
  static const ComInit com;
  return com.ok();
}

HRESULT createComInstance(REFCLSID type, REFIID interfaceId, void** object) {
  static auto* create = systemFunction<decltype(::CoCreateInstance)>(L"ole32.dll", "CoCreateInstance");
  if (create == nullptr) return CO_E_DLLNOTFOUND;
  return create(type, nullptr, CLSCTX_INPROC_SERVER, interfaceId, object);
}

}  // namespace tarnwick
