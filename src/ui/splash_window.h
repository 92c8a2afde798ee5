#pragma once
#include <QWidget>
namespace pellora::ui {
class SplashWindow : public QWidget { public:
  static constexpr int kDisplayMilliseconds = 2000;
  explicit SplashWindow(QWidget* owner = nullptr) : QWidget(owner) {}
  void setText(const QString&) {}
  void showFor(int) { deleteLater(); } };
}
