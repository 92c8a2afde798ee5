#include "ui/splash_window.h"

#include <QBitmap>
#include <QGuiApplication>
#include <QPainter>
#include <QPropertyAnimation>
#include <QScreen>
#include <QTimer>

#include "ui/artwork.h"

namespace pellora::ui {

namespace {

constexpr int kTextPixelHeight = 25;

// Other platforms (Wayland, the screenless one of the tests) cannot set a
// window's opacity and say so on every attempt; there the window just shows.
bool platformFades() {
  const QString platform = QGuiApplication::platformName();
  return platform == "xcb" || platform == "windows" || platform == "cocoa";
}

}  // namespace

SplashWindow::SplashWindow(QWidget* owner)
    : QWidget(owner,
              Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::WindowDoesNotAcceptFocus),
      picture_(splashPixmap()),
      fade_(new QPropertyAnimation(this, "fade", this)) {
  setAttribute(Qt::WA_ShowWithoutActivating);
  setAttribute(Qt::WA_DeleteOnClose);
  setFocusPolicy(Qt::NoFocus);
  setFixedSize(picture_.size());
  connect(fade_, &QPropertyAnimation::finished, this, &SplashWindow::fadeFinished);
  setMask(picture_.createMaskFromColor(QColor(255, 0, 255), Qt::MaskInColor));
  centreOnScreen();
}

void SplashWindow::setText(const QString& text) {
  text_ = text;
  update();
}

void SplashWindow::showFor(int milliseconds) {
  centreOnScreen();
  setFade(0.0);
  show();
  displayMilliseconds_ = milliseconds;
  fadeTo(1.0, kFadeInMilliseconds);
}

// The display time counts from the moment the picture is fully there.
void SplashWindow::fadeFinished() {
  if (fade_->endValue().toReal() > 0.0) {
    QTimer::singleShot(displayMilliseconds_, this, [this] { fadeTo(0.0, kFadeOutMilliseconds); });
  } else {
    close();
  }
}

void SplashWindow::setFade(qreal level) {
  fadeLevel_ = level;
  if (platformFades()) setWindowOpacity(level);
}

void SplashWindow::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.drawPixmap(0, 0, picture_);
  QFont font = QGuiApplication::font();
  font.setPixelSize(kTextPixelHeight);
  painter.setFont(font);
  painter.setPen(Qt::black);
  painter.drawText(rect(), Qt::AlignCenter | Qt::TextSingleLine, text_);
}

void SplashWindow::fadeTo(qreal opacity, int milliseconds) {
  fade_->stop();
  fade_->setDuration(milliseconds);
  fade_->setStartValue(fadeLevel_);
  fade_->setEndValue(opacity);
  fade_->start();
}

void SplashWindow::centreOnScreen() {
  QScreen* screen = parentWidget() ? parentWidget()->screen() : QGuiApplication::primaryScreen();
  if (!screen) return;
  QRect frame = rect();
  frame.moveCenter(screen->geometry().center());
  move(frame.topLeft());
}

}  // namespace pellora::ui
