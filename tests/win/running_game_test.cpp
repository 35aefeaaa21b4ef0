#include <windows.h>

#include <gtest/gtest.h>

#include <cwctype>

#include "app/texts.h"
#include "game/running_game.h"
#include "support/files.h"
#include "support/stand_in_game.h"
#include "support/test_game.h"

namespace {

using namespace tarnwick::test;
using tarnwick::firstRunningProgram;
using tarnwick::texts::gameRunning;

// The stand-in game started as the real one would be, running until it is ended.
class RunningStandIn {
 public:
  explicit RunningStandIn(const std::wstring& program) {
    ::SetEnvironmentVariableW(L"TARNWICK_STAND_IN_EXIT", nullptr);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    std::wstring commandLine = L"\"" + program + L"\"";
    if (!::CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                          &process_)) {
      throw std::runtime_error("cannot start the stand-in game");
    }
  }
  ~RunningStandIn() {
    ::TerminateProcess(process_.hProcess, 0);
    ::WaitForSingleObject(process_.hProcess, 10000);
    ::CloseHandle(process_.hThread);
    ::CloseHandle(process_.hProcess);
  }
  RunningStandIn(const RunningStandIn&) = delete;
  RunningStandIn& operator=(const RunningStandIn&) = delete;

  // Whether its window came up within a few seconds.
  bool waitForWindow() const {
    for (int waited = 0; waited < 200; ++waited) {
      HWND window = ::FindWindowW(L"TarnwickStandInGame", L"Yuri's Revenge");
      DWORD owner = 0;
      if (window != nullptr && ::GetWindowThreadProcessId(window, &owner) && owner == process_.dwProcessId) return true;
      ::Sleep(50);
    }
    return false;
  }

 private:
  PROCESS_INFORMATION process_{};
};

TEST(RunningGame, InstallAndRemovalWaitUntilTheGameHasEnded) {
  TestGame game;
  const std::wstring expansion = game / L"gamemd.exe";
  ASSERT_TRUE(::CopyFileW(standInGameExe().c_str(), expansion.c_str(), FALSE));
  game.addPack(L"P", {{L"p.map", "p"}});
  writeBytes(game / L"old.map", "old");
  writeBytes(game.record(), "O\r\nO\r\n 1 \r\nold.map\r\n");
  auto form = game.open();
  choosePack(*form, L"P");

  {
    RunningStandIn running(expansion);
    ASSERT_TRUE(running.waitForWindow());

    std::wstring shouted = expansion;
    for (auto& c : shouted) c = static_cast<wchar_t>(std::towupper(c));
    EXPECT_EQ(firstRunningProgram({L"未知", shouted}), shouted) << "the same file, whatever the case";
    EXPECT_EQ(firstRunningProgram({game.temp() / L"gamemd.exe"}), std::nullopt) << "same name, another folder";

    form->Command4_Click();
    form->Command3_Click();
    EXPECT_EQ(game.log.messages, std::vector<std::wstring>(2, gameRunning(expansion)));
    EXPECT_EQ(readBytes(game / L"old.map"), "old");
    EXPECT_FALSE(exists(game / L"p.map"));
    EXPECT_EQ(listItems(*form), std::vector<std::wstring>{L"old.map"});
    EXPECT_EQ(readBytes(game.record()), "O\r\nO\r\n 1 \r\nold.map\r\n");
  }

  game.log.messages.clear();
  form->Command4_Click();
  form->Command3_Click();
  EXPECT_TRUE(game.log.messages.empty());
  EXPECT_FALSE(exists(game / L"old.map"));
  EXPECT_TRUE(exists(game / L"p.map"));
}

}  // namespace
