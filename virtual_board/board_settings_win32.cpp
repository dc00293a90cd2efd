#include "virtual_board/board_settings_win32.h"

#include <cstdlib>
#include <cwchar>

#include "common/allocation.h"
#include "windows/system_text_win32.h"
#include "virtual_board/desktop_folder_win32.h"
#include "virtual_board/fixed_text.h"

namespace {

constexpr DWORD MaxFileBytes = 64 * 1024;

// UTF-16 to UTF-8 in a buffer of size bytes; false when it does not fit.
bool Utf8Text(const wchar_t* wide, int length, char* text, size_t size) {
  const int n = WideCharToMultiByte(CP_UTF8, 0, wide, length, text, static_cast<int>(size) - 1, nullptr, nullptr);
  if (n <= 0 && length != 0) return false;
  text[n] = '\0';
  return true;
}

// A %NAME% in the file's paths: an environment variable, or for %DESKTOP%
// the user's Desktop folder, wherever the shell keeps it.
bool LookUpVariable(std::string_view name, char* value, size_t size, void*) {
  wchar_t wideName[256], wide[SettingsTextSize];
  if (name.size() >= 256) return false;
  WideText(name, wideName, 256);
  if (_wcsicmp(wideName, L"DESKTOP") == 0)
    return DesktopFolder(wide, SettingsTextSize) && Utf8Text(wide, -1, value, size);
  const DWORD n = GetEnvironmentVariableW(wideName, wide, SettingsTextSize);
  return n > 0 && n < SettingsTextSize && Utf8Text(wide, static_cast<int>(n), value, size);
}

// An environment variable in UTF-8, or null when it is not set (or empty,
// which a command prompt's "set NAME=" makes the same).
const char* Variable(const char* name, char* value, size_t size, TBoardSettings& settings) {
  wchar_t wideName[64];
  WideText(name, wideName, 64);
  if (GetEnvironmentVariableW(wideName, nullptr, 0) <= 1) return nullptr;
  if (LookUpVariable(name, value, size, nullptr)) return value;
  TFixedText(settings.Problems, sizeof(settings.Problems)).NextLine() << name << " is too long: not read";
  return nullptr;
}

// The file's bytes as UTF-8: a UTF-16 file (with its byte order mark) is
// converted, and so is a file in the ANSI code page, which is not valid
// UTF-8. Takes bytes; returns a block to free, or null when out of memory.
char* Utf8FileText(char* bytes, DWORD count, size_t& length) {
  const auto* head = reinterpret_cast<unsigned char*>(bytes);
  const bool littleEndian = count >= 2 && head[0] == 0xFF && head[1] == 0xFE;
  const bool bigEndian = count >= 2 && head[0] == 0xFE && head[1] == 0xFF;
  const bool utf8 =
      count == 0 || MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, bytes, static_cast<int>(count), nullptr, 0) > 0;
  if (!littleEndian && !bigEndian && utf8) {
    length = count;
    return bytes;
  }
  wchar_t* converted = nullptr;  // from the ANSI code page
  const wchar_t* wide = reinterpret_cast<wchar_t*>(bytes + 2);
  int wideLength = static_cast<int>((count - 2) / 2);
  if (bigEndian)
    for (DWORD i = 0; i + 1 < count; i += 2) {
      const char high = bytes[i];
      bytes[i] = bytes[i + 1];
      bytes[i + 1] = high;
    }
  if (!littleEndian && !bigEndian) {
    wideLength = MultiByteToWideChar(CP_ACP, 0, bytes, static_cast<int>(count), nullptr, 0);
    converted = static_cast<wchar_t*>(std::malloc(sizeof(wchar_t) * (static_cast<size_t>(wideLength) + 1)));
    if (converted != nullptr) MultiByteToWideChar(CP_ACP, 0, bytes, static_cast<int>(count), converted, wideLength);
    wide = converted;
  }
  const int n = wide == nullptr ? 0 : WideCharToMultiByte(CP_UTF8, 0, wide, wideLength, nullptr, 0, nullptr, nullptr);
  char* text = wide == nullptr ? nullptr : static_cast<char*>(std::malloc(static_cast<size_t>(n) + 1));
  if (text != nullptr) WideCharToMultiByte(CP_UTF8, 0, wide, wideLength, text, n, nullptr, nullptr);
  std::free(converted);
  std::free(bytes);
  length = static_cast<size_t>(n);
  return text;
}

