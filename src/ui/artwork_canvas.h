// The shared ground of the painted pictures: the product's colours, a canvas
// that lets one drawing serve every pixel size, and the few shapes that
// several pictures reuse (the product mark, the information sign).
#pragma once

#include <functional>
#include <initializer_list>

#include <QColor>
#include <QIcon>
#include <QPixmap>
#include <QRectF>

class QPainter;

namespace pellora::ui::art {

inline constexpr QRgb kNavy = 0xFF1E3A8A;
inline constexpr QRgb kBlue = 0xFF2563EB;
inline constexpr QRgb kSky = 0xFF60A5FA;
inline constexpr QRgb kMist = 0xFFEFF6FF;
inline constexpr QRgb kTeal = 0xFF14B8A6;
inline constexpr QRgb kAmber = 0xFFF59E0B;
inline constexpr QRgb kSand = 0xFFFCD34D;
inline constexpr QRgb kRed = 0xFFDC2626;
inline constexpr QRgb kGreen = 0xFF16A34A;
inline constexpr QRgb kInk = 0xFF1F2937;
inline constexpr QRgb kSlate = 0xFF64748B;
inline constexpr QRgb kPaper = 0xFFFFFFFF;
// The colour the splash window's mask leaves out.
inline constexpr QRgb kMaskOut = 0xFFFF00FF;

// Draws on a 32×32 coordinate grid, whatever the pixel size.
using Drawing = std::function<void(QPainter&)>;

// A transparent square pixmap of `size` pixels with `draw` scaled onto it.
QPixmap paintSquare(int size, const Drawing& draw);

// One icon holding the drawing at each of `sizes`.
QIcon iconOf(const Drawing& draw, std::initializer_list<int> sizes);

// A database cylinder inside `box`.
void paintCylinder(QPainter& painter, const QRectF& box, QColor body, QColor rim);

// The product mark: a cylinder ringed by a recovery arrow.
void paintProductMark(QPainter& painter, const QRectF& box);

// A round blue sign with a white "i".
void paintInfoSign(QPainter& painter, const QRectF& box);

}  // namespace pellora::ui::art
