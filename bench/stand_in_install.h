#pragma once
#include <string>
#include <vector>

#include "support/fixtures.h"

namespace tarnwick::bench {

// A game installation made up for the benchmark, with the tests' fixtures: a game
// folder under the temporary folder whose ZAzod holds one pack, and the registry
// entries that lead the program there. Both are removed again when it goes (run the
// benchmarks in a Wine prefix of their own).
class StandInInstall {
 public:
  // Copies `pictures` (full paths) into the pack; throws when anything can't be made.
  explicit StandInInstall(const std::vector<std::wstring>& pictures);

  [[nodiscard]] const std::wstring& packFolder() const { return packFolder_; }

 private:
  test::TempFolder folder_;
  test::GameRegistry registry_;
  std::wstring packFolder_;
};

}  // namespace tarnwick::bench
