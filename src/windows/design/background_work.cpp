#include "background_work.h"

#include <utility>

namespace strevo {

BackgroundWork::BackgroundWork(QObject* parent) : QObject(parent) {
  // A cancelled computation may still run for a step while the next one starts.
  pool_.setMaxThreadCount(2);
  poll_.setInterval(100);
  connect(&poll_, &QTimer::timeout, this, [this] {
    if (token_) {
      emit Progressed(token_->Done(), token_->Total());
    }
  });
}

BackgroundWork::~BackgroundWork() {
  if (token_) {
    token_->Cancel();
  }
  pool_.waitForDone();
}

void BackgroundWork::Start(Work work, Failed failed) {
  const bool wasRunning = IsRunning();
  if (token_) {
    token_->Cancel();
  }
  auto token = std::make_shared<Cancellation>();
  token_ = token;
  pool_.start([this, token, work = std::move(work), failed = std::move(failed)] {
    Delivery delivery;
    try {
      delivery = work(*token);
    } catch (const Cancelled&) {
      return;  // whoever cancelled it has moved on
    } catch (...) {
      delivery = [failed, fault = std::current_exception()] { failed(fault); };
    }
    // This object outlives its workers: its destructor waits for them.
    QMetaObject::invokeMethod(
        this, [this, token, delivery = std::move(delivery)] { Deliver(token, delivery); },
        Qt::QueuedConnection);
  });
  emit Progressed(0, 0);
  poll_.start();
  if (!wasRunning) {
    emit RunningChanged(true);
  }
}

void BackgroundWork::Cancel() {
  if (!token_) {
    return;
  }
  token_->Cancel();
  token_.reset();
  poll_.stop();
  emit RunningChanged(false);
}

void BackgroundWork::Deliver(const std::shared_ptr<Cancellation>& token, const Delivery& delivery) {
  if (token != token_ || token->IsCancelled()) {
    return;  // a newer one runs, or none is wanted
  }
  token_.reset();
  poll_.stop();
  emit RunningChanged(false);
  delivery();
}

}  // namespace strevo
