#include "packs/journal_text.h"

#include <gtest/gtest.h>

namespace tarnwick {
namespace {

const Journal kInstallOfB = {JournalOperation::Install, L"D:\\RA2\\ZAzod\\地图 B", L"地图 B",
                             {{L"b.map", false}, {L"rulesmd.ini", true}, {L"+-.ini", false}}};

TEST(JournalText, WhatIsWrittenReadsBackTheSame) {
  for (const Journal& journal : {kInstallOfB, Journal{JournalOperation::Removal, L"", L"", {}}}) {
    const auto read = parseJournal(formatJournal(journal));
    ASSERT_TRUE(read);
    EXPECT_EQ(read->operation, journal.operation);
    EXPECT_EQ(read->packPath, journal.packPath);
    EXPECT_EQ(read->packName, journal.packName);
    ASSERT_EQ(read->entries.size(), journal.entries.size());
    for (size_t i = 0; i < journal.entries.size(); ++i) {
      EXPECT_EQ(read->entries[i].name, journal.entries[i].name);
      EXPECT_EQ(read->entries[i].kept, journal.entries[i].kept);
    }
  }
}

// Anything but a whole journal means nothing: the program would otherwise act on half of it.
TEST(JournalText, AnythingButAWholeJournalReadsAsNone) {
  const std::wstring whole = formatJournal(kInstallOfB);
  const std::wstring cases[] = {
      L"",
      whole.substr(0, whole.size() - 1),        // the end line torn
      whole.substr(0, whole.size() - 2),        // no end line
      L"Tarnwick journal 2" + whole.substr(18),  // another version
      L"Tarnwick journal 1\nmove\nP\nN\n.\n",
      L"Tarnwick journal 1\ninstall\nP\nN\nb.map\n.\n",  // an entry without its mark
      L"Tarnwick journal 1\ninstall\nP\nN\n\n.\n",
      L"Tarnwick journal 1\ninstall\nP\n.\n",
  };
  for (const auto& text : cases) EXPECT_FALSE(parseJournal(text)) << ::testing::PrintToString(text);
}

}  // namespace
}  // namespace tarnwick
