#include "ui/looks.h"

#include <QApplication>
#include <QPalette>
#include <QSettings>
#include <QStyle>
#include <QStyleFactory>

namespace pellora::ui {

namespace {

constexpr const char* kLookKey = "ApplicationLook";

// The colours that set one look apart from the others.
struct Colours {
  int id;
  QRgb window;
  QRgb button;
  QRgb base;
  QRgb alternateBase;
  QRgb text;
  QRgb highlight;
  QRgb highlightedText;
};

constexpr Colours kColours[] = {
    {210, 0xFFD4D0C8, 0xFFD4D0C8, 0xFFFFFFFF, 0xFFF4F3EF, 0xFF000000, 0xFF0A246A, 0xFFFFFFFF},
    {211, 0xFFF7F6F3, 0xFFEFEDE6, 0xFFFFFFFF, 0xFFF7F6F3, 0xFF000000, 0xFFB6BDD2, 0xFF000000},
    {212, 0xFFECE9D8, 0xFFF4F2E8, 0xFFFFFFFF, 0xFFF6F5EE, 0xFF000000, 0xFF316AC5, 0xFFFFFFFF},
    {213, 0xFFC3DAF9, 0xFFDDECFE, 0xFFFFFFFF, 0xFFEEF5FE, 0xFF000000, 0xFFFFC87A, 0xFF000000},
    {214, 0xFFEDEBE3, 0xFFF5F4EF, 0xFFFFFFFF, 0xFFF5F4EF, 0xFF000000, 0xFFC1D2EE, 0xFF000000},
    {215, 0xFFD6E5F5, 0xFFE4EEFA, 0xFFFFFFFF, 0xFFEEF4FB, 0xFF15428B, 0xFF3C78C8, 0xFFFFFFFF},
    {216, 0xFF353535, 0xFF454545, 0xFF262626, 0xFF303030, 0xFFEAEAEA, 0xFFE8A33D, 0xFF000000},
    {217, 0xFFE2E5EA, 0xFFEDEFF2, 0xFFFFFFFF, 0xFFF3F4F6, 0xFF1F2937, 0xFF7C8BA3, 0xFFFFFFFF},
    {218, 0xFFD3E8EC, 0xFFE2F1F3, 0xFFFFFFFF, 0xFFEEF7F8, 0xFF0F3D47, 0xFF2A9DB5, 0xFFFFFFFF},
};

const Colours* findColours(int id) {
  for (const Colours& colours : kColours) {
    if (colours.id == id) return &colours;
  }
  return nullptr;
}

// Disabled text sits halfway between the text and its ground, so it fades on
// light and dark looks alike.
QColor halfway(QRgb a, QRgb b) {
  return QColor((qRed(a) + qRed(b)) / 2, (qGreen(a) + qGreen(b)) / 2, (qBlue(a) + qBlue(b)) / 2);
}

QPalette paletteOf(const Colours& c) {
  QPalette palette{QColor(c.button), QColor(c.window)};
  palette.setColor(QPalette::Base, QColor(c.base));
  palette.setColor(QPalette::AlternateBase, QColor(c.alternateBase));
  for (QPalette::ColorRole role : {QPalette::Text, QPalette::WindowText, QPalette::ButtonText}) {
    palette.setColor(QPalette::Active, role, QColor(c.text));
    palette.setColor(QPalette::Inactive, role, QColor(c.text));
    palette.setColor(QPalette::Disabled, role, halfway(c.text, c.window));
  }
  palette.setColor(QPalette::Highlight, QColor(c.highlight));
  palette.setColor(QPalette::HighlightedText, QColor(c.highlightedText));
  // Links must stay readable on the dark look as on the light ones.
  const QColor link(qGray(c.window) < 128 ? 0xFF8AB4F8 : 0xFF0B57D0);
  palette.setColor(QPalette::Link, link);
  palette.setColor(QPalette::LinkVisited, link);
  palette.setColor(QPalette::ToolTipBase, QColor(c.button));
  palette.setColor(QPalette::ToolTipText, QColor(c.text));
  return palette;
}

}  // namespace

const std::vector<Look>& applicationLooks() {
  static const std::vector<Look> looks = {
      {210, "Windows 2000"},
      {211, "Office XP"},
      {212, "Windows XP"},
      {213, "Office 2003"},
      {214, "Visual Studio 2005"},
      {215, "Office 2007 (Blue Style)"},
      {216, "Office 2007 (Black Style)"},
      {217, "Office 2007 (Silver Style)"},
      {218, "Office 2007 (Aqua Style)"},
  };
  return looks;
}

bool isApplicationLook(int id) {
  for (const Look& look : applicationLooks()) {
    if (look.id == id) return true;
  }
  return false;
}

int storedLook() {
  bool isNumber = false;
  const int id = QSettings("Vantorq", "Pellora").value(kLookKey, kDefaultLook).toInt(&isNumber);
  return isNumber && isApplicationLook(id) ? id : kDefaultLook;
}

void storeLook(int id) {
  if (isApplicationLook(id)) QSettings("Vantorq", "Pellora").setValue(kLookKey, id);
}

void applyLook(int id) {
  const Colours* found = findColours(id);
  const Colours& colours = found ? *found : *findColours(kDefaultLook);
  // The oldest look keeps the bevelled classic style; the others are flat.
  const char* styleName = colours.id == 210 ? "Windows" : "Fusion";
  QApplication::setStyle(QStyleFactory::create(styleName));
  QApplication::setPalette(paletteOf(colours));
}

}  // namespace pellora::ui
