// The two product pictures: the splash picture and the about box banner.
#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include "ui/artwork.h"
#include "ui/artwork_canvas.h"

namespace pellora::ui {

namespace {

using namespace art;

constexpr int kSplashWidth = 500;
constexpr int kSplashHeight = 280;
constexpr qreal kSplashCornerRadius = 18;

QFont wordingFont(int pixelSize, QFont::Weight weight) {
  QFont font(QStringLiteral("Arial"));
  font.setStyleHint(QFont::SansSerif);
  font.setPixelSize(pixelSize);
  font.setWeight(weight);
  return font;
}

void paintBrandBand(QPainter& p, const QRectF& band) {
  QLinearGradient fill(band.topLeft(), band.bottomRight());
  fill.setColorAt(0, QColor(kNavy));
  fill.setColorAt(1, QColor(kBlue));
  p.fillRect(band, fill);
}

// The maker's word light, the product's name bold, side by side from `at`.
void paintWording(QPainter& p, QPointF at, int pixelSize) {
  const QString maker = QStringLiteral("Vantorq ");
  const QFont light = wordingFont(pixelSize, QFont::Normal);
  p.setFont(light);
  p.setPen(QColor(kMist));
  p.drawText(at, maker);
  at.rx() += QFontMetricsF(light).horizontalAdvance(maker);
  p.setFont(wordingFont(pixelSize, QFont::Bold));
  p.setPen(QColor(kPaper));
  p.drawText(at, QStringLiteral("Pellora"));
}

// Soft waves along the foot of the picture.
void paintWaves(QPainter& p, const QRectF& area) {
  for (int i = 0; i < 3; ++i) {
    QPainterPath wave;
    const qreal y = area.top() + i * area.height() / 4;
    wave.moveTo(area.left(), y + 20);
    wave.cubicTo(area.left() + area.width() * 0.3, y - 10, area.left() + area.width() * 0.6, y + 40,
                 area.right(), y + 8);
    wave.lineTo(area.bottomRight());
    wave.lineTo(area.bottomLeft());
    wave.closeSubpath();
    QColor tint(i == 2 ? kBlue : kSky);
    tint.setAlpha(50 + 40 * i);
    p.setPen(Qt::NoPen);
    p.setBrush(tint);
    p.drawPath(wave);
  }
}

// Everything outside the rounded outline becomes the mask colour, drawn
// without smoothing so that no edge pixel is a blend of it.
void cutCorners(QPixmap& picture, qreal radius) {
  QPainter p(&picture);
  p.setRenderHint(QPainter::Antialiasing, false);
  QPainterPath outside;
  outside.addRect(picture.rect());
  QPainterPath rounded;
  rounded.addRoundedRect(QRectF(picture.rect()), radius, radius);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(kMaskOut));
  p.drawPath(outside.subtracted(rounded));
}

}  // namespace

QPixmap splashPixmap() {
  QPixmap picture(kSplashWidth, kSplashHeight);
  picture.fill(QColor(kMist));
  QPainter p(&picture);
  p.setRenderHint(QPainter::Antialiasing);
  p.setRenderHint(QPainter::TextAntialiasing);
  paintBrandBand(p, QRectF(0, 0, kSplashWidth, 112));
  paintProductMark(p, QRectF(28, 16, 80, 80));
  paintWording(p, QPointF(124, 72), 40);
  // The band in the middle stays light: the window writes the version there.
  p.fillRect(QRectF(0, 112, kSplashWidth, 56), QColor(kPaper));
  p.fillRect(QRectF(0, 112, kSplashWidth, 3), QColor(kTeal));
  paintWaves(p, QRectF(0, 190, kSplashWidth, 90));
  p.setFont(wordingFont(15, QFont::Normal));
  p.setPen(QColor(kInk));
  p.drawText(QRectF(0, 176, kSplashWidth, 24), Qt::AlignCenter,
             QStringLiteral("Recovery of SQL Server data files and SharePoint content"));
  p.end();
  cutCorners(picture, kSplashCornerRadius);
  return picture;
}

QPixmap aboutBannerPixmap() {
  QPixmap banner(395, 85);
  QPainter p(&banner);
  p.setRenderHint(QPainter::Antialiasing);
  p.setRenderHint(QPainter::TextAntialiasing);
  paintBrandBand(p, QRectF(banner.rect()));
  p.fillRect(QRectF(0, 82, 395, 3), QColor(kTeal));
  paintProductMark(p, QRectF(14, 10, 64, 64));
  paintWording(p, QPointF(92, 48), 30);
  p.setFont(wordingFont(12, QFont::Normal));
  p.setPen(QColor(kMist));
  p.drawText(QPointF(94, 68), QStringLiteral("SQL Server data file recovery"));
  return banner;
}

}  // namespace pellora::ui
