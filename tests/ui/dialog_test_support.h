// Helpers of the dialog tests: named controls, files to point a dialog at,
// and a recorder that answers every message box.
#pragma once

#include <QFile>
#include <QStringList>
#include <QWidget>

#include "ui/message_box.h"

namespace pellora::ui::testing {

// The child of `window` named `name`; a missing one ends the test program,
// as every later step would dereference it.
template <typename T>
T* part(const QWidget& window, const char* name) {
  T* found = window.findChild<T*>(QString::fromLatin1(name));
  if (!found) qFatal("no control named %s", name);
  return found;
}

inline void touch(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly)) qFatal("cannot create %s", qPrintable(path));
}

// Collects the text of every box shown while it lives; each is answered Yes.
class BoxRecorder {
 public:
  BoxRecorder() {
    setBoxAnswerer([this](const QString& text, BoxKind) {
      texts_ << text;
      return true;
    });
  }
  ~BoxRecorder() { setBoxAnswerer({}); }
  BoxRecorder(const BoxRecorder&) = delete;
  BoxRecorder& operator=(const BoxRecorder&) = delete;

  const QStringList& texts() const { return texts_; }

 private:
  QStringList texts_;
};

}  // namespace pellora::ui::testing
