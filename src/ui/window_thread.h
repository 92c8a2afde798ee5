// The engine reports from its worker thread; every window change must happen
// on the window thread, and the worker must wait until it has: the engine's
// models are read there while the worker stands still, so no lock is needed.
#pragma once

#include <utility>

#include <QMetaObject>
#include <QObject>
#include <QThread>

namespace pellora::ui {

// Runs `change` on the thread of `window` and returns when it has run. On the
// window thread itself it runs at once (a queued call would wait for itself).
template <typename Change>
void onWindowThread(QObject* window, Change&& change) {
  if (QThread::currentThread() == window->thread()) {
    change();
    return;
  }
  QMetaObject::invokeMethod(window, std::forward<Change>(change), Qt::BlockingQueuedConnection);
}

}  // namespace pellora::ui