// k8055d.ini's text in UTF-8 (a block to free), or null when there is no
// such file or it cannot be read, which is said in settings.Problems.
char* ReadSettingsFile(const wchar_t* path, size_t& length, TBoardSettings& settings) {
  TFixedText problems(settings.Problems, sizeof(settings.Problems));
  HANDLE file = CreateFileW(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    const DWORD error = GetLastError();
    if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) return nullptr;
    AddWindowsError(problems.NextLine() << BoardSettingsFile << " cannot be read: ", error);
    return nullptr;
  }
  const DWORD size = GetFileSize(file, nullptr);
  char* bytes = size <= MaxFileBytes ? static_cast<char*>(std::malloc(size + 1)) : nullptr;
  DWORD count = 0;
  const bool read = bytes != nullptr && ReadFile(file, bytes, size, &count, nullptr);
  const DWORD error = GetLastError();
  CloseHandle(file);
  if (size > MaxFileBytes) problems.NextLine() << BoardSettingsFile << " is larger than 64 KB: not read";
  else if (bytes == nullptr) problems.NextLine() << BoardSettingsFile << " not read: out of memory";
  else if (!read) AddWindowsError(problems.NextLine() << BoardSettingsFile << " cannot be read: ", error);
  if (!read) {
    std::free(bytes);
    return nullptr;
  }
  char* text = Utf8FileText(bytes, count, length);
  if (text == nullptr) problems.NextLine() << BoardSettingsFile << " not read: out of memory";
  return text;
}

// The current directory when the library was loaded: a static object, so
// read as Windows loads it (one call that cannot block, as the call
// record's clock is read then). A relative path from the environment
// starts there, however often a host's open dialog moves the current
// directory later, so that a record is never split across folders.
struct TLoadFolder {
  wchar_t Path[SettingsTextSize];
  TLoadFolder() {
    const DWORD n = GetCurrentDirectoryW(SettingsTextSize, Path);
    Path[n < SettingsTextSize ? n : 0] = L'\0';
  }
};
const TLoadFolder LoadFolder;

bool IsRelative(const wchar_t* path) {
  return !(path[0] == L'\\' || path[0] == L'/' || (path[0] != L'\0' && path[1] == L':'));
}

// A path from the environment made absolute from the load's folder.
void MakeAbsolute(char* path, size_t size) {
  wchar_t given[SettingsTextSize], joined[2 * SettingsTextSize + 1], full[SettingsTextSize];
  WideText(path, given, SettingsTextSize);
  size_t length = 0;
  if (IsRelative(given) && LoadFolder.Path[0] != L'\0') {
    length = wcslen(LoadFolder.Path);
    wmemcpy(joined, LoadFolder.Path, length);
    if (joined[length - 1] != L'\\') joined[length++] = L'\\';
  }
  wmemcpy(joined + length, given, wcslen(given) + 1);
  const DWORD n = GetFullPathNameW(joined, SettingsTextSize, full, nullptr);
  if (n > 0 && n < SettingsTextSize) Utf8Text(full, static_cast<int>(n), path, size);
}

}  // namespace

void AddWindowsError(TFixedText& text, DWORD error) {
  wchar_t wide[256] = L"";
  FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error, 0, wide, 256, nullptr);
  char message[512] = "";
  Utf8Text(wide, -1, message, sizeof(message));
  std::string_view reason(message);
  while (!reason.empty() && (reason.back() == '\n' || reason.back() == '\r' || reason.back() == '.' ||
                             reason.back() == ' '))
    reason.remove_suffix(1);
  text << "Windows error " << static_cast<int64_t>(error);
  if (!reason.empty()) text << ": " << reason;
}

