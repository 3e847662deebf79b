// Writes the value database (data/Database/NNNN{d3d,ogl,sys}.dat) from the
// setting writers' tables: scripts/make_value_database.sh builds and runs
// it. The native tests fail when the committed files and the tables drift
// apart.
#include <cstdio>
#include <fstream>
#include <string>

#include "tools/value_catalogue.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s <output folder>\n", argv[0]);
    return 2;
  }
  const std::string folder = argv[1];
  for (int page : {ks::kPageDirect3D, ks::kPageOpenGL, ks::kPageSystem}) {
    for (std::int32_t build : ks::CatalogueBuilds(page)) {
      const std::string path = folder + "/" + ks::CatalogueFileName(page, build) + ".dat";
      std::ofstream out(path, std::ios::binary | std::ios::trunc);
      out << ks::WriteDatabaseFile(ks::CatalogueRecords(page, build));
      if (!out.good()) {
        std::fprintf(stderr, "cannot write %s\n", path.c_str());
        return 1;
      }
      std::printf("%s\n", path.c_str());
    }
  }
  return 0;
}
