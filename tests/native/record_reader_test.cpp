#include "packs/record_text.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "tests/native/toy_code_page.h"

namespace tarnwick {
namespace {

struct ReaderCase {
  const char* what;
  std::string bytes;
  std::optional<std::wstring> path;
  std::optional<std::wstring> name;
  std::vector<std::wstring> files;
};

const std::string kHead = "D:\\P\r\nB\r\n";

TEST(RecordReader, KeepsWhatHoldsTogether) {
  const std::vector<ReaderCase> cases = {
      {"no data", "", {}, {}, {}},
      {"only a path line", "D:\\P", L"D:\\P", {}, {}},
      {"path line with its break", "D:\\P\r\n", L"D:\\P", {}, {}},
      {"a line break is all", "\r\n", L"", {}, {}},
      {"no count line", kHead, L"D:\\P", L"B", {}},
      {"count 0", kHead + " 0 \r\na\r\n", L"D:\\P", L"B", {}},
      {"negative count", kHead + "-2\r\na\r\n", L"D:\\P", L"B", {}},
      {"no number", kHead + "many\r\na\r\n", L"D:\\P", L"B", {}},
      {"count read by the count rule", kHead + " &H 2.\r\na\r\nb\r\nc\r\n", L"D:\\P", L"B", {L"a", L"b"}},
      {"count beyond 32 bits", kHead + "4294967296\r\na\r\n", L"D:\\P", L"B", {}},
      {"lines after the n-th ignored", kHead + " 1 \r\na\r\nb\r\n", L"D:\\P", L"B", {L"a"}},
      {"LF-only record is one line", "D:\\P\nB\n 1 \na\n", L"D:\\P\nB\n 1 \na\n", {}, {}},
      {"LF after CR LF belongs to the next line", "D:\\P\r\n\nB\r\n", L"D:\\P", L"\nB", {}},
      {"CR-only line ends, last line unbroken", "D:\\P\rB\r 2 \ra\rb", L"D:\\P", L"B", {L"a", L"b"}},
      {"empty file line", kHead + " 2 \r\n\r\nb\r\n", L"D:\\P", L"B", {L"", L"b"}},
      {"fewer lines than the count", kHead + " 3 \r\na\r\n", L"D:\\P", L"B", {L"a"}},
      {"ends right after a CR", kHead + " 2 \r\na\r", L"D:\\P", L"B", {L"a"}},
      {"double-byte text", "\xCE\xB4\xD6\xAA\r\n\xCE\xB4\r\n", L"未知", L"未", {}},
  };
  for (const auto& c : cases) {
    const auto record = parseRecord(c.bytes, decodeToyCodePage);
    EXPECT_EQ(record.packPath, c.path) << c.what;
    EXPECT_EQ(record.packName, c.name) << c.what;
    EXPECT_EQ(record.files, c.files) << c.what;
  }
}

TEST(RecordReader, DecoderFailureStopsLikeAMissingLine) {
  const auto decodeUpToBroken = [](std::string_view line) -> std::wstring {
    if (line == "broken") throw std::runtime_error("undecodable");
    return decodeToyCodePage(line);
  };
  const auto record = parseRecord(kHead + " 3 \r\na\r\nbroken\r\nc\r\n", decodeUpToBroken);
  EXPECT_EQ(record.packName, L"B");
  EXPECT_EQ(record.files, std::vector<std::wstring>{L"a"});
}

}  // namespace
}  // namespace tarnwick
