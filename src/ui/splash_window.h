// The product picture shown while the main window is being built: a
// borderless window above all others that never takes the focus, fades in,
// stays for a while, fades out and deletes itself.
#pragma once

#include <QPixmap>
#include <QString>
#include <QWidget>

class QPropertyAnimation;

namespace pellora::ui {

class SplashWindow : public QWidget {
  Q_OBJECT
  // How far the window has faded in, 0 to 1; the window's opacity follows it
  // where the platform can make windows translucent.
  Q_PROPERTY(qreal fade READ fade WRITE setFade)

 public:
  static constexpr int kDisplayMilliseconds = 2000;
  static constexpr int kFadeInMilliseconds = 500;
  static constexpr int kFadeOutMilliseconds = 200;

  // Centred on the screen of `owner` (or the primary screen), above it.
  explicit SplashWindow(QWidget* owner = nullptr);

  // Written in black over the middle of the picture.
  void setText(const QString& text);
  QString text() const { return text_; }

  // Fades in, stays `milliseconds` once fully shown, then fades out and
  // deletes itself.
  void showFor(int milliseconds);

  qreal fade() const { return fadeLevel_; }
  void setFade(qreal level);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  void fadeTo(qreal opacity, int milliseconds);
  void fadeFinished();
  void centreOnScreen();

  QPixmap picture_;
  QString text_;
  qreal fadeLevel_ = 1.0;
  QPropertyAnimation* fade_;
  int displayMilliseconds_ = kDisplayMilliseconds;
};

}  // namespace pellora::ui
