// Which main-window control shows which help topic when the pointer moves
// over it. Controls of these arrays not listed (and rows with topic -1)
// show nothing.
#pragma once

#include <string_view>

namespace ks {

// The topic for a control, -1 when it has none.
int HelpTopicOf(std::string_view control, int index);

}  // namespace ks
