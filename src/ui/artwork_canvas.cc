#include "ui/artwork_canvas.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace pellora::ui::art {

QPixmap paintSquare(int size, const Drawing& draw) {
  QPixmap pixmap(size, size);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.scale(size / 32.0, size / 32.0);
  draw(painter);
  return pixmap;
}

QIcon iconOf(const Drawing& draw, std::initializer_list<int> sizes) {
  QIcon icon;
  for (int size : sizes) icon.addPixmap(paintSquare(size, draw));
  return icon;
}

void paintCylinder(QPainter& painter, const QRectF& box, QColor body, QColor rim) {
  const qreal lid = box.height() * 0.24;
  QRectF top(box.left(), box.top(), box.width(), lid);
  QRectF bottom(box.left(), box.bottom() - lid, box.width(), lid);
  QPainterPath shape;
  shape.moveTo(top.topLeft() + QPointF(0, lid / 2));
  shape.lineTo(bottom.topLeft() + QPointF(0, lid / 2));
  shape.arcTo(bottom, 180, 180);
  shape.lineTo(top.topRight() + QPointF(0, lid / 2));
  shape.closeSubpath();
  QLinearGradient shade(box.topLeft(), box.topRight());
  shade.setColorAt(0, body.lighter(115));
  shade.setColorAt(1, body.darker(115));
  painter.setPen(Qt::NoPen);
  painter.setBrush(shade);
  painter.drawPath(shape);
  // A band across the middle suggests stacked platters.
  QPen band(rim, box.width() * 0.05);
  painter.setPen(band);
  painter.setBrush(Qt::NoBrush);
  painter.drawArc(top.translated(0, box.height() * 0.36), 180 * 16, 180 * 16);
  painter.setPen(Qt::NoPen);
  painter.setBrush(rim);
  painter.drawEllipse(top);
}

void paintProductMark(QPainter& painter, const QRectF& box) {
  const QRectF drum =
      box.adjusted(box.width() * 0.28, box.height() * 0.22, -box.width() * 0.28, -box.height() * 0.22);
  paintCylinder(painter, drum, QColor(kBlue), QColor(kSky));
  QPen ring(QColor(kTeal), box.width() * 0.08, Qt::SolidLine, Qt::RoundCap);
  painter.setPen(ring);
  painter.setBrush(Qt::NoBrush);
  const QRectF orbit =
      box.adjusted(box.width() * 0.08, box.height() * 0.08, -box.width() * 0.08, -box.height() * 0.08);
  painter.drawArc(orbit, 120 * 16, 280 * 16);
  // Arrow head at the open end of the ring, pointing along it.
  const qreal s = box.width();
  QPainterPath head;
  const QPointF tip(orbit.center().x() - orbit.width() * 0.25, orbit.top() + orbit.height() * 0.07);
  head.moveTo(tip + QPointF(-0.02 * s, -0.14 * s));
  head.lineTo(tip + QPointF(0.12 * s, 0.04 * s));
  head.lineTo(tip + QPointF(-0.10 * s, 0.10 * s));
  head.closeSubpath();
  painter.setPen(Qt::NoPen);
  painter.setBrush(QColor(kTeal));
  painter.drawPath(head);
}

void paintInfoSign(QPainter& painter, const QRectF& box) {
  painter.setPen(Qt::NoPen);
  painter.setBrush(QColor(kBlue));
  painter.drawEllipse(box);
  const qreal w = box.width();
  painter.setBrush(QColor(kPaper));
  painter.drawEllipse(QPointF(box.center().x(), box.top() + w * 0.28), w * 0.08, w * 0.08);
  painter.drawRoundedRect(QRectF(box.center().x() - w * 0.075, box.top() + w * 0.42, w * 0.15, w * 0.36),
                          w * 0.04, w * 0.04);
}

}  // namespace pellora::ui::art
