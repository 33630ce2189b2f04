#include "windows/design/background_work.h"

#include <QCoreApplication>
#include <QEvent>
#include <utility>

namespace strevo {
namespace {

// A worker's outcome on its way to the window's thread.
class DeliveryEvent : public QEvent {
 public:
  DeliveryEvent(std::shared_ptr<Cancellation> token, BackgroundWork::Delivery delivery)
      : QEvent(Kind()), token(std::move(token)), delivery(std::move(delivery)) {}
  static QEvent::Type Kind() {
    static const auto kind = static_cast<QEvent::Type>(QEvent::registerEventType());
    return kind;
  }

  std::shared_ptr<Cancellation> token;
  BackgroundWork::Delivery delivery;
};

}  // namespace

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
    QCoreApplication::postEvent(this, new DeliveryEvent(token, std::move(delivery)));
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

bool BackgroundWork::event(QEvent* event) {
  if (event->type() != DeliveryEvent::Kind()) {
    return QObject::event(event);
  }
  const auto* delivered = static_cast<DeliveryEvent*>(event);
  Deliver(delivered->token, delivered->delivery);
  return true;
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
