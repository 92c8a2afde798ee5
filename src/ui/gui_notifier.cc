#include "ui/gui_notifier.h"

#include <algorithm>
#include <climits>

#include <QProgressBar>

#include "ui/content_panel.h"
#include "ui/message_box.h"
#include "ui/window_thread.h"

namespace pellora::ui {

namespace {

int clampToInt(int64_t value) { return static_cast<int>(std::clamp<int64_t>(value, 0, INT_MAX)); }

constexpr auto kProgressInterval = std::chrono::milliseconds(50);

}  // namespace

GuiNotifier::GuiNotifier(ApplicationState& state, QWidget& window, QProgressBar& progress, ContentPanel& panel)
    : state_(state), window_(window), progress_(progress), panel_(panel) {}

void GuiNotifier::progressRange(int64_t low, int64_t high) {
  low_ = low;
  high_ = high;
  shown_ = 0;
  shownAt_ = std::chrono::steady_clock::now();
  onWindowThread(&window_, [&] {
    progress_.setValue(0);
    progress_.setRange(clampToInt(low), clampToInt(std::max(low, high)));
    progress_.setValue(clampToInt(low));
  });
}

bool GuiNotifier::worthShowing(int64_t position) {
  const int64_t step = std::max<int64_t>(1, (high_ - low_) / 200);
  const auto now = std::chrono::steady_clock::now();
  if (position != high_ && position - shown_ < step && position >= shown_ && now - shownAt_ < kProgressInterval) {
    return false;
  }
  shown_ = position;
  shownAt_ = now;
  return true;
}

void GuiNotifier::progressPos(int64_t position) {
  if (!worthShowing(position)) return;
  onWindowThread(&window_, [&] { progress_.setValue(clampToInt(position)); });
}

void GuiNotifier::statusText(std::string_view text) {
  const QString shown = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
  onWindowThread(&window_, [&] { panel_.setStatusText(shown); });
}

void GuiNotifier::failure(std::string_view text) {
  const QString shown = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
  onWindowThread(&window_, [&] {
    progress_.setValue(progress_.minimum());
    panel_.setStatusText(QString());
    showBox(&window_, shown, BoxKind::kError);
  });
}

// The log itself hands each new pane row to the window (see the main
// window's log observer), so the line is appended here on the worker.
void GuiNotifier::logLine(std::string_view text) { state_.log.append(text); }

}  // namespace pellora::ui
