#include "ui/text_measure.h"

#include <algorithm>
#include <array>

namespace ks::ui {

namespace {

// Advance widths (pixels) of the characters 32 to 126 in the dialog font,
// the widest of the faces it is given on Windows and under Wine.
constexpr std::array<unsigned char, 95> kAdvance = {
    3, 3, 4, 6, 6, 10, 7, 2, 4, 4, 4, 6, 3, 4, 3, 3,   // blank ! " # $ % & ' ( ) * + , - . /
    6, 6, 6, 6, 6, 6, 6, 6, 6, 6, 3, 3, 6, 6, 6, 6,    // 0-9 : ; < = > ?
    11, 7, 7, 8, 8, 7, 7, 9, 8, 3, 6, 7, 6, 9, 8, 9,   // @ A-O
    7, 9, 8, 7, 7, 8, 7, 10, 7, 7, 7, 3, 3, 3, 5, 6,   // P-Z [ \ ] ^ _
    4, 6, 6, 6, 6, 6, 3, 6, 6, 2, 2, 6, 2, 9, 6, 6,    // ` a-o
    6, 6, 4, 6, 3, 6, 6, 8, 6, 6, 6, 4, 3, 4, 6,       // p-z { | } ~
};
constexpr int kWidest = 11;

// The same at 120 pixels per inch (the face Wine gives the font; its 96
// widths are those above).
constexpr std::array<unsigned char, 95> kAdvance120 = {
    4, 4, 5, 8, 8, 12, 9, 3, 5, 5, 5, 8, 4, 5, 4, 4,    // blank ! " # $ % & ' ( ) * + , - . /
    8, 8, 8, 8, 8, 8, 8, 8, 8, 8, 4, 4, 8, 8, 8, 8,     // 0-9 : ; < = > ?
    14, 9, 9, 10, 10, 9, 9, 11, 10, 4, 7, 9, 8, 12, 10, 11,  // @ A-O
    9, 11, 10, 9, 9, 10, 9, 13, 9, 9, 9, 4, 4, 4, 7, 8,  // P-Z [ \ ] ^ _
    5, 8, 8, 7, 8, 8, 4, 8, 8, 3, 3, 7, 3, 12, 8, 8,     // ` a-o
    8, 8, 5, 7, 4, 8, 7, 10, 7, 7, 7, 5, 4, 5, 8,        // p-z { | } ~
};
constexpr int kWidest120 = 14;

bool Larger(int pixels_per_inch) { return pixels_per_inch > 96; }

int CharWidth(char c, int pixels_per_inch) {
  const auto u = static_cast<unsigned char>(c);
  const bool larger = Larger(pixels_per_inch);
  if (u < 32 || u > 126) return larger ? kWidest120 : kWidest;
  return larger ? kAdvance120[u - 32] : kAdvance[u - 32];
}

}  // namespace

int DialogLineHeight(int pixels_per_inch) {
  return Larger(pixels_per_inch) ? kDialogLineHeight120 : kDialogLineHeight;
}

int DialogPixels(int twips, int pixels_per_inch) { return twips * (Larger(pixels_per_inch) ? 120 : 96) / 1440; }

int DialogTextWidth(std::string_view text, int pixels_per_inch) {
  int width = 0;
  for (char c : text) width += CharWidth(c, pixels_per_inch);
  return width;
}

std::vector<std::string> WrapDialogText(std::string_view text, int width_twips, int pixels_per_inch) {
  const int width = DialogPixels(width_twips, pixels_per_inch);
  std::vector<std::string> lines;
  size_t start = 0;
  while (start <= text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    std::string_view paragraph = text.substr(start, end - start);
    if (!paragraph.empty() && paragraph.back() == '\r') paragraph.remove_suffix(1);
    std::string line;
    size_t at = 0;
    while (at < paragraph.size()) {
      if (paragraph[at] == ' ') {
        ++at;
        continue;
      }
      const size_t blank = std::min(paragraph.find(' ', at), paragraph.size());
      const std::string_view word = paragraph.substr(at, blank - at);
      at = blank;
      const std::string joined = line.empty() ? std::string(word) : line + " " + std::string(word);
      if (line.empty() || DialogTextWidth(joined, pixels_per_inch) <= width) {
        line = joined;
      } else {
        lines.push_back(line);
        line = std::string(word);
      }
    }
    lines.push_back(line);
    if (end >= text.size()) break;
    start = end + 1;
  }
  return lines;
}

bool DialogTextFits(std::string_view text, int width_twips, int height_twips, int pixels_per_inch) {
  const std::vector<std::string> lines = WrapDialogText(text, width_twips, pixels_per_inch);
  const int width = DialogPixels(width_twips, pixels_per_inch);
  for (const std::string& line : lines)
    if (DialogTextWidth(line, pixels_per_inch) > width) return false;
  return static_cast<int>(lines.size()) * DialogLineHeight(pixels_per_inch) <=
         DialogPixels(height_twips, pixels_per_inch);
}

}  // namespace ks::ui
