// Writes the standard input of each golden transcript under the directory
// given first into the directory given second, one file per transcript:
// the fuzzer's seeds are the dialogues the tests already pin.
#include <filesystem>
#include <fstream>
#include <iostream>

#include "test_support/transcript.hpp"

namespace fs = std::filesystem;

int main(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << "usage: fuzz_seeds TRANSCRIPT_DIR SEED_DIR\n";
    return 2;
  }
  fs::path transcripts = argv[1];
  fs::path seeds = argv[2];
  fs::create_directories(seeds);
  int count = 0;
  for (const auto& entry : fs::recursive_directory_iterator(transcripts)) {
    const fs::path& path = entry.path();
    if (!entry.is_regular_file() || path.extension() != ".t" ||
        path.parent_path().filename() == "screens") {
      continue;
    }
    std::string name = path.parent_path().filename().string() + "_" + path.stem().string();
    std::ofstream seed(seeds / name, std::ios::binary);
    seed << readTranscript(path.string()).input;
    ++count;
  }
  std::cout << count << " seeds\n";
  return count > 0 ? 0 : 1;
}
