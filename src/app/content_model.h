// The content panel and the caption bar as plain data: the record list, the
// status text area (definitions and statements), which of the two shows,
// and the caption. The engine fills it; a front end renders it.
#pragma once

#include <string>

#include "catalog/record_list_model.h"

namespace pellora {

class ContentObserver {
 public:
  virtual ~ContentObserver() = default;
  virtual void statusTextChanged() {}
  virtual void captionChanged() {}
  virtual void panelChanged() {}
};

struct ContentModel {
  RecordListModel records;
  std::string statusText;
  std::string caption;
  // The record list shows; otherwise the status text area.
  bool recordsShown = false;
  ContentObserver* observer = nullptr;

  void setStatusText(std::string text) {
    statusText = std::move(text);
    if (observer) observer->statusTextChanged();
  }
  void setCaption(std::string text) {
    caption = std::move(text);
    if (observer) observer->captionChanged();
  }
  void showRecords(bool shown) {
    recordsShown = shown;
    if (observer) observer->panelChanged();
  }
};

}  // namespace pellora
