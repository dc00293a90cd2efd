#include "test_host/diagnosis/file_version_win32.h"

#include <windows.h>

#include <cstdio>
#include <vector>

#include "k8055d/quiet_error_mode_win32.h"
#include "test_host/text/wide_text_win32.h"

namespace {

// A text of the resource's first string table ("FileDescription").
std::string StringValue(const std::vector<BYTE>& resource, const wchar_t* name) {
  struct TTranslation {
    WORD Language;
    WORD CodePage;
  };
  TTranslation* translations = nullptr;
  UINT size = 0;
  if (!VerQueryValueW(resource.data(), L"\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translations),
                      &size) ||
      size < sizeof(TTranslation))
    return "";
  char table[16];
  std::snprintf(table, sizeof(table), "%04x%04x", static_cast<unsigned>(translations[0].Language),
                static_cast<unsigned>(translations[0].CodePage));
  const std::wstring key = L"\\StringFileInfo\\" + Wide(table) + L"\\" + name;
  wchar_t* value = nullptr;
  UINT length = 0;
  if (!VerQueryValueW(resource.data(), key.c_str(), reinterpret_cast<void**>(&value), &length) || length == 0)
    return "";
  return Utf8(std::wstring(value, length - 1));  // length counts the closing NUL
}

}  // namespace

// No system error box while the file is looked at (a path on an empty
// removable drive).
TFileVersion ReadFileVersion(const std::string& path) {
  TFileVersion file;
  file.Path = path;
  if (path.empty()) return file;
  TQuietErrorMode quiet;
  const std::wstring widePath = Wide(path);
  file.Exists = GetFileAttributesW(widePath.c_str()) != INVALID_FILE_ATTRIBUTES;
  DWORD ignored = 0;
  const DWORD size = GetFileVersionInfoSizeW(widePath.c_str(), &ignored);
  if (size == 0) return file;
  std::vector<BYTE> resource(size);
  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT fixedSize = 0;
  if (!GetFileVersionInfoW(widePath.c_str(), 0, size, resource.data()) ||
      !VerQueryValueW(resource.data(), L"\\", reinterpret_cast<void**>(&fixed), &fixedSize) ||
      fixedSize < sizeof(VS_FIXEDFILEINFO))
    return file;
  char version[48];
  std::snprintf(version, sizeof(version), "%u.%u.%u.%u", static_cast<unsigned>(HIWORD(fixed->dwFileVersionMS)),
                static_cast<unsigned>(LOWORD(fixed->dwFileVersionMS)),
                static_cast<unsigned>(HIWORD(fixed->dwFileVersionLS)),
                static_cast<unsigned>(LOWORD(fixed->dwFileVersionLS)));
  file.HasResource = true;
  file.Version = version;
  file.Description = StringValue(resource, L"FileDescription");
  file.Company = StringValue(resource, L"CompanyName");
  return file;
}
