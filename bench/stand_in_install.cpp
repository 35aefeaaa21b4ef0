#include "bench/stand_in_install.h"

#include <windows.h>

#include <stdexcept>

#include "support/fixtures.h"

namespace tarnwick::bench {

StandInInstall::StandInInstall(const std::vector<std::wstring>& pictures) : packFolder_(folder_ / L"ZAzod\\大图") {
  test::makeFolder(folder_ / L"ZAzod");
  test::makeFolder(packFolder_);
  for (const auto& picture : pictures) {
    const std::wstring name = picture.substr(picture.find_last_of(L"\\/") + 1);
    if (!::CopyFileW(picture.c_str(), (packFolder_ + L"\\" + name).c_str(), FALSE)) {
      throw std::runtime_error("cannot copy a picture into the benchmark's pack");
    }
  }
  registry_.setText(test::GameRegistry::kExpansionKey, L"InstallPath", folder_ / L"gamemd.exe");
}

}  // namespace tarnwick::bench
