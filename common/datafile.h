// The suite's data-file fields. An item is a double-quoted string (which may
// hold commas) or bare text; items end at a comma or a line end. Bytes are
// ANSI and pass through unchanged.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace ks {

class FieldReader {
 public:
  explicit FieldReader(std::string bytes) : bytes_(std::move(bytes)) {}

  // True once every byte has been read (end of file).
  bool AtEnd() const { return pos_ >= bytes_.size(); }
  // The next item; "" at the end of the file. Bare items lose their
  // surrounding blanks; a quoted item is taken as written, and anything after
  // its closing quote up to the separator is dropped.
  std::string Next();
  // At the start of a line, skips the lines that hold nothing but blanks;
  // elsewhere does nothing.
  void SkipBlankLines();
  // When the last item ended at a comma and only blanks follow it on its
  // line, moves past that line end (the comma was the last separator).
  void SkipLineEndAfterComma();
  // True when the next item is the first of its line.
  bool AtLineStart() const { return pos_ == 0 || bytes_[pos_ - 1] == '\r' || bytes_[pos_ - 1] == '\n'; }

 private:
  void SkipSeparator();
  std::string bytes_;
  size_t pos_ = 0;
  bool after_comma_ = false;
};

// The bytes after the UTF-8 byte-order mark that an editor saving UTF-8
// puts in front; read as text it would become part of the first item.
// Bytes without the mark come back whole.
inline std::string_view WithoutUtf8Mark(std::string_view bytes) {
  constexpr std::string_view kMark = "\xEF\xBB\xBF";
  return bytes.substr(0, kMark.size()) == kMark ? bytes.substr(kMark.size()) : bytes;
}

// True for bytes an editor saved as UTF-16 ("Unicode"): a byte-order mark
// of either order, or NUL bytes, which ANSI text never holds. Read as ANSI
// text they are a NUL after every letter, and their items name nothing.
inline bool IsWideText(std::string_view bytes) {
  const std::string_view mark = bytes.substr(0, 2);
  return mark == "\xFF\xFE" || mark == "\xFE\xFF" || bytes.find('\0') != std::string_view::npos;
}

// Every item of a file, in order.
std::vector<std::string> ReadAllFields(const std::string& bytes);

// Builds lines of items: texts quoted, numbers bare, separated by commas,
// each line ended by CR LF.
class FieldWriter {
 public:
  FieldWriter& Text(std::string_view text);
  FieldWriter& Number(long long number);
  FieldWriter& Raw(std::string_view item);
  FieldWriter& EndLine();
  const std::string& bytes() const { return out_; }

 private:
  void Separate();
  std::string out_;
  bool line_open_ = false;
};

}  // namespace ks
