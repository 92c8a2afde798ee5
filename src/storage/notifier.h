// How the engine reports to whatever front end drives it. The worker calls
// these synchronously and waits until the front end has handled each call, so
// a front end that renders on another thread must block the caller until done.
#pragma once

#include <cstdint>
#include <string_view>

namespace pellora {

class Notifier {
 public:
  virtual ~Notifier() = default;

  // Progress range of the pass that starts; the position goes back to 0.
  virtual void progressRange(int64_t low, int64_t high) { (void)low, (void)high; }
  // Stage text for the status area; replaces the previous text, not a log line.
  virtual void statusText(std::string_view text) { (void)text; }
  // A failure of the open; the front end shows it as an error.
  virtual void failure(std::string_view text) { (void)text; }
  virtual void progressPos(int64_t position) { (void)position; }
  // One line of the process log.
  virtual void logLine(std::string_view text) { (void)text; }
};

// For callers that want no reports (tests, tools).
inline Notifier& silentNotifier() {
  static Notifier none;
  return none;
}

}  // namespace pellora
