#include "support/test_pictures.h"

#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <stdexcept>

#include "support/files.h"

#ifndef TARNWICK_TEST_PICTURES
#define TARNWICK_TEST_PICTURES ""
#endif

namespace tarnwick::test {
namespace {

std::wstring widen(const std::string& ascii) { return {ascii.begin(), ascii.end()}; }

std::vector<TestPicture> readListing() {
  const std::wstring folder = testPicturesFolder();
  std::ifstream sizes(std::filesystem::path(folder + L"\\pictures.txt"));
  std::ifstream colours(std::filesystem::path(folder + L"\\colours.txt"));
  if (!sizes || !colours) throw std::runtime_error("the test pictures are missing: build the test_pictures target");

  std::map<std::string, std::array<std::array<int, 3>, 12>> grids;
  for (std::string line; std::getline(colours, line);) {
    std::istringstream fields(line);
    std::string name;
    fields >> name;
    auto& grid = grids[name];
    for (auto& cell : grid) fields >> cell[0] >> cell[1] >> cell[2];
    if (!fields) throw std::runtime_error("colours.txt: a line without 36 values");
  }

  std::vector<TestPicture> pictures;
  for (std::string line; std::getline(sizes, line);) {
    std::istringstream fields(line);
    std::string name;
    TestPicture picture;
    if (!(fields >> name >> picture.width >> picture.height)) continue;
    picture.name = widen(name);
    if (picture.decodes()) {
      const auto grid = grids.find(name);
      if (grid == grids.end()) throw std::runtime_error("colours.txt lacks a listed picture");
      picture.grid = grid->second;
    }
    pictures.push_back(std::move(picture));
  }
  return pictures;
}

}  // namespace

std::wstring testPicturesFolder() { return windowsPath(TARNWICK_TEST_PICTURES); }

const std::vector<TestPicture>& testPictures() {
  static const std::vector<TestPicture> pictures = readListing();
  return pictures;
}

const TestPicture& testPicture(const std::wstring& name) {
  for (const auto& picture : testPictures()) {
    if (picture.name == name) return picture;
  }
  throw std::runtime_error("no such test picture");
}

std::wstring testPicturePath(const std::wstring& name) { return testPicturesFolder() + L"\\" + name; }

}  // namespace tarnwick::test
