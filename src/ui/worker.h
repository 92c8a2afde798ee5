// The one worker thread of the desktop program: a run, a click or a save
// works off the window thread, one at a time. The window thread starts jobs
// and learns of their end through a queued call, so it never blocks on one.
#pragma once

#include <atomic>
#include <functional>
#include <thread>

#include <QObject>

namespace pellora::ui {

class Worker : public QObject {
  Q_OBJECT

 public:
  explicit Worker(QObject* parent = nullptr) : QObject(parent) {}
  ~Worker() override;

  // A job runs or its end has not yet been handled on the window thread.
  bool busy() const { return busy_.load(); }

  // Starts `job` on a thread of its own; `finished` then runs on the window
  // thread. False, and nothing starts, while another job is busy.
  bool start(std::function<void()> job, std::function<void()> finished = {});

  // Handles window events until the job has ended (for closing and tests).
  void waitUntilIdle();

 private:
  std::thread thread_;
  std::atomic<bool> busy_{false};
};

}  // namespace pellora::ui
