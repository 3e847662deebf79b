#include "hardware/Clocks_fx5900.h"

#include "hardware/clock_steps.h"

namespace ks {

namespace {

clock_steps::SetNames SetInUse(const SeState& s) {
  return s.Use3DClocks == 1 ? clock_steps::k3DSet : clock_steps::k2DSet;
}

}  // namespace

void ReadClocksFX(SeState& s) {
  clock_steps::ReadVariant v;
  v.names = SetInUse(s);
  v.cool_bits_first = true;
  v.probe = s.Clocks3DShown == 0;
  clock_steps::Read(s, v);
}

void ApplyClocksFX(SeState& s) {
  clock_steps::ApplyVariant v;
  v.names = SetInUse(s);
  v.cool_bits = false;
  v.fill_page_flags = false;
  clock_steps::Apply(s, v);
}

}  // namespace ks
