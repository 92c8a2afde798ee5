// The centre of the main window: the record list, the status text area
// (definitions, statements, stage texts), the page label and the Previous
// and Next buttons. Only one of the list and the text area shows at a time.
#pragma once

#include <QWidget>

#include "ui/record_table.h"

class QLabel;
class QPlainTextEdit;
class QPushButton;
class QTableView;

namespace pellora::ui {

class ContentPanel : public QWidget {
  Q_OBJECT

 public:
  explicit ContentPanel(QWidget* parent = nullptr);

  RecordTable& records() { return records_; }
  QTableView& recordView() { return *recordView_; }
  QPlainTextEdit& statusArea() { return *statusArea_; }
  QLabel& pageLabel() { return *pageLabel_; }
  QPushButton& previousButton() { return *previous_; }
  QPushButton& nextButton() { return *next_; }

  // Completed Database Recovery pages through tables under the list; the
  // document listing uses the whole panel.
  void setPaging(bool shown);
  void showRecords(bool shown);
  bool recordsShown() const;
  void setStatusText(const QString& text);
  void setColumns(const QStringList& columns);

 Q_SIGNALS:
  void previousPressed();
  void nextPressed();

 private:
  RecordTable records_;
  QTableView* recordView_;
  QPlainTextEdit* statusArea_;
  QWidget* pagingRow_;
  QLabel* pageLabel_;
  QPushButton* previous_;
  QPushButton* next_;
  bool paging_ = true;
};

}  // namespace pellora::ui
