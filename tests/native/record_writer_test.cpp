#include "packs/record_text.h"

#include <gtest/gtest.h>

#include "packs/unknown_mark.h"
#include "tests/native/toy_code_page.h"

namespace tarnwick {
namespace {

const std::wstring kMark(kUnknownMark);

std::string recordBytes(std::wstring_view path, std::wstring_view name,
                        const std::vector<std::wstring>& files) {
  return encodeToyCodePage(formatRecord(path, name, files));
}

TEST(RecordWriter, WritesTheKnownBytes) {
  EXPECT_EQ(recordBytes(L"D:\\Games\\RA2\\ZAzod\\B", L"B", {L"b1.jpg", L"b1.map"}),
            "D:\\Games\\RA2\\ZAzod\\B\r\nB\r\n 2 \r\nb1.jpg\r\nb1.map\r\n");
  EXPECT_EQ(recordBytes(kMark, kMark, {}), "");
  EXPECT_EQ(recordBytes(L"D:\\P", L"B", {}), "D:\\P\r\nB\r\n");
  EXPECT_EQ(recordBytes(L"D:\\P", kMark, {}), "D:\\P\r\n\xCE\xB4\xD6\xAA\r\n");
  EXPECT_EQ(recordBytes(kMark, L"B", {L"a"}), "\xCE\xB4\xD6\xAA\r\nB\r\n 1 \r\na\r\n");
  EXPECT_EQ(recordBytes(kMark, kMark, {L"a"}), "\xCE\xB4\xD6\xAA\r\n\xCE\xB4\xD6\xAA\r\n 1 \r\na\r\n");
  const std::vector<std::wstring> twelve(12, L"x");
  EXPECT_EQ(recordBytes(L"P", L"B", twelve).substr(0, 12), "P\r\nB\r\n 12 \r\n");
}

}  // namespace
}  // namespace tarnwick
