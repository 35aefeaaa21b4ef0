#pragma once
#include <string>

namespace tarnwick::test {

// The stand-in game program built with the tests, as a Windows path.
std::wstring standInGameExe();

// Waits (up to a few seconds) for the stand-in game's launch.log in `folder` and
// returns its text; empty when it never appears.
std::string waitForLaunchLog(const std::wstring& folder);

}  // namespace tarnwick::test
