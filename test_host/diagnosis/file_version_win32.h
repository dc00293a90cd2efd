// Reads a file's version resource (version.dll, which every Windows has).
#pragma once

#include <string>

#include "test_host/diagnosis/version_report.h"

// path: UTF-8; empty gives a TFileVersion of a file not found.
TFileVersion ReadFileVersion(const std::string& path);
