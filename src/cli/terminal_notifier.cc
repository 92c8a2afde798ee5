#include "cli/terminal_notifier.h"

#include <csignal>
#include <cstdio>
#include <unistd.h>

namespace pellora::cli {

namespace {

RunFlags* stopFlags = nullptr;
volatile std::sig_atomic_t interrupts = 0;

void onInterrupt(int) {
  interrupts = interrupts + 1;
  if (interrupts > 1) _exit(130);
  if (stopFlags) stopFlags->stopRequest.store(true);
  const char note[] = "\nStopping; press Ctrl+C again to end at once.\n";
  ssize_t ignored = write(STDERR_FILENO, note, sizeof note - 1);
  (void)ignored;
}

}  // namespace

void installStopHandler(RunFlags& flags) {
  stopFlags = &flags;
  struct sigaction action {};
  action.sa_handler = onInterrupt;
  sigemptyset(&action.sa_mask);
  sigaction(SIGINT, &action, nullptr);
}

TerminalNotifier::TerminalNotifier(ApplicationState& state)
    : state_(state), showProgress_(isatty(STDERR_FILENO) != 0) {}

TerminalNotifier::~TerminalNotifier() { finish(); }

void TerminalNotifier::progressRange(int64_t low, int64_t high) {
  low_ = low, high_ = high, position_ = low;
  lastPercent_ = -1;
  draw();
}

void TerminalNotifier::statusText(std::string_view text) {
  stage_ = std::string(text);
  lastPercent_ = -1;
  draw();
}

void TerminalNotifier::failure(std::string_view text) {
  finish();
  lastFailure_ = std::string(text);
  std::fprintf(stderr, "pellora: %s\n", lastFailure_.c_str());
}

void TerminalNotifier::progressPos(int64_t position) {
  position_ = position;
  draw();
}

void TerminalNotifier::logLine(std::string_view text) { state_.log.append(text); }

void TerminalNotifier::draw() {
  if (!showProgress_) return;
  int64_t span = high_ - low_;
  int percent = span > 0 ? static_cast<int>((position_ - low_) * 100 / span) : 0;
  percent = std::max(0, std::min(100, percent));
  if (percent == lastPercent_) return;
  lastPercent_ = percent;
  constexpr int kWidth = 30;
  char bar[kWidth + 1];
  int filled = percent * kWidth / 100;
  for (int i = 0; i < kWidth; ++i) bar[i] = i < filled ? '#' : '.';
  bar[kWidth] = 0;
  std::fprintf(stderr, "\r[%s] %3d%% %-60.60s", bar, percent, stage_.c_str());
  std::fflush(stderr);
  drawn_ = true;
}

void TerminalNotifier::finish() {
  if (!drawn_) return;
  std::fprintf(stderr, "\r%*s\r", 100, "");
  std::fflush(stderr);
  drawn_ = false;
}

}  // namespace pellora::cli
