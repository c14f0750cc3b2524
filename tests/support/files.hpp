#pragma once
// Test helpers for files on disk: a folder of its own per test, whole files written and read
// as bytes, and the start-up state as a composition file.

#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include <gtest/gtest.h>

#include "files/composition_file.hpp"

namespace toluvek {

// The start-up state saved at 2004-03-24 22:56:00, byte for byte: 圧力 is 88 B3 97 CD,
// 温度 89 B7 93 78 and ℃ 81 8E in code page 932.
inline const std::string kStartUpFile =
    "#2004-03-24 22:56:00#\r\n"
    "\"\x88\xB3\x97\xCD\",101325,\"Pa\",\"\x89\xB7\x93"
    "x\",25,\"\x81\x8E\"\r\n"
    "\"----- Molar Fraction --------------\"\r\n"
    "\"H2\",0,\"O2\",21\r\n"
    "\"N2\",79,\"CO\",0\r\n"
    "\"CO2\",0,\"H2O\",0\r\n"
    "\"CH3OH\",0,\"CH4\",0\r\n"
    "\"C2H6\",0,\"C3H8\",0\r\n"
    "\"n-C4H10\",0,\"i-C4H10\",0\r\n";

// The start-up state as the reader gives it.
inline CompositionData StartUpData() {
  return {101325, "Pa", 25, "℃", {0, 21, 79, 0, 0, 0, 0, 0, 0, 0, 0, 0}};
}

inline std::string Replaced(std::string text, std::string_view from, std::string_view to) {
  const std::size_t at = text.find(from);
  EXPECT_NE(at, std::string::npos) << from;
  if (at != std::string::npos) text.replace(at, from.size(), to);
  return text;
}

inline std::string ReplacedAll(std::string text, std::string_view from, std::string_view to) {
  for (std::size_t at = text.find(from); at != std::string::npos;
       at = text.find(from, at + to.size())) {
    text.replace(at, from.size(), to);
  }
  return text;
}

// A folder of its own for each test, removed with everything in it.
class TempFolder {
 public:
  TempFolder() {
    std::string pattern = ::testing::TempDir() + "toluvek_files_XXXXXX";
    path_ = ::mkdtemp(pattern.data());
  }
  ~TempFolder() {
    std::error_code ignored;
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all, ignored);
    std::filesystem::remove_all(path_, ignored);
  }
  std::string File(std::string_view name) const { return path_ + "/" + std::string(name); }
  const std::string& path() const { return path_; }
  std::vector<std::string> Names() const {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(path_)) {
      names.push_back(entry.path().filename());
    }
    std::sort(names.begin(), names.end());
    return names;
  }

 private:
  std::string path_;
};

inline void WriteBytes(const std::string& path, std::string_view bytes) {
  std::ofstream out(path, std::ios::binary);
  out << bytes;
}

inline std::string ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

}  // namespace toluvek
