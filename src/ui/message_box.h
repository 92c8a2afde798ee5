// Every message box of the desktop program goes through here, so that tests
// can answer them without a person: an installed answerer receives the box
// instead of the screen.
#pragma once

#include <functional>

#include <QString>

class QWidget;

namespace pellora::ui {

enum class BoxKind {
  kInformation,  // OK only
  kError,        // OK only
  kYesNo,        // a question with the information icon
  kYesNoQuestion // a question with the question icon
};

// Answers a box: true for Yes (the value is ignored for OK-only boxes).
using BoxAnswerer = std::function<bool(const QString& text, BoxKind kind)>;

// The application title every box carries as its caption.
QString applicationTitle();

// Shows `text` (modal, owned by `parent`, which may be null) and returns
// whether the user answered Yes; OK-only boxes return true.
bool showBox(QWidget* parent, const QString& text, BoxKind kind = BoxKind::kInformation);

// Routes every later box to `answerer`; an empty one restores the screen.
void setBoxAnswerer(BoxAnswerer answerer);

}  // namespace pellora::ui
