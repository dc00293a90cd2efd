// The virtual board's settings as Windows gives them: k8055d.ini in the
// folder of the board's DLL and the environment, both read with the wide
// functions, so that names outside the ANSI code page work. Shared by the
// virtual board, which reads them at every OpenDevice, and by the test
// host, whose info and --version tell them.
#pragma once

#include <windows.h>

#include "virtual_board/board_settings.h"
#include "virtual_board/fixed_text.h"

// Reads the settings for the virtual board at libraryPath. A relative call
// record path from the environment is made absolute.
void LoadBoardSettings(const wchar_t* libraryPath, TBoardSettings& settings);

// The same for the virtual board loaded as the module board, whose path
// Windows gives.
void LoadBoardSettingsOf(HMODULE board, TBoardSettings& settings);

// Names the call record that could not be opened, with the system's reason,
// in settings.Problems.
void AddRecordProblem(TBoardSettings& settings, DWORD error);

// The access with which the call record is opened: FILE_APPEND_DATA without
// FILE_WRITE_DATA, so that every write goes to the end of the file, also
// while another process appends to it; GENERIC_READ for the lock by which
// the writers take turns (virtual_board/record_lock_win32.h).
inline constexpr DWORD CallRecordAccess = GENERIC_READ | FILE_APPEND_DATA;

// Checks, without creating it, that the call record can be opened: its
// folder exists and the file, if there is one, can be written.
void CheckCallRecord(TBoardSettings& settings);

// Appends "Windows error N: the system's text for it" to text.
void AddWindowsError(TFixedText& text, DWORD error);

// text (UTF-8) in UTF-16, cut to fit size characters with the NUL.
void WideText(std::string_view text, wchar_t* wide, size_t size);