void WideText(std::string_view text, wchar_t* wide, size_t size) {
  const int n = text.empty() ? 0
                             : MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), wide,
                                                   static_cast<int>(size) - 1);
  wide[n > 0 ? n : 0] = L'\0';
}

void LoadBoardSettings(const wchar_t* libraryPath, TBoardSettings& settings) {
  settings = TBoardSettings{};
  size_t folderLength = wcslen(libraryPath);
  while (folderLength > 0 && libraryPath[folderLength - 1] != L'\\' && libraryPath[folderLength - 1] != L'/')
    --folderLength;
  wchar_t filePath[SettingsTextSize];
  char folder[SettingsTextSize] = "";
  size_t textLength = 0;
  char* text = nullptr;
  if (folderLength > 0 && folderLength + sizeof(BoardSettingsFile) < SettingsTextSize &&
      Utf8Text(libraryPath, static_cast<int>(folderLength), folder, sizeof(folder))) {
    wmemcpy(filePath, libraryPath, folderLength);
    WideText(BoardSettingsFile, filePath + folderLength, SettingsTextSize - folderLength);
    text = ReadSettingsFile(filePath, textLength, settings);
  } else {
    AddSettingsProblem(settings, "the virtual board's folder is unknown or has too long a name: k8055d.ini not read");
  }

  TBoardSettingsSources sources;
  sources.FileFound = text != nullptr;
  sources.FileText = std::string_view(text != nullptr ? text : "", textLength);
  sources.FileFolder = folder;
  char boards[SettingsTextSize], window[SettingsTextSize], record[SettingsTextSize], forward[SettingsTextSize],
      pace[SettingsTextSize], unplug[SettingsTextSize];
  sources.Boards = Variable(BoardsVariable, boards, sizeof(boards), settings);
  sources.Window = Variable(WindowVariable, window, sizeof(window), settings);
  sources.Record = Variable(RecordVariable, record, sizeof(record), settings);
  sources.Forward = Variable(ForwardVariable, forward, sizeof(forward), settings);
  sources.Pace = Variable(PaceVariable, pace, sizeof(pace), settings);
  sources.Unplug = Variable(UnplugVariable, unplug, sizeof(unplug), settings);
  sources.Lookup = LookUpVariable;
  ReadBoardSettings(sources, settings);
  std::free(text);
  if (settings.Record[0] != '\0') MakeAbsolute(settings.Record, sizeof(settings.Record));
  if (settings.Forward[0] != '\0') MakeAbsolute(settings.Forward, sizeof(settings.Forward));
}

// Without its path (out of memory) the board's folder is unknown.
void LoadBoardSettingsOf(HMODULE board, TBoardSettings& settings) {
  TPathText path{};
  ModuleFileName(board, path);
  LoadBoardSettings(path.Text != nullptr ? reinterpret_cast<const wchar_t*>(path.Text) : L"", settings);
  ReleaseMemory(const_cast<TPathChar*>(path.Text));
}

void AddRecordProblem(TBoardSettings& settings, DWORD error) {
  TFixedText problems(settings.Problems, sizeof(settings.Problems));
  AddWindowsError(problems.NextLine() << "call record " << settings.Record << " cannot be opened: ", error);
}

void CheckCallRecord(TBoardSettings& settings) {
  if (settings.Record[0] == '\0') return;
  wchar_t path[SettingsTextSize];
  WideText(settings.Record, path, SettingsTextSize);
  HANDLE file = CreateFileW(path, CallRecordAccess, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
  else if (GetLastError() != ERROR_FILE_NOT_FOUND) AddRecordProblem(settings, GetLastError());
}
