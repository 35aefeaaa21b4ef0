#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "game/reg_keys.h"

using tarnwick::RegKeys::ReadRegValue;

namespace {

constexpr wchar_t kKey[] = L"SOFTWARE\\TarnwickReaderTest";

// A throwaway key in the registry view given, removed after each test.
class RegistryReaderTest : public testing::Test {
 protected:
  void TearDown() override {
    for (REGSAM view : {KEY_WOW64_32KEY, KEY_WOW64_64KEY}) {
      HKEY software = nullptr;
      if (::RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"SOFTWARE", 0, KEY_ALL_ACCESS | view, &software) == ERROR_SUCCESS) {
        ::RegDeleteTreeW(software, L"TarnwickReaderTest");
        ::RegCloseKey(software);
      }
    }
  }

  static void set(const wchar_t* name, DWORD type, const void* data, DWORD size, REGSAM view = KEY_WOW64_32KEY) {
    HKEY key = nullptr;
    ASSERT_EQ(::RegCreateKeyExW(HKEY_LOCAL_MACHINE, kKey, 0, nullptr, 0, KEY_ALL_ACCESS | view, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    ASSERT_EQ(::RegSetValueExW(key, name, 0, type, static_cast<const BYTE*>(data), size), ERROR_SUCCESS);
    ::RegCloseKey(key);
  }
  static std::wstring read(const wchar_t* name) { return ReadRegValue(HKEY_LOCAL_MACHINE, kKey, name); }
  static std::string text(const std::wstring& text, bool withEnd = true) {
    return std::string(reinterpret_cast<const char*>(text.c_str()), (text.size() + (withEnd ? 1 : 0)) * sizeof(wchar_t));
  }
  static std::string number(DWORD value) { return std::string(reinterpret_cast<const char*>(&value), sizeof value); }
};

// Texts come back as stored (through the ANSI code page, 936 here) if they fit the
// kilobyte buffer with their end; numbers as upper-case hexadecimal; other types,
// missing values and the 64-bit view's entries read as empty.
TEST_F(RegistryReaderTest, ReadsTextsAndNumbersOfTheThirtyTwoBitView) {
  // Wine reports a text stored without its NUL with one added, so one that fills the
  // buffer exactly reads as one byte too long there (Windows takes it whole).
  const bool wine = ::GetProcAddress(::GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr;
  const std::wstring full(1024, L'z');
  const struct {
    const wchar_t* name;
    DWORD type;
    std::string data;
    std::wstring shown;
    REGSAM view = KEY_WOW64_32KEY;
  } cases[] = {
      {L"Plain", REG_SZ, text(L"C:\\Westwood\\RA2\\gamemd.exe"), L"C:\\Westwood\\RA2\\gamemd.exe"},
      {L"Expandable", REG_EXPAND_SZ, text(L"%WINDIR%\\ra2"), L"%WINDIR%\\ra2"},
      {L"Chinese", REG_SZ, text(L"红色警戒2"), L"红色警戒2"},
      {L"Empty", REG_SZ, text(L""), L""},
      {L"AfterNul", REG_SZ, text(std::wstring(L"cut\0here", 8)), L"cut"},
      {L"Fits", REG_SZ, text(std::wstring(1023, L'x')), std::wstring(1023, L'x')},
      {L"TooLong", REG_SZ, text(std::wstring(1024, L'y')), L""},
      {L"ChineseFits", REG_SZ, text(std::wstring(511, L'红')), std::wstring(511, L'红')},
      {L"ChineseTooLong", REG_SZ, text(std::wstring(512, L'红')), L""},
      {L"Unterminated", REG_SZ, text(full, false), wine ? std::wstring() : full},
      {L"Zero", REG_DWORD, number(0), L"0"},
      {L"Game", REG_DWORD, number(0x00010006), L"10006"},
      {L"Ten", REG_DWORD, number(10), L"A"},
      {L"AllOnes", REG_DWORD, number(0xFFFFFFFF), L"FFFFFFFF"},
      {L"High", REG_DWORD, number(0x80000000), L"80000000"},
      {L"Binary", REG_BINARY, "ab", L""},
      {L"Multi", REG_MULTI_SZ, text(std::wstring(L"one\0two\0", 8)), L""},
      {L"Qword", REG_QWORD, number(5) + number(0), L""},
      {L"Only64", REG_SZ, text(L"x"), L"", KEY_WOW64_64KEY},
  };
  for (const auto& c : cases) set(c.name, c.type, c.data.data(), static_cast<DWORD>(c.data.size()), c.view);
  for (const auto& c : cases) EXPECT_EQ(read(c.name), c.shown) << testing::PrintToString(std::wstring(c.name));
  EXPECT_EQ(read(L"plain"), L"C:\\Westwood\\RA2\\gamemd.exe") << "value names ignore case";
  EXPECT_EQ(read(L"Missing"), L"");
  EXPECT_EQ(ReadRegValue(HKEY_LOCAL_MACHINE, L"SOFTWARE\\TarnwickNoSuchKey", L"Name"), L"");
}

}  // namespace
