// Shared by the tests, without SDL: the files of examples and the records in tests/golden/, and the
// buttons held in a reading.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "core/gpio_lines.h"

using testing::internal::CaptureStderr;  // what the program writes to standard error
using testing::internal::GetCapturedStderr;

// The lines of a file of examples in tests/golden/, without its comments (#) and blank lines.
inline std::vector<std::string> examples(const std::string& name) {
  std::ifstream file("tests/golden/" + name);
  EXPECT_TRUE(file.is_open()) << "tests/golden/" << name << " (run in the checkout)";
  std::vector<std::string> lines;
  for (std::string line; std::getline(file, line);) {
    if (!line.empty() && line[0] != '#') lines.push_back(line);
  }
  return lines;
}

// Compares lines with a committed record in tests/golden/, after writing them there when the
// environment holds RALLY_UPDATE_RECORD.
inline void expect_record(const std::string& name, const std::vector<std::string>& lines) {
  if (std::getenv("RALLY_UPDATE_RECORD") != nullptr) {  // never a pass: the new record is unseen
    std::ofstream out("tests/golden/" + name);
    for (const std::string& line : lines) out << line << "\n";
    ADD_FAILURE() << "rewrote tests/golden/" << name << ": look at the change, then run again";
  }
  const std::vector<std::string> recorded = examples(name);
  for (size_t i = 0; i < std::max(lines.size(), recorded.size()); ++i) {
    ASSERT_EQ(i < lines.size() ? lines[i] : "(nothing)",
              i < recorded.size() ? recorded[i] : "(the end)")
        << "line " << i + 1 << " of the record in tests/golden/" << name;
  }
}

// The buttons held in a reading, by letter; a capital letter asks for the same button.
inline std::string held_in(const int8_t* inputs) {
  std::string letters;
  for (char b : std::string("abdehilprtuxy")) {
    EXPECT_EQ(dingoo_check_input(b, inputs), dingoo_check_input(b - 'a' + 'A', inputs)) << b;
    if (dingoo_check_input(b, inputs) == 1) letters += b;
  }
  return letters;
}
