#include "common/datafile.h"

namespace ks {

namespace {
bool IsLineEnd(char c) { return c == '\r' || c == '\n'; }
bool IsBlank(char c) { return c == ' ' || c == '\t'; }
}  // namespace

void FieldReader::SkipSeparator() {
  after_comma_ = false;
  if (pos_ >= bytes_.size()) return;
  if (bytes_[pos_] == ',') {
    ++pos_;
    after_comma_ = true;
  } else if (bytes_[pos_] == '\r') {
    ++pos_;
    if (pos_ < bytes_.size() && bytes_[pos_] == '\n') ++pos_;
  } else if (bytes_[pos_] == '\n') {
    ++pos_;
  }
}

std::string FieldReader::Next() {
  while (pos_ < bytes_.size() && IsBlank(bytes_[pos_])) ++pos_;
  std::string item;
  if (pos_ < bytes_.size() && bytes_[pos_] == '"') {
    size_t close = bytes_.find('"', pos_ + 1);
    // An unclosed quote runs to the end of the line.
    size_t stop = close;
    if (close == std::string::npos) stop = bytes_.size();
    size_t eol = bytes_.find_first_of("\r\n", pos_ + 1);
    if (eol != std::string::npos && eol < stop) stop = eol;
    item = bytes_.substr(pos_ + 1, stop - pos_ - 1);
    pos_ = stop < bytes_.size() && bytes_[stop] == '"' ? stop + 1 : stop;
    while (pos_ < bytes_.size() && bytes_[pos_] != ',' && !IsLineEnd(bytes_[pos_])) ++pos_;
  } else {
    size_t start = pos_;
    while (pos_ < bytes_.size() && bytes_[pos_] != ',' && !IsLineEnd(bytes_[pos_])) ++pos_;
    item = bytes_.substr(start, pos_ - start);
    while (!item.empty() && IsBlank(item.back())) item.pop_back();
  }
  SkipSeparator();
  return item;
}

void FieldReader::SkipLineEndAfterComma() {
  if (!after_comma_) return;
  size_t end = pos_;
  while (end < bytes_.size() && IsBlank(bytes_[end])) ++end;
  if (end >= bytes_.size() || !IsLineEnd(bytes_[end])) return;
  pos_ = end;
  SkipSeparator();
}

void FieldReader::SkipBlankLines() {
  while (pos_ < bytes_.size() && (pos_ == 0 || IsLineEnd(bytes_[pos_ - 1]))) {
    size_t end = pos_;
    while (end < bytes_.size() && IsBlank(bytes_[end])) ++end;
    if (end < bytes_.size() && !IsLineEnd(bytes_[end])) return;
    pos_ = end;
    SkipSeparator();
  }
}

std::vector<std::string> ReadAllFields(const std::string& bytes) {
  FieldReader reader(bytes);
  std::vector<std::string> items;
  while (!reader.AtEnd()) items.push_back(reader.Next());
  return items;
}

void FieldWriter::Separate() {
  if (line_open_) out_ += ',';
  line_open_ = true;
}

FieldWriter& FieldWriter::Text(std::string_view text) {
  Separate();
  out_ += '"';
  out_ += text;
  out_ += '"';
  return *this;
}

FieldWriter& FieldWriter::Number(long long number) { return Raw(std::to_string(number)); }

FieldWriter& FieldWriter::Raw(std::string_view item) {
  Separate();
  out_ += item;
  return *this;
}

FieldWriter& FieldWriter::EndLine() {
  out_ += "\r\n";
  line_open_ = false;
  return *this;
}

}  // namespace ks
