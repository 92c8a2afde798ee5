// The record list's rows for the list view: a copy of the engine's record
// list model kept on the window thread, so that painting never reads what the
// worker is writing.
#pragma once

#include <vector>

#include <QAbstractTableModel>
#include <QStringList>

namespace pellora::ui {

class RecordTable : public QAbstractTableModel {
  Q_OBJECT

 public:
  using QAbstractTableModel::QAbstractTableModel;

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

  void setColumns(QStringList columns);
  void clearRows();
  void appendRow(QStringList row);
  void removeLastRow();
  const QStringList& columns() const { return columns_; }
  const QStringList& row(int index) const { return rows_[static_cast<size_t>(index)]; }

 private:
  QStringList columns_;
  std::vector<QStringList> rows_;
};

}  // namespace pellora::ui
