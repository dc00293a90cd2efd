#include "test_host/exit_status.h"

#include <cstdio>

int Fail(int status, const std::string& message) {
  std::fprintf(stderr, "tarnwell_host: %s\n", message.c_str());
  return status;
}
