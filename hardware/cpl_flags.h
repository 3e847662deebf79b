// Page 0: the driver control panel's optional pages and CoolBits. Each box
// of Check7 stands for one value under the NVTweak key; a click writes it
// (always as REG_DWORD), LoadNvCplFlags reads the values back into the
// boxes without writing anything.
#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace ks {

class Form1;
struct SeState;

// The NVTweak key, where the control panel reads its flags.
inline constexpr const char* kCplFlagsKey = "SOFTWARE\\NVIDIA Corporation\\Global\\NVTweak";

// How a stored value becomes a box state.
enum class CplRead {
  kCoolBits,    // checked when 3 or -1
  kExactlyOne,  // checked when exactly 1
  kState,       // the number is the state (0, 1, 2); any other leaves the box
  kInverted,    // checked unless 1
};

struct CplFlagRow {
  int box;
  const char* tag;    // picture name in \data\cpl\ (without ".jpg")
  const char* value;  // value name under the NVTweak key
  CplRead read;
  std::int32_t missing;  // what a missing value reads as
  // Every number a click on the box can write (the value database offers
  // them in the registry editor).
  std::span<const std::int32_t> writes;
};

// The boxes that carry a value, in the order LoadNvCplFlags reads them.
std::span<const CplFlagRow> CplFlagRows();
// The row of a box; nullptr for the boxes without a value (7, 8, 9).
const CplFlagRow* CplFlagRowOf(int box);

class ControlPanelFlags {
 public:
  // Wires Check7's Click and MouseMove and Image1's Click.
  ControlPanelFlags(Form1& form, SeState& state);

  void LoadNvCplFlags();
  void EnableCoolBits();
  void DisableCoolBits();
  void EnableAgpPage();
  void DisableAgpPage();

  void Check7_Click(int index);
  void Check7_MouseMove(int index);
  void Image1_Click();

  // The tag of the box whose picture Image1 shows.
  std::string LastCplTag;

 private:
  // The key that holds the AGP value: the card's hardware key on Windows 9x/Me.
  std::string AgpKey() const;
  void WriteFlag(const std::string& key, const char* name, std::int32_t value);

  Form1& f_;
  SeState& st_;
  bool loading_ = false;
};

}  // namespace ks
