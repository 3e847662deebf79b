// The reading and applying steps that the 2D procedures (Clocks.h) and
// the variants for separate 3D clocks (Clocks_fx5900.h) share; each
// variant says how it differs.
#pragma once

#include "shell/se_state.h"

namespace ks::clock_steps {

// The default and requested value names of one clock set.
struct SetNames {
  const char* def;
  const char* req;
};
inline constexpr SetNames k2DSet{"Bart", "Krusty"};
inline constexpr SetNames k3DSet{"Bart3D", "Krusty3D"};

struct ReadVariant {
  SetNames names = k2DSet;
  bool cool_bits_first = false;  // else between the probe and the loader
  bool probe = true;             // delete the values so the loader answers anew
};
void Read(SeState& s, const ReadVariant& v);

struct ApplyVariant {
  SetNames names = k2DSet;
  bool cool_bits = true;          // else only WriteAsBinary = 0
  bool fill_page_flags = true;    // "Geraklit"/"Gesiod" with a driver above 5500
};
void Apply(SeState& s, const ApplyVariant& v);

}  // namespace ks::clock_steps
