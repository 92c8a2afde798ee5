// Keeps the content panel and the caption bar in step with the engine's
// content model (record list, status text, caption), applying each change on
// the window thread while the worker that made it waits.
#pragma once

#include <chrono>
#include <functional>

#include <QString>

#include "app/content_model.h"
#include "ui/content_panel.h"

namespace pellora::ui {

class ContentMirror : public ContentObserver, public RecordListObserver {
 public:
  using CaptionSink = std::function<void(const QString&)>;

  ContentMirror(ContentModel& model, ContentPanel& panel, CaptionSink caption);
  ~ContentMirror() override;

  void statusTextChanged() override;
  void captionChanged() override;
  void panelChanged() override;
  void columnsChanged() override;
  void rowsCleared() override;
  void rowAdded(size_t index) override;
  void rowRemoved(size_t index) override;
  void labelsChanged() override;

  // Shows the rows added since the last change that reached the window. The
  // window calls it when a job has ended; changes of any other kind call it
  // first, so the window sees the changes in the order they were made.
  void flushRows();

 private:
  template <typename Change>
  void apply(Change&& change);

  ContentModel& model_;
  ContentPanel& panel_;
  CaptionSink caption_;
  // The record list's own caption ("0 rows to 1000") as last shown: a change
  // of the buttons alone must not put it back over the node's caption.
  std::string recordsCaption_;
  // Rows from this index on are in the model but not yet in the window: they
  // cross in batches, since a screen of a thousand rows crossing one by one
  // would repaint the list a thousand times.
  size_t firstPendingRow_ = 0;
  size_t pendingRows_ = 0;
  std::chrono::steady_clock::time_point lastFlush_{};
};

}  // namespace pellora::ui
