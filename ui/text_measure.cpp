#include "ui/text_measure.h"

#include <algorithm>
#include <array>

namespace ks::ui {

namespace {

constexpr int kTwipsPerPixel = 15;

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

int CharWidth(char c) {
  const auto u = static_cast<unsigned char>(c);
  if (u < 32 || u > 126) return kWidest;
  return kAdvance[u - 32];
}

}  // namespace

int DialogTextWidth(std::string_view text) {
  int width = 0;
  for (char c : text) width += CharWidth(c);
  return width;
}

std::vector<std::string> WrapDialogText(std::string_view text, int width_twips) {
  const int width = width_twips / kTwipsPerPixel;
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
      if (line.empty() || DialogTextWidth(joined) <= width) {
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

bool DialogTextFits(std::string_view text, int width_twips, int height_twips) {
  const std::vector<std::string> lines = WrapDialogText(text, width_twips);
  const int width = width_twips / kTwipsPerPixel;
  for (const std::string& line : lines)
    if (DialogTextWidth(line) > width) return false;
  return static_cast<int>(lines.size()) * kDialogLineHeight <= height_twips / kTwipsPerPixel;
}

}  // namespace ks::ui
