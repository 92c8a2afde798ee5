#include "ui/record_table.h"

namespace pellora::ui {

int RecordTable::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int RecordTable::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(columns_.size());
}

QVariant RecordTable::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::ToolTipRole)) return {};
  const QStringList& cells = rows_[static_cast<size_t>(index.row())];
  // A record may hold fewer cells than the table has columns.
  return index.column() < cells.size() ? cells[index.column()] : QString();
}

QVariant RecordTable::headerData(int section, Qt::Orientation orientation, int role) const {
  if (role != Qt::DisplayRole) return {};
  if (orientation == Qt::Vertical) return section + 1;
  return section < columns_.size() ? columns_[section] : QVariant();
}

void RecordTable::setColumns(QStringList columns) {
  beginResetModel();
  columns_ = std::move(columns);
  rows_.clear();
  endResetModel();
}

void RecordTable::clearRows() {
  if (rows_.empty()) return;
  beginResetModel();
  rows_.clear();
  endResetModel();
}

void RecordTable::appendRow(QStringList row) {
  const int at = static_cast<int>(rows_.size());
  beginInsertRows({}, at, at);
  rows_.push_back(std::move(row));
  endInsertRows();
}

void RecordTable::removeLastRow() {
  if (rows_.empty()) return;
  const int at = static_cast<int>(rows_.size()) - 1;
  beginRemoveRows({}, at, at);
  rows_.pop_back();
  endRemoveRows();
}

}  // namespace pellora::ui
