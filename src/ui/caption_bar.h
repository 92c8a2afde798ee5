// The bar under the command bar that tells the user what to do next or what
// the program is working on: an information sign and one line of text.
#pragma once

#include <QFrame>

class QLabel;

namespace pellora::ui {

class CaptionBar : public QFrame {
  Q_OBJECT

 public:
  explicit CaptionBar(QWidget* parent = nullptr);

  void setText(const QString& text);
  QString text() const;

 private:
  QLabel* text_;
};

}  // namespace pellora::ui
