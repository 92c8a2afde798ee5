#include "ui/message_box.h"

#include <QMessageBox>

namespace pellora::ui {

namespace {

BoxAnswerer& installedAnswerer() {
  static BoxAnswerer answerer;
  return answerer;
}

QMessageBox::Icon iconOf(BoxKind kind) {
  switch (kind) {
    case BoxKind::kError: return QMessageBox::Critical;
    case BoxKind::kYesNoQuestion: return QMessageBox::Question;
    default: return QMessageBox::Information;
  }
}

bool isQuestion(BoxKind kind) { return kind == BoxKind::kYesNo || kind == BoxKind::kYesNoQuestion; }

}  // namespace

QString applicationTitle() { return QStringLiteral("Vantorq Pellora v17.0"); }

bool showBox(QWidget* parent, const QString& text, BoxKind kind) {
  if (const BoxAnswerer& answerer = installedAnswerer()) return answerer(text, kind);
  const auto buttons = isQuestion(kind) ? (QMessageBox::Yes | QMessageBox::No) : QMessageBox::Ok;
  QMessageBox box(iconOf(kind), applicationTitle(), text, buttons, parent);
  if (isQuestion(kind)) box.setDefaultButton(QMessageBox::No);
  const int answer = box.exec();
  return !isQuestion(kind) || answer == QMessageBox::Yes;
}

void setBoxAnswerer(BoxAnswerer answerer) { installedAnswerer() = std::move(answerer); }

}  // namespace pellora::ui
