#include "platform/system_library.h"

#include <string>

namespace tarnwick {

FARPROC systemLibraryFunction(const wchar_t* library, const char* name) {
  HMODULE module = ::GetModuleHandleW(library);
  if (module == nullptr) {
    // By its full path, so no DLL of that name beside the program or in the working
    // folder is loaded instead. Never freed: the program keeps using it.
    wchar_t folder[MAX_PATH];
    const UINT length = ::GetSystemDirectoryW(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return nullptr;
    module = ::LoadLibraryW((std::wstring(folder, length) + L"\\" + library).c_str());
  }
  return module != nullptr ? ::GetProcAddress(module, name) : nullptr;
}

}  // namespace tarnwick
