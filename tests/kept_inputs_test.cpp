// Inputs kept from fuzzing, run through the program: the corpus kept in
// fuzz/corpus always, and the fuzzer's whole output when fuzz/run names its
// directories in TANSHUKU_ENDING_INPUTS (separated by colons).
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "test_support/designed_ending.hpp"
#include "test_support/process.hpp"

namespace {

namespace fs = std::filesystem;

std::vector<fs::path> keptInputs() {
  std::vector<std::string> directories = {std::string(TANSHUKU_TRANSCRIPT_DIR) +
                                          "/../../fuzz/corpus"};
  if (const char* named = std::getenv("TANSHUKU_ENDING_INPUTS")) {
    std::stringstream list(named);
    for (std::string directory; std::getline(list, directory, ':');) {
      directories.push_back(directory);
    }
  }
  std::vector<fs::path> inputs;
  for (const std::string& directory : directories) {
    if (!fs::is_directory(directory)) continue;
    for (const auto& entry : fs::directory_iterator(directory)) {
      if (entry.is_regular_file()) inputs.push_back(entry.path());
    }
  }
  std::sort(inputs.begin(), inputs.end());
  return inputs;
}

std::string contents(const fs::path& path) {
  std::ifstream file(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << file.rdbuf();
  return bytes.str();
}

TEST(KeptInputs, EachEndsInADesignedWay) {
  std::vector<fs::path> inputs = keptInputs();
  if (inputs.empty()) GTEST_SKIP() << "no kept inputs";
  ProcessOptions options;
  options.timeoutSeconds = 10;
  for (const fs::path& input : inputs) {
    ProcessResult result = runProcess(programPath(), contents(input), options);
    EXPECT_EQ(undesignedEnding(result), "") << input;
  }
  std::cout << inputs.size() << " inputs checked\n";
}

}  // namespace
