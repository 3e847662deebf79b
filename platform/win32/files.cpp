#include "platform/win32/files.h"

#include "platform/win32/handle.h"

#include <cctype>
#include <cstring>

namespace ks::win32 {

namespace {

std::string WithoutTrailingSlash(std::string path) {
  while (path.size() > 3 && (path.back() == '\\' || path.back() == '/')) path.pop_back();
  return path;
}

DWORD Attributes(const std::string& path) { return GetFileAttributesA(path.c_str()); }

// Writes every byte at the file's position, as many calls as it takes.
bool WriteAll(HANDLE file, const std::string& bytes) {
  size_t done = 0;
  while (done < bytes.size()) {
    DWORD put = 0;
    // A write that reports success without taking a byte would loop forever.
    if (!::WriteFile(file, bytes.data() + done, static_cast<DWORD>(bytes.size() - done), &put, nullptr) ||
        put == 0) {
      return false;
    }
    done += put;
  }
  return true;
}

}  // namespace

std::string Win32Files::ProgramPath() {
  std::string buffer(MAX_PATH, '\0');
  for (;;) {
    DWORD n = GetModuleFileNameA(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (n == 0) return std::string();
    // A path that fills the buffer has been cut: try again with more room.
    if (n < buffer.size()) {
      buffer.resize(n);
      return buffer;
    }
    buffer.resize(buffer.size() * 2);
  }
}

std::string Win32Files::ProgramFolder() {
  const std::string path = ProgramPath();
  size_t slash = path.find_last_of("\\/");
  return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

std::string Win32Files::TempFolder() {
  char buffer[MAX_PATH + 1] = {};
  DWORD n = GetTempPathA(sizeof(buffer), buffer);
  if (n == 0 || n > sizeof(buffer)) return std::string();
  return WithoutTrailingSlash(std::string(buffer, n));
}

bool Win32Files::ReadFile(const std::string& path, std::string* bytes) {
  ScopedFile file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.valid()) return false;
  LARGE_INTEGER size;
  if (!GetFileSizeEx(file.get(), &size) || size.QuadPart > 0x7FFFFFFF) return false;
  std::string data(static_cast<size_t>(size.QuadPart), '\0');
  size_t done = 0;
  while (done < data.size()) {
    DWORD got = 0;
    if (!::ReadFile(file.get(), data.data() + done, static_cast<DWORD>(data.size() - done), &got, nullptr)) {
      return false;
    }
    if (got == 0) break;
    done += got;
  }
  data.resize(done);
  *bytes = std::move(data);
  return true;
}

bool Win32Files::WriteFile(const std::string& path, const std::string& bytes) {
  ScopedFile file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                              nullptr));
  if (!file.valid()) return false;
  return WriteAll(file.get(), bytes);
}

bool Win32Files::AppendFile(const std::string& path, const std::string& bytes) {
  ScopedFile file(CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.valid()) return false;
  if (SetFilePointer(file.get(), 0, nullptr, FILE_END) == INVALID_SET_FILE_POINTER && GetLastError() != NO_ERROR)
    return false;
  DWORD put = 0;
  if (!::WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &put, nullptr)) return false;
  return put == bytes.size() && FlushFileBuffers(file.get()) != 0;
}

bool Win32Files::WriteFileChecked(const std::string& path, const std::string& bytes) {
  ScopedFile file(CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.valid()) return false;
  if (!WriteAll(file.get(), bytes)) return false;
  if (SetFilePointer(file.get(), 0, nullptr, FILE_BEGIN) == INVALID_SET_FILE_POINTER) return false;
  // One byte more than was written: a longer file does not read back the same.
  std::string read(bytes.size() + 1, '\0');
  DWORD got = 0;
  size_t have = 0;
  while (have < read.size() &&
         ::ReadFile(file.get(), read.data() + have, static_cast<DWORD>(read.size() - have), &got, nullptr) && got > 0)
    have += got;
  return have == bytes.size() && read.compare(0, have, bytes) == 0;
}

