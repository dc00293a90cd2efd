#include "test_host/exit_status.h"

#include "test_host/console_output.h"

void Warn(const std::string& message) { WriteErr("tarnwell_host: " + message + "\n"); }

int Fail(int status, const std::string& message) {
  Warn(message);
  return status;
}
