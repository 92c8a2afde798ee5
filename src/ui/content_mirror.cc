#include "ui/content_mirror.h"

#include <algorithm>

#include <QLabel>
#include <QPushButton>

#include "ui/window_thread.h"

namespace pellora::ui {

namespace {

constexpr size_t kRowBatch = 250;
constexpr auto kRowBatchInterval = std::chrono::milliseconds(100);

QStringList toStringList(const std::vector<std::string>& texts) {
  QStringList list;
  list.reserve(static_cast<qsizetype>(texts.size()));
  for (const std::string& text : texts) list << QString::fromStdString(text);
  return list;
}

}  // namespace

ContentMirror::ContentMirror(ContentModel& model, ContentPanel& panel, CaptionSink caption)
    : model_(model), panel_(panel), caption_(std::move(caption)) {
  model_.observer = this;
  model_.records.observer = this;
}

ContentMirror::~ContentMirror() {
  if (model_.observer == this) model_.observer = nullptr;
  if (model_.records.observer == this) model_.records.observer = nullptr;
}

template <typename Change>
void ContentMirror::apply(Change&& change) {
  flushRows();
  onWindowThread(&panel_, std::forward<Change>(change));
}

void ContentMirror::flushRows() {
  if (pendingRows_ == 0) return;
  const size_t first = firstPendingRow_;
  const size_t end = std::min(first + pendingRows_, model_.records.rows.size());
  pendingRows_ = 0;
  lastFlush_ = std::chrono::steady_clock::now();
  onWindowThread(&panel_, [this, first, end] {
    for (size_t i = first; i < end; ++i) panel_.records().appendRow(toStringList(model_.records.rows[i]));
  });
}

void ContentMirror::statusTextChanged() {
  apply([this] { panel_.setStatusText(QString::fromStdString(model_.statusText)); });
}

void ContentMirror::captionChanged() {
  apply([this] { caption_(QString::fromStdString(model_.caption)); });
}

void ContentMirror::panelChanged() {
  apply([this] { panel_.showRecords(model_.recordsShown); });
}

void ContentMirror::columnsChanged() {
  apply([this] { panel_.setColumns(toStringList(model_.records.columns)); });
}

void ContentMirror::rowsCleared() {
  pendingRows_ = 0;
  apply([this] { panel_.records().clearRows(); });
}

void ContentMirror::rowAdded(size_t index) {
  if (pendingRows_ == 0) firstPendingRow_ = index;
  if (index != firstPendingRow_ + pendingRows_) {
    flushRows();
    firstPendingRow_ = index;
  }
  ++pendingRows_;
  if (pendingRows_ >= kRowBatch || std::chrono::steady_clock::now() - lastFlush_ >= kRowBatchInterval) flushRows();
}

void ContentMirror::rowRemoved(size_t index) {
  // A row taken back before it crossed (a blank row) never reaches the window.
  if (pendingRows_ > 0 && index == firstPendingRow_ + pendingRows_ - 1) {
    --pendingRows_;
    return;
  }
  apply([this] { panel_.records().removeLastRow(); });
}

void ContentMirror::labelsChanged() {
  apply([this] {
    const RecordListModel& records = model_.records;
    panel_.pageLabel().setText(QString::fromStdString(records.pageLabel));
    panel_.previousButton().setEnabled(records.previousEnabled);
    panel_.nextButton().setEnabled(records.nextEnabled);
    if (records.caption != recordsCaption_) {
      recordsCaption_ = records.caption;
      if (!recordsCaption_.empty()) caption_(QString::fromStdString(recordsCaption_));
    }
  });
}

}  // namespace pellora::ui
