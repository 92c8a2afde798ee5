// The engine's reports in the main window: the progress bar, the status text
// area, the failure box and the log pane. Each report is handled on the
// window thread while the reporting worker waits.
#pragma once

#include <chrono>
#include <cstdint>

#include "app/application_state.h"
#include "storage/notifier.h"

class QProgressBar;
class QWidget;

namespace pellora::ui {

class ContentPanel;

class GuiNotifier : public Notifier {
 public:
  GuiNotifier(ApplicationState& state, QWidget& window, QProgressBar& progress, ContentPanel& panel);

  void progressRange(int64_t low, int64_t high) override;
  void statusText(std::string_view text) override;
  void failure(std::string_view text) override;
  void progressPos(int64_t position) override;
  void logLine(std::string_view text) override;

 private:
  // A pass over a large file reports every page; the bar moves visibly only
  // every few hundred, so most reports need not wait for the window.
  bool worthShowing(int64_t position);

  ApplicationState& state_;
  QWidget& window_;
  QProgressBar& progress_;
  ContentPanel& panel_;
  int64_t low_ = 0;
  int64_t high_ = 0;
  int64_t shown_ = 0;
  std::chrono::steady_clock::time_point shownAt_{};
};

}  // namespace pellora::ui
