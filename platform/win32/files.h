// The file service over kernel32.
#pragma once

#include "platform/files.h"

namespace ks::win32 {

class Win32Files : public platform::Files {
 public:
  std::string ProgramFolder() override;
  std::string ProgramPath() override;
  std::string TempFolder() override;
  bool ReadFile(const std::string& path, std::string* bytes) override;
  bool WriteFile(const std::string& path, const std::string& bytes) override;
  bool AppendFile(const std::string& path, const std::string& bytes) override;
  bool WriteFileChecked(const std::string& path, const std::string& bytes) override;
  bool FileExists(const std::string& path) override;
  bool FolderExists(const std::string& path) override;
  std::vector<std::string> List(const std::string& pattern) override;
  std::vector<ListedFile> ListWithAttributes(const std::string& pattern) override;
  std::vector<std::string> ListFolders(const std::string& folder) override;
  bool DeleteFile(const std::string& path) override;
  bool CopyFile(const std::string& from, const std::string& to) override;
  bool CreateFolder(const std::string& path) override;
  bool ReplaceFile(const std::string& from, const std::string& to) override;
  bool SetCurrentFolder(const std::string& path) override;
  std::vector<std::string> Drives() override;
  std::optional<std::uint32_t> GetFileAttributes(const std::string& path) override;
  std::string GetLongPathName(const std::string& path) override;
  std::string GetShortPathName(const std::string& path) override;
  bool GetFileIdentity(const std::string& path, platform::FileIdentity* out) override;
  std::string GetFinalPathName(const std::string& path) override;
};

}  // namespace ks::win32
