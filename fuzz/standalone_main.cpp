// Runs a fuzz target over kept inputs without libFuzzer: every file named on
// the command line, and every file inside every folder named, in sorted
// order. The test suite runs each fuzzer's kept corpus through it, so the
// corpus is checked on every build (the sanitizer build included) by any
// compiler. A fault the target finds ends the run as it would end the fuzzer.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "common/byte_io.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

int main(int argc, char** argv) {
  namespace fs = std::filesystem;
  std::vector<std::string> files;
  for (int i = 1; i < argc; ++i) {
    std::error_code ec;
    if (fs::is_directory(argv[i], ec)) {
      std::vector<std::string> inside;
      for (const auto& e : fs::directory_iterator(argv[i], ec))
        if (e.is_regular_file()) inside.push_back(e.path().string());
      std::sort(inside.begin(), inside.end());
      if (inside.empty()) {
        std::fprintf(stderr, "%s: no inputs in %s\n", argv[0], argv[i]);
        return 1;
      }
      files.insert(files.end(), inside.begin(), inside.end());
    } else if (fs::is_regular_file(argv[i], ec)) {
      files.push_back(argv[i]);
    } else {
      std::fprintf(stderr, "%s: no such input: %s\n", argv[0], argv[i]);
      return 1;
    }
  }
  for (const std::string& file : files) {
    std::vector<uint8_t> bytes;
    if (!torvel::ReadFileBytes(file, bytes)) {
      std::fprintf(stderr, "%s: cannot read %s\n", argv[0], file.c_str());
      return 1;
    }
    std::fprintf(stderr, "%s\n", file.c_str());
    LLVMFuzzerTestOneInput(bytes.data(), bytes.size());
  }
  std::printf("%zu inputs ran clean\n", files.size());
  return 0;
}
