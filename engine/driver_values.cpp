#include "engine/driver_values.h"

#include "shell/se_state.h"

namespace ks {

bool D3DIsNtFamily(const SeState& state) { return state.OsClass >= 1 && state.OsClass <= 4; }

bool OglIsNtFamily(const SeState& state) { return state.OsClass != 0; }

ValueLocation Locate(const SeState& state, const DriverValue& value) {
  ValueLocation where;
  where.name = value.name;
  switch (value.home) {
    case ValueHome::kDirect3D:
      where.binary = D3DIsNtFamily(state);
      where.key = where.binary ? state.DriverKey : state.DriverKey + kDirect3DSubkey;
      break;
    case ValueHome::kOpenGL:
      where.binary = OglIsNtFamily(state);
      where.key = where.binary ? state.DriverKey : state.DriverKey + kOpenGLSubkey;
      if (where.binary) where.name = std::string(kOpenGLPrefix) + value.name;
      break;
    case ValueHome::kOpenGLDebug:
      where.key = kOpenGLDebugKey;
      break;
    case ValueHome::kOpenGLLogAniso:
      where.binary = OglIsNtFamily(state);
      where.key = where.binary ? state.DriverKey : state.DriverKey + kOpenGLSubkey;
      break;
  }
  return where;
}

RegRead ReadDriverValue(SeState& state, const DriverValue& value) {
  const ValueLocation where = Locate(state, value);
  return state.reg.ReadRegValue(where.root, where.key, where.name);
}

}  // namespace ks
