// Runs the pellora program as a user would and collects what it printed.
#pragma once

#include <string>
#include <vector>

namespace pellora::kit {

struct CommandResult {
  int exitStatus = -1;
  std::string out;
  std::string err;
};

// Runs PELLORA_CLI_PATH with `arguments`, standard input closed.
CommandResult runPellora(const std::vector<std::string>& arguments);

}  // namespace pellora::kit
