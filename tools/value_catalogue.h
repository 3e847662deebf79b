// What the shipped value database holds, derived from the setting writers'
// own tables: for each database kind, the builds that get a file of their
// own (where the writers' value names or encodings change) and, for a
// build, one record per value either writer can write or delete there,
// with its description and the numbers the pages write to it. The System
// file holds one record per control-panel flag row, with the numbers its
// box writes. The files in data/Database are this catalogue written out
// (scripts/make_value_database.cpp), and a test holds the two together.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tools/value_database.h"

namespace ks {

// The builds that have a file of `page`'s kind, ascending; the first is 0.
std::vector<std::int32_t> CatalogueBuilds(int page);

// The records of `page`'s file for `build`, in the writers' table order.
// Where a writer stores the number its caller hands it, the record lists
// the numbers the page's control offers (nine spread over its choices
// when it has more), ascending.
// Direct3D names carry the 4-character "D3D_" in front (the editor and the
// presets drop it), OpenGL names are the NT family's "OGL_" names (whole on
// the NT family, without the "OGL_" on Windows 9x/Me). A value without a
// description gets "?".
std::vector<DatabaseRecord> CatalogueRecords(int page, std::int32_t build);

// "0000d3d" for build 0, "5000ogl" ...
std::string CatalogueFileName(int page, std::int32_t build);

// The file's bytes: one record a line, CR LF.
std::string WriteDatabaseFile(const std::vector<DatabaseRecord>& records);

}  // namespace ks
