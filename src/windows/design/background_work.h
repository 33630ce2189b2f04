// One long computation at a time off the window's thread: starting another cancels the one
// running, and only the newest one's end comes back, on the window's thread. Its progress is
// read from the computation's token a few times a second.
#pragma once

#include <QObject>
#include <QThreadPool>
#include <QTimer>
#include <cstddef>
#include <exception>
#include <functional>
#include <memory>

#include "core/design/cancellation.h"

namespace strevo {

class BackgroundWork : public QObject {
  Q_OBJECT
  Q_DISABLE_COPY_MOVE(BackgroundWork)

 public:
  // What the window does with a computation's outcome, on its own thread.
  using Delivery = std::function<void()>;
  // Runs on a worker thread; returns how to show what it found.
  using Work = std::function<Delivery(Cancellation&)>;
  // A fault other than a cancellation, on the window's thread.
  using Failed = std::function<void(std::exception_ptr)>;

  explicit BackgroundWork(QObject* parent);
  ~BackgroundWork() override;  // cancels, and waits for the workers still running

  // Cancels the one running, if any, and starts this one.
  void Start(Work work, Failed failed);
  // The one running stops at its next step; its outcome never comes back.
  void Cancel();
  bool IsRunning() const { return token_ != nullptr; }
  // Wait for what still runs, cancelled or not (at the end of a test or the program).
  void WaitForWorkers() { pool_.waitForDone(); }

 signals:
  void RunningChanged(bool running);
  // Steps done of all; total 0 while the computation does not know yet.
  void Progressed(std::size_t done, std::size_t total);

 protected:
  bool event(QEvent* event) override;  // a worker's outcome

 private:
  void Deliver(const std::shared_ptr<Cancellation>& token, const Delivery& delivery);

  QThreadPool pool_;
  QTimer poll_;
  std::shared_ptr<Cancellation> token_;  // the running one's; none while idle
};

}  // namespace strevo
