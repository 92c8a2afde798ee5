// The about box: the product banner, the title with the version, links to
// the maker's web site and mail boxes, a notice, and OK. It can be dragged by
// any point, not only by its caption.
#pragma once

#include <QDialog>
#include <QPoint>

class QBoxLayout;

namespace pellora::ui {

class AboutBox : public QDialog {
  Q_OBJECT

 public:
  explicit AboutBox(QWidget* parent = nullptr);

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  void addLinks(QBoxLayout* layout);

  bool dragging_ = false;
  // Where the press grabbed the window, from its top left corner.
  QPoint grab_;
};

}  // namespace pellora::ui
