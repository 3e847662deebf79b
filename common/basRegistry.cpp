#include "common/basRegistry.h"

#include "common/numbers.h"

namespace ks {

using platform::ScopedRegKey;

RegRead::Kind RegRead::kind() const {
  if (std::holds_alternative<std::string>(value_)) return Kind::kText;
  if (std::holds_alternative<std::int32_t>(value_)) return Kind::kNumber;
  return Kind::kNothing;
}

std::string RegRead::AsText() const {
  if (const auto* text = std::get_if<std::string>(&value_)) return *text;
  if (const auto* number = std::get_if<std::int32_t>(&value_)) return IntToText(*number);
  return std::string();
}

std::optional<std::int32_t> RegRead::AsNumber() const {
  if (const auto* text = std::get_if<std::string>(&value_)) return TextToInt32(*text);
  if (const auto* number = std::get_if<std::int32_t>(&value_)) return *number;
  return 0;
}

std::optional<double> RegArg::AsDouble() const {
  if (const auto* number = std::get_if<double>(&value_)) return *number;
  return ParseNumber(std::get<std::string>(value_));
}

std::string RegArg::AsText() const {
  if (const auto* text = std::get_if<std::string>(&value_)) return *text;
  double number = std::get<double>(value_);
  auto whole = ToInt32(number);
  if (whole && static_cast<double>(*whole) == number) return IntToText(*whole);
  std::string text = std::to_string(number);
  while (!text.empty() && text.back() == '0') text.pop_back();
  if (!text.empty() && text.back() == '.') text.pop_back();
  return text;
}

bool BasRegistry::RegKeyExists(RegKey root, const std::string& subkey) {
  ScopedRegKey key(registry_);
  Note(registry_.OpenKey(root, subkey, key.Receive()));
  return key.valid();
}

void BasRegistry::DeleteRegValue(RegKey root, const std::string& subkey, const std::string& name) {
  if (!RegKeyExists(root, subkey)) return;
  ScopedRegKey key(registry_);
  Note(registry_.OpenKey(root, subkey, key.Receive()));
  if (!key.valid()) return;
  Note(registry_.DeleteValue(key.get(), name));
  Note(key.Reset());
}

namespace {

std::int32_t LittleEndian(const std::string& bytes) {
  std::uint32_t value = 0;
  for (size_t i = 0; i < bytes.size() && i < 4; ++i) {
    value |= static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[i])) << (8 * i);
  }
  return static_cast<std::int32_t>(value);
}

std::string FourBytes(std::int32_t value) {
  auto u = static_cast<std::uint32_t>(value);
  std::string bytes;
  for (int i = 0; i < 4; ++i) bytes += static_cast<char>((u >> (8 * i)) & 0xFF);
  return bytes;
}

}  // namespace

RegRead BasRegistry::ReadRegValue(RegKey root, const std::string& subkey, const std::string& name) {
  ScopedRegKey key(registry_);
  Note(registry_.OpenKey(root, subkey, key.Receive()));
  if (!key.valid()) return RegRead::Text("");

  std::uint32_t type = 0;
  std::uint32_t size = 0;
  Note(registry_.QueryValue(key.get(), name, &type, nullptr, &size));

  RegRead result = RegRead::Text("");
  std::string data;
  switch (type) {
    case platform::kRegSz: {
      if (Note(registry_.QueryValue(key.get(), name, &type, &data, &size)) == 0) {
        data.resize(size < data.size() ? size : data.size());
        result = RegRead::Text(data.substr(0, data.find('\0')));
      }
      break;
    }
    case platform::kRegDword: {
      std::uint32_t four = 4;
      if (Note(registry_.QueryValue(key.get(), name, &type, &data, &four)) == 0) {
        result = RegRead::Number(LittleEndian(data));
      }
      break;
    }
    case platform::kRegBinary: {
      // Only values of up to four bytes fit the 32-bit result; a longer one
      // fails the query (ERROR_MORE_DATA) and reads as empty text.
      std::uint32_t four = 4;
      if (Note(registry_.QueryValue(key.get(), name, &type, &data, &four)) == 0) {
        result = RegRead::Number(LittleEndian(data));
      }
      break;
    }
    case platform::kRegMultiSz: {
      if (Note(registry_.QueryValue(key.get(), name, &type, &data, &size)) == 0) LastMultiSz = data;
      result = RegRead::Nothing();
      break;
    }
    default:
      break;
  }
  Note(key.Reset());
  return result;
}

void BasRegistry::WriteRegValue(RegKey root, const std::string& subkey, const std::string& name,
                                const RegArg& value) {
  std::optional<double> number = value.AsDouble();
  std::uint32_t type = number ? platform::kRegDword : platform::kRegSz;
  bool multi = false;
  if (WriteAsBinary == 1) {
    type = platform::kRegBinary;
  } else if (WriteAsMultiSz == 1) {
    type = platform::kRegMultiSz;
    multi = true;
    WriteAsMultiSz = 0;
  }

  ScopedRegKey key(registry_);
  Note(registry_.CreateKey(root, subkey, key.Receive()));
  if (!key.valid()) return;

  std::string bytes;
  if (type == platform::kRegSz || multi) {
    bytes = multi ? value.AsText() + std::string(2, '\0') : Trim(value.AsText()) + '\0';
  } else {
    std::optional<std::int32_t> whole = number ? ToInt32(*number) : std::nullopt;
    if (!whole) {  // not convertible: nothing is written
      Note(key.Reset());
      return;
    }
    bytes = FourBytes(*whole);
  }
  Note(registry_.SetValue(key.get(), name, type, bytes));
  Note(key.Reset());
}

void BasRegistry::WriteRegDword(RegKey root, const std::string& subkey, const std::string& name,
                                std::int32_t value) {
  ScopedRegKey key(registry_);
  Note(registry_.CreateKey(root, subkey, key.Receive()));
  if (!key.valid()) return;
  Note(registry_.SetValue(key.get(), name, platform::kRegDword, FourBytes(value)));
  Note(key.Reset());
}

void BasRegistry::WriteRegText(RegKey root, const std::string& subkey, const std::string& name,
                               const std::string& text) {
  ScopedRegKey key(registry_);
  Note(registry_.CreateKey(root, subkey, key.Receive()));
  if (!key.valid()) return;
  Note(registry_.SetValue(key.get(), name, platform::kRegSz, text + '\0'));
  Note(key.Reset());
}

}  // namespace ks
