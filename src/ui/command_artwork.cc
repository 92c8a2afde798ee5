// The command buttons, the paging arrows, the caption bar sign and the
// application icon.
#include <QPainter>
#include <QPainterPath>

#include "ui/artwork.h"
#include "ui/artwork_canvas.h"

namespace pellora::ui {

namespace {

using namespace art;

void drawOpen(QPainter& p) {
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(kAmber));
  QPainterPath back;
  back.moveTo(3, 8);
  back.lineTo(12, 8);
  back.lineTo(15, 11);
  back.lineTo(27, 11);
  back.lineTo(27, 26);
  back.lineTo(3, 26);
  back.closeSubpath();
  p.drawPath(back);
  p.setBrush(QColor(kSand));
  QPainterPath flap;
  flap.moveTo(7, 15);
  flap.lineTo(30, 15);
  flap.lineTo(26, 26);
  flap.lineTo(3, 26);
  flap.closeSubpath();
  p.drawPath(flap);
  // A small database on the folder says what is being opened.
  paintCylinder(p, QRectF(17, 2, 11, 12), QColor(kBlue), QColor(kSky));
}

void drawStop(QPainter& p) {
  QPainterPath octagon;
  const qreal a = 9.5, b = 22.5, lo = 3, hi = 29;
  octagon.moveTo(a, lo);
  octagon.lineTo(b, lo);
  octagon.lineTo(hi, a);
  octagon.lineTo(hi, b);
  octagon.lineTo(b, hi);
  octagon.lineTo(a, hi);
  octagon.lineTo(lo, b);
  octagon.lineTo(lo, a);
  octagon.closeSubpath();
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(kRed));
  p.drawPath(octagon);
  p.setBrush(QColor(kPaper));
  p.drawRoundedRect(QRectF(11, 11, 10, 10), 1.5, 1.5);
}

void drawSave(QPainter& p) {
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(kBlue));
  QPainterPath disk;
  disk.moveTo(4, 4);
  disk.lineTo(24, 4);
  disk.lineTo(28, 8);
  disk.lineTo(28, 28);
  disk.lineTo(4, 28);
  disk.closeSubpath();
  p.drawPath(disk);
  p.setBrush(QColor(kMist));
  p.drawRect(QRectF(9, 4, 13, 8));
  p.setBrush(QColor(kNavy));
  p.drawRect(QRectF(17, 5.5, 3, 5));
  p.setBrush(QColor(kPaper));
  p.drawRoundedRect(QRectF(8, 16, 16, 10), 1, 1);
  p.setBrush(QColor(kSky));
  p.drawRect(QRectF(10, 19, 12, 1.5));
  p.drawRect(QRectF(10, 22.5, 12, 1.5));
}

void drawHelp(QPainter& p) {
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(kTeal));
  p.drawEllipse(QRectF(2, 2, 28, 28));
  QPainterPath hook;
  hook.moveTo(11, 12.5);
  hook.arcTo(QRectF(11, 7, 10, 10), 180, -270);
  hook.lineTo(16, 19);
  QPen stroke(QColor(kPaper), 3.4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
  p.setPen(stroke);
  p.setBrush(Qt::NoBrush);
  p.drawPath(hook);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(kPaper));
  p.drawEllipse(QPointF(16, 24), 2, 2);
}

void drawAbout(QPainter& p) { paintInfoSign(p, QRectF(2, 2, 28, 28)); }

void drawArrow(QPainter& p, bool forward) {
  if (!forward) {
    p.translate(32, 0);
    p.scale(-1, 1);
  }
  QPainterPath arrow;
  arrow.moveTo(5, 12);
  arrow.lineTo(16, 12);
  arrow.lineTo(16, 5);
  arrow.lineTo(28, 16);
  arrow.lineTo(16, 27);
  arrow.lineTo(16, 20);
  arrow.lineTo(5, 20);
  arrow.closeSubpath();
  p.setPen(QPen(QColor(kNavy), 1.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.setBrush(QColor(kBlue));
  p.drawPath(arrow);
}

Drawing drawingOf(CommandImage image) {
  switch (image) {
    case CommandImage::kOpen:
      return drawOpen;
    case CommandImage::kStop:
      return drawStop;
    case CommandImage::kSave:
      return drawSave;
    case CommandImage::kHelp:
      return drawHelp;
    case CommandImage::kAbout:
      return drawAbout;
  }
  return drawAbout;
}

}  // namespace

QIcon commandIcon(CommandImage image) { return iconOf(drawingOf(image), {16, 32}); }

QIcon previousRecordsIcon() {
  return iconOf([](QPainter& p) { drawArrow(p, false); }, {16, 20});
}

QIcon nextRecordsIcon() {
  return iconOf([](QPainter& p) { drawArrow(p, true); }, {16, 20});
}

QPixmap captionInfoPixmap() {
  return paintSquare(20, [](QPainter& p) { paintInfoSign(p, QRectF(1, 1, 30, 30)); });
}

QIcon applicationIcon() {
  return iconOf([](QPainter& p) { paintProductMark(p, QRectF(0, 0, 32, 32)); }, {16, 24, 32, 48, 64, 128});
}

}  // namespace pellora::ui
