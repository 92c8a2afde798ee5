// What a table listing shows, kept as plain data that the engine fills and a
// front end renders: the column headings, the rows of the screen, the page
// label, the caption and the state of the Previous and Next buttons. Every
// change is also reported to the observer, so a window can follow it live.
#pragma once

#include <string>
#include <vector>

namespace pellora {

class RecordListObserver {
 public:
  virtual ~RecordListObserver() = default;
  virtual void columnsChanged() {}
  // Rows were cleared; rows added afterwards are reported one by one.
  virtual void rowsCleared() {}
  virtual void rowAdded(size_t index) { (void)index; }
  virtual void rowRemoved(size_t index) { (void)index; }
  virtual void labelsChanged() {}
};

struct RecordListModel {
  std::vector<std::string> columns;
  std::vector<std::vector<std::string>> rows;
  std::string pageLabel;
  std::string caption;
  bool previousEnabled = false;
  bool nextEnabled = false;
  RecordListObserver* observer = nullptr;

  void setColumns(std::vector<std::string> names);
  void clearRows();
  void addRow(std::vector<std::string> row);
  void removeLastRow();
  void setLabels(std::string label, std::string newCaption);
  void setButtons(bool previous, bool next);
};

}  // namespace pellora
