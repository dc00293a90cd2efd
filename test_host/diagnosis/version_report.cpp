#include "test_host/diagnosis/version_report.h"

namespace {

constexpr char VirtualBoardDescription[] = "Virtual board:";
constexpr char VirtualBoardCompany[] = "The out_tarnwell developers";

}  // namespace

bool IsVirtualBoard(const TFileVersion& file) {
  return file.HasResource && file.Description.rfind(VirtualBoardDescription, 0) == 0 &&
         file.Company == VirtualBoardCompany;
}

std::string DescribeFileVersion(const std::string& name, const TFileVersion& file) {
  if (file.Path.empty()) return name + " not found";
  if (!file.Exists) return name + ", " + file.Path + " does not exist";
  const std::string version = file.HasResource ? " " + file.Version : " (no version resource)";
  return name + version + ", " + file.Path +
         (IsVirtualBoard(file) ? " (the virtual board, not the vendor's driver library)" : "");
}
