#include "platform/win32/version.h"

#include "platform/win32/win.h"

namespace ks::win32 {

std::uint32_t Win32VersionInfo::GetFileVersionInfoSize(const std::string& path) {
  // A file that is not there has no version: the system would find that out
  // only after trying to load it (a millisecond under Wine). A bare name is
  // searched for as the system does.
  const bool has_folder = path.find_first_of("\\/:") != std::string::npos;
  if (has_folder && GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES) {
    SetLastError(ERROR_FILE_NOT_FOUND);
    return 0;
  }
  DWORD handle = 0;
  return GetFileVersionInfoSizeA(path.c_str(), &handle);
}

bool Win32VersionInfo::GetFileVersionInfo(const std::string& path, std::uint32_t size, std::string* block) {
  if (size == 0) return false;
  std::string data(size, '\0');
  if (!GetFileVersionInfoA(path.c_str(), 0, size, data.data())) return false;
  *block = std::move(data);
  return true;
}

bool Win32VersionInfo::VerQueryValue(const std::string& block, const std::string& sub_block, std::string* value) {
  // The ANSI query converts the resource's Unicode strings into spare room
  // of the block itself, so it gets a private, writable copy.
  std::string copy = block;
  void* pointer = nullptr;
  UINT length = 0;
  if (!VerQueryValueA(copy.data(), sub_block.c_str(), &pointer, &length) || pointer == nullptr) return false;
  const char* begin = static_cast<const char*>(pointer);
  const char* end = copy.data() + copy.size();
  if (begin < copy.data() || begin > end) return false;
  // A string's length counts characters; never read past the block.
  size_t count = static_cast<size_t>(length);
  if (count > static_cast<size_t>(end - begin)) count = static_cast<size_t>(end - begin);
  value->assign(begin, count);
  return true;
}

}  // namespace ks::win32
