#pragma once
// Runs a test under a locale whose decimal separator is a comma, as the window program does
// for a user with LANG=de_DE.UTF-8. The locale comes with the set-up (locales-all); a machine
// without it fails the test rather than skipping it, so that the check is never lost.

#include <clocale>
#include <string>

#include <gtest/gtest.h>

namespace toluvek::testing {

class CommaLocale {
 public:
  CommaLocale() {
    const char* before = std::setlocale(LC_ALL, nullptr);
    before_ = before != nullptr ? before : "C";
    active_ = std::setlocale(LC_ALL, "de_DE.UTF-8") != nullptr &&
              std::string(std::localeconv()->decimal_point) == ",";
  }
  ~CommaLocale() { std::setlocale(LC_ALL, before_.c_str()); }
  CommaLocale(const CommaLocale&) = delete;
  CommaLocale& operator=(const CommaLocale&) = delete;

  // Whether the comma locale is in force; tests ASSERT_TRUE on it.
  bool active() const { return active_; }

 private:
  std::string before_;
  bool active_ = false;
};

inline constexpr const char* kNoCommaLocale =
    "the locale de_DE.UTF-8 is missing: install locales-all (./dev does)";

}  // namespace toluvek::testing
