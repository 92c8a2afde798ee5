#include "catalog/record_list_model.h"

namespace pellora {

void RecordListModel::setColumns(std::vector<std::string> names) {
  columns = std::move(names);
  if (observer) observer->columnsChanged();
}

void RecordListModel::clearRows() {
  rows.clear();
  if (observer) observer->rowsCleared();
}

void RecordListModel::addRow(std::vector<std::string> row) {
  rows.push_back(std::move(row));
  if (observer) observer->rowAdded(rows.size() - 1);
}

void RecordListModel::removeLastRow() {
  if (rows.empty()) return;
  rows.pop_back();
  if (observer) observer->rowRemoved(rows.size());
}

void RecordListModel::setLabels(std::string label, std::string newCaption) {
  pageLabel = std::move(label);
  caption = std::move(newCaption);
  if (observer) observer->labelsChanged();
}

void RecordListModel::setButtons(bool previous, bool next) {
  previousEnabled = previous;
  nextEnabled = next;
  if (observer) observer->labelsChanged();
}

}  // namespace pellora
