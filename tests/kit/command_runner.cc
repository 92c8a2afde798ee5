#include "kit/command_runner.h"

#include <cstdio>
#include <fcntl.h>
#include <fstream>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>

#ifndef PELLORA_CLI_PATH
#define PELLORA_CLI_PATH "pellora"
#endif

namespace pellora::kit {

namespace {

std::string slurp(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

}  // namespace

CommandResult runPellora(const std::vector<std::string>& arguments) {
  char outName[] = "/tmp/pellora-out-XXXXXX";
  char errName[] = "/tmp/pellora-err-XXXXXX";
  int outFd = mkstemp(outName);
  int errFd = mkstemp(errName);
  CommandResult result;
  pid_t child = fork();
  if (child == 0) {
    int nullFd = open("/dev/null", O_RDONLY);
    dup2(nullFd, 0);
    dup2(outFd, 1);
    dup2(errFd, 2);
    std::vector<char*> argv;
    std::string program = PELLORA_CLI_PATH;
    argv.push_back(program.data());
    std::vector<std::string> copies = arguments;
    for (std::string& argument : copies) argv.push_back(argument.data());
    argv.push_back(nullptr);
    execv(program.c_str(), argv.data());
    _exit(127);
  }
  int status = 0;
  waitpid(child, &status, 0);
  result.exitStatus = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  close(outFd);
  close(errFd);
  result.out = slurp(outName);
  result.err = slurp(errName);
  unlink(outName);
  unlink(errName);
  return result;
}

}  // namespace pellora::kit
