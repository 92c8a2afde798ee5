#include "ui/worker.h"

#include <QCoreApplication>
#include <QMetaObject>

namespace pellora::ui {

Worker::~Worker() {
  waitUntilIdle();
  if (thread_.joinable()) thread_.join();
}

bool Worker::start(std::function<void()> job, std::function<void()> finished) {
  if (busy_.exchange(true)) return false;
  // The previous thread has posted its end already; it is about to return.
  if (thread_.joinable()) thread_.join();
  thread_ = std::thread([this, job = std::move(job), finished = std::move(finished)]() mutable {
    job();
    QMetaObject::invokeMethod(
        this,
        [this, finished = std::move(finished)] {
          busy_.store(false);
          if (finished) finished();
        },
        Qt::QueuedConnection);
  });
  return true;
}

void Worker::waitUntilIdle() {
  while (busy_.load()) QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
}

}  // namespace pellora::ui
