// The data files the installation ships, read from the repository's data
// folder (KS_DATA_DIR) so tests use what the installation gets.
#pragma once

#include <fstream>
#include <iterator>
#include <string>

namespace ks::test {

// The bytes of data/<relative>, e.g. "LANGUAGE/en.dat"; "" when missing.
inline std::string ReadRepoData(const std::string& relative) {
  std::ifstream in(std::string(KS_DATA_DIR) + "/" + relative, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace ks::test
