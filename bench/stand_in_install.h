#pragma once
#include <string>
#include <vector>

namespace tarnwick::bench {

// A game installation made up for the benchmark: a game folder under the temporary
// folder whose ZAzod holds one pack, and the registry entry that leads the program
// there. Both are removed again when it goes.
class StandInInstall {
 public:
  // Copies `pictures` (full paths) into the pack; throws when anything can't be made.
  explicit StandInInstall(const std::vector<std::wstring>& pictures);
  ~StandInInstall();
  StandInInstall(const StandInInstall&) = delete;
  StandInInstall& operator=(const StandInInstall&) = delete;

  [[nodiscard]] const std::wstring& packFolder() const { return packFolder_; }

 private:
  std::wstring gameFolder_;
  std::wstring packFolder_;
  bool createdKey_ = false;
  bool hadInstallPath_ = false;
  std::wstring previousInstallPath_;
};

}  // namespace tarnwick::bench
