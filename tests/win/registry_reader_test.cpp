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
  static void setText(const wchar_t* name, const std::wstring& text, DWORD type = REG_SZ) {
    set(name, type, text.c_str(), static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
  }
  static void setNumber(const wchar_t* name, DWORD value) { set(name, REG_DWORD, &value, sizeof value); }

  static std::wstring read(const wchar_t* name) { return ReadRegValue(HKEY_LOCAL_MACHINE, kKey, name); }
};

TEST_F(RegistryReaderTest, TextValuesComeBackAsStoredAndUnexpanded) {
  setText(L"Plain", L"C:\\Westwood\\RA2\\gamemd.exe");
  setText(L"Expandable", L"%WINDIR%\\ra2", REG_EXPAND_SZ);
  setText(L"Chinese", L"红色警戒2");
  setText(L"Empty", L"");
  EXPECT_EQ(read(L"Plain"), L"C:\\Westwood\\RA2\\gamemd.exe");
  EXPECT_EQ(read(L"Expandable"), L"%WINDIR%\\ra2");
  EXPECT_EQ(read(L"Chinese"), L"红色警戒2");  // through the ANSI code page (936 in this test run)
  EXPECT_EQ(read(L"Empty"), L"");
  EXPECT_EQ(read(L"plain"), L"C:\\Westwood\\RA2\\gamemd.exe") << "value names ignore case";
}

TEST_F(RegistryReaderTest, NumbersAreUpperCaseHexadecimalWithoutPrefixOrLeadingZeros) {
  const struct {
    const wchar_t* name;
    DWORD value;
    const wchar_t* shown;
  } cases[] = {
      {L"Zero", 0, L"0"},          {L"Byte", 255, L"FF"},           {L"Game", 0x00010006, L"10006"},
      {L"Ten", 10, L"A"},          {L"AllOnes", 0xFFFFFFFF, L"FFFFFFFF"}, {L"High", 0x80000000, L"80000000"},
  };
  for (const auto& c : cases) setNumber(c.name, c.value);
  for (const auto& c : cases) {
    EXPECT_EQ(read(c.name), c.shown) << c.name;
  }
}

TEST_F(RegistryReaderTest, OtherTypesAndFailuresReadAsEmpty) {
  const BYTE binary[] = {'a', 'b', 0};
  set(L"Binary", REG_BINARY, binary, sizeof binary);
  const wchar_t multi[] = L"one\0two\0";
  set(L"Multi", REG_MULTI_SZ, multi, sizeof multi);
  const unsigned long long wide = 5;
  set(L"Qword", REG_QWORD, &wide, sizeof wide);
  EXPECT_EQ(read(L"Binary"), L"");
  EXPECT_EQ(read(L"Multi"), L"");
  EXPECT_EQ(read(L"Qword"), L"");
  EXPECT_EQ(read(L"Missing"), L"");
  EXPECT_EQ(ReadRegValue(HKEY_LOCAL_MACHINE, L"SOFTWARE\\TarnwickNoSuchKey", L"Name"), L"");
}

TEST_F(RegistryReaderTest, TextMustFitTheKilobyteBufferWithItsEnd) {
  setText(L"Fits", std::wstring(1023, L'x'));       // 1023 bytes and the NUL: 1024
  setText(L"TooLong", std::wstring(1024, L'y'));    // 1025 bytes with the NUL
  setText(L"ChineseFits", std::wstring(511, L'红'));  // two bytes each in code page 936
  setText(L"ChineseTooLong", std::wstring(512, L'红'));
  EXPECT_EQ(read(L"Fits"), std::wstring(1023, L'x'));
  EXPECT_EQ(read(L"TooLong"), L"");
  EXPECT_EQ(read(L"ChineseFits"), std::wstring(511, L'红'));
  EXPECT_EQ(read(L"ChineseTooLong"), L"");

  // A text stored without its NUL that fills the buffer exactly is taken whole.
  // Wine differs from Windows here: it reports such a text with a NUL added, so it
  // reads as one byte too long.
  const std::wstring full(1024, L'z');
  set(L"Unterminated", REG_SZ, full.c_str(), static_cast<DWORD>(full.size() * sizeof(wchar_t)));
  const bool wine = ::GetProcAddress(::GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr;
  EXPECT_EQ(read(L"Unterminated"), wine ? std::wstring() : full);
}

TEST_F(RegistryReaderTest, ReadsTheThirtyTwoBitViewWhereTheInstallerWrites) {
  setText(L"Where", L"32-bit view");
  set(L"Only64", REG_SZ, L"x", 4, KEY_WOW64_64KEY);
  EXPECT_EQ(read(L"Where"), L"32-bit view");
  EXPECT_EQ(read(L"Only64"), L"") << "an entry only in the 64-bit view is not the 32-bit installer's";
}

}  // namespace