bool Win32Files::FileExists(const std::string& path) {
  DWORD a = Attributes(path);
  return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

bool Win32Files::FolderExists(const std::string& path) {
  DWORD a = Attributes(WithoutTrailingSlash(path));
  return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

std::vector<std::string> Win32Files::List(const std::string& pattern) {
  std::vector<std::string> names;
  for (ListedFile& file : ListWithAttributes(pattern)) names.push_back(std::move(file.name));
  return names;
}

std::vector<platform::Files::ListedFile> Win32Files::ListWithAttributes(const std::string& pattern) {
  std::vector<ListedFile> files;
  WIN32_FIND_DATAA data;
  ScopedFind find(FindFirstFileA(pattern.c_str(), &data));
  if (!find.valid()) return files;
  do {
    if ((data.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) == 0) {
      files.push_back({data.cFileName, data.dwFileAttributes});
    }
  } while (FindNextFileA(find.get(), &data));
  return files;
}

std::vector<std::string> Win32Files::ListFolders(const std::string& folder) {
  std::vector<std::string> names;
  WIN32_FIND_DATAA data;
  ScopedFind find(FindFirstFileA((WithoutTrailingSlash(folder) + "\\*").c_str(), &data));
  if (!find.valid()) return names;
  do {
    std::string name = data.cFileName;
    if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0 && name != "." && name != "..") {
      names.push_back(name);
    }
  } while (FindNextFileA(find.get(), &data));
  return names;
}

std::vector<std::string> Win32Files::Drives() {
  std::vector<std::string> drives;
  char buffer[27 * 4 + 1] = {};
  const DWORD n = GetLogicalDriveStringsA(sizeof(buffer) - 1, buffer);
  if (n == 0 || n >= sizeof(buffer)) return drives;
  for (const char* p = buffer; *p; p += std::strlen(p) + 1) {
    const char letter = static_cast<char>(std::tolower(static_cast<unsigned char>(p[0])));
    drives.push_back(std::string(1, letter) + ":");
  }
  return drives;
}

std::optional<std::uint32_t> Win32Files::GetFileAttributes(const std::string& path) {
  const DWORD a = Attributes(path);
  if (a == INVALID_FILE_ATTRIBUTES) return std::nullopt;
  return static_cast<std::uint32_t>(a);
}

namespace {

// Asked with a buffer too small, both calls return the size they need (NUL
// included); 0 is a failure.
template <class Call>
std::string PathByCall(const std::string& path, Call call) {
  std::string buffer(MAX_PATH, '\0');
  for (int attempt = 0; attempt < 3; ++attempt) {
    const DWORD n = call(path.c_str(), buffer.data(), static_cast<DWORD>(buffer.size()));
    if (n == 0) return std::string();
    if (n < buffer.size()) {
      buffer.resize(n);
      return buffer;
    }
    buffer.assign(n, '\0');
  }
  return std::string();
}

}  // namespace

std::string Win32Files::GetLongPathName(const std::string& path) {
  // Windows 95 and NT 4 lack the call: looked up at run time, so pvx still
  // starts there (and its guards go by file identity alone).
  using Fn = DWORD(WINAPI*)(LPCSTR, LPSTR, DWORD);
  HMODULE kernel = GetModuleHandleA("kernel32.dll");
  auto fn = kernel == nullptr ? nullptr
                              : reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(kernel, "GetLongPathNameA")));
  if (fn == nullptr) return std::string();
  return PathByCall(path, fn);
}

std::string Win32Files::GetShortPathName(const std::string& path) {
  return PathByCall(path, [](const char* in, char* out, DWORD size) { return GetShortPathNameA(in, out, size); });
}

bool Win32Files::GetFileIdentity(const std::string& path, platform::FileIdentity* out) {
  // No access asked: the identity needs none, and a file another program
  // holds open still answers.
  ScopedFile file(CreateFileA(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  if (!file.valid()) return false;
  BY_HANDLE_FILE_INFORMATION info = {};
  if (!GetFileInformationByHandle(file.get(), &info)) return false;
  out->volume = info.dwVolumeSerialNumber;
  out->index = (static_cast<std::uint64_t>(info.nFileIndexHigh) << 32) | info.nFileIndexLow;
  return true;
}

std::string Win32Files::GetFinalPathName(const std::string& path) {
  // Vista and later only: looked up at run time.
  using Fn = DWORD(WINAPI*)(HANDLE, LPSTR, DWORD, DWORD);
  HMODULE kernel = GetModuleHandleA("kernel32.dll");
  auto fn = kernel == nullptr ? nullptr
                              : reinterpret_cast<Fn>(
                                    reinterpret_cast<void*>(GetProcAddress(kernel, "GetFinalPathNameByHandleA")));
  if (fn == nullptr) return std::string();
  ScopedFile file(CreateFileA(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  if (!file.valid()) return std::string();
  std::string buffer(MAX_PATH, '\0');
  for (int attempt = 0; attempt < 3; ++attempt) {
    // VOLUME_NAME_DOS (0): a drive letter path behind "\\?\".
    const DWORD n = fn(file.get(), buffer.data(), static_cast<DWORD>(buffer.size()), 0);
    if (n == 0) return std::string();
    if (n < buffer.size()) {
      buffer.resize(n);
      if (buffer.rfind("\\\\?\\UNC\\", 0) == 0) return "\\\\" + buffer.substr(8);
      if (buffer.rfind("\\\\?\\", 0) == 0) return buffer.substr(4);
      return buffer;
    }
    buffer.assign(n + 1, '\0');
  }
  return std::string();
}

bool Win32Files::DeleteFile(const std::string& path) { return DeleteFileA(path.c_str()) != 0; }

bool Win32Files::CopyFile(const std::string& from, const std::string& to) {
  return CopyFileA(from.c_str(), to.c_str(), FALSE) != 0;
}

bool Win32Files::ReplaceFile(const std::string& from, const std::string& to) {
  {
    // The bytes reach the disk before the name does: a rename written
    // through ahead of its data could leave an empty file after a power cut.
    ScopedFile file(CreateFileA(from.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid() || !FlushFileBuffers(file.get())) return false;
  }
  return MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

bool Win32Files::SetCurrentFolder(const std::string& path) {
  return SetCurrentDirectoryA(path.c_str()) != 0;
}

bool Win32Files::CreateFolder(const std::string& path) {
  return CreateDirectoryA(WithoutTrailingSlash(path).c_str(), nullptr) != 0;
}

}  // namespace ks::win32
