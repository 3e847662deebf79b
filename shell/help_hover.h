// Which main-window control shows which help topic when the pointer moves
// over it. Controls of these arrays not listed (and rows with topic -1)
// show nothing.
#pragma once

#include <span>
#include <string_view>

namespace ks {

struct HoverRow {
  const char* control;
  int index;  // -1 for a lone control
  int topic;  // -1: none
};

std::span<const HoverRow> HelpHoverRows();
// The topic for a control, -1 when it has none.
int HelpTopicOf(std::string_view control, int index);

}  // namespace ks
