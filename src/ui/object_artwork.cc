// The pictures of the object tree: the database, its groups, tables, columns,
// keys and programmability objects.
#include <QPainter>
#include <QPainterPath>

#include "ui/artwork.h"
#include "ui/artwork_canvas.h"

namespace pellora::ui {

namespace {

using namespace art;

void drawDatabase(QPainter& p) { paintCylinder(p, QRectF(5, 2, 22, 28), QColor(kBlue), QColor(kSky)); }

void drawGroup(QPainter& p) {
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(kAmber));
  QPainterPath tab;
  tab.moveTo(2, 7);
  tab.lineTo(12, 7);
  tab.lineTo(15, 10);
  tab.lineTo(30, 10);
  tab.lineTo(30, 27);
  tab.lineTo(2, 27);
  tab.closeSubpath();
  p.drawPath(tab);
  p.setBrush(QColor(kSand));
  p.drawRoundedRect(QRectF(2, 13, 28, 14), 1.5, 1.5);
}

// A sheet of three columns under a coloured header row; `marked` (when not
// negative) is the column drawn highlighted.
void drawGrid(QPainter& p, int marked) {
  const QRectF sheet(3, 5, 26, 22);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(kPaper));
  p.drawRect(sheet);
  p.setBrush(QColor(kBlue));
  p.drawRect(QRectF(sheet.left(), sheet.top(), sheet.width(), 6));
  const qreal cell = sheet.width() / 3;
  if (marked >= 0) {
    p.setBrush(QColor(kSand));
    p.drawRect(QRectF(sheet.left() + marked * cell, sheet.top() + 6, cell, sheet.height() - 6));
  }
  p.setPen(QPen(QColor(kSlate), 1.3));
  p.setBrush(Qt::NoBrush);
  p.drawRect(sheet);
  for (int i = 1; i < 3; ++i)
    p.drawLine(QPointF(sheet.left() + i * cell, sheet.top() + 6),
               QPointF(sheet.left() + i * cell, sheet.bottom()));
  for (qreal y = sheet.top() + 6; y < sheet.bottom(); y += 5.33)
    p.drawLine(QPointF(sheet.left(), y), QPointF(sheet.right(), y));
}

void drawKey(QPainter& p) {
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(kAmber));
  p.drawEllipse(QRectF(2, 6, 14, 14));
  p.drawRect(QRectF(13, 11, 16, 4.5));
  p.drawRect(QRectF(22, 15, 3.5, 6));
  p.drawRect(QRectF(26, 15, 3, 4));
  p.setBrush(QColor(kPaper));
  p.drawEllipse(QRectF(5.5, 9.5, 5, 5));
}

void drawProgram(QPainter& p) {
  QPainterPath page;
  page.moveTo(6, 2);
  page.lineTo(20, 2);
  page.lineTo(27, 9);
  page.lineTo(27, 30);
  page.lineTo(6, 30);
  page.closeSubpath();
  p.setPen(QPen(QColor(kSlate), 1.3));
  p.setBrush(QColor(kPaper));
  p.drawPath(page);
  // Angle brackets: source text of a stored program.
  QPen code(QColor(kGreen), 2.4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
  p.setPen(code);
  p.drawPolyline(QPolygonF({QPointF(14, 13), QPointF(10, 18), QPointF(14, 23)}));
  p.drawPolyline(QPolygonF({QPointF(19, 13), QPointF(23, 18), QPointF(19, 23)}));
}

Drawing drawingOf(ObjectImage image) {
  switch (image) {
    case ObjectImage::kDatabase:
      return drawDatabase;
    case ObjectImage::kGroup:
      return drawGroup;
    case ObjectImage::kTable:
      return [](QPainter& p) { drawGrid(p, -1); };
    case ObjectImage::kColumn:
      return [](QPainter& p) { drawGrid(p, 1); };
    case ObjectImage::kKey:
      return drawKey;
    case ObjectImage::kProgram:
      return drawProgram;
  }
  return drawDatabase;
}

}  // namespace

QIcon objectTreeIcon(ObjectImage image) { return iconOf(drawingOf(image), {16}); }

}  // namespace pellora::ui
