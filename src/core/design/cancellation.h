// Lets the thread that started a long computation (a design, a section search) stop it and see
// how far it got. The computation looks at the token once a step and throws Cancelled when
// asked to stop; the token costs one atomic read a step.
#pragma once

#include <atomic>
#include <cstddef>
#include <exception>

namespace strevo {

// Thrown by a computation whose token was cancelled; it leaves nothing half done behind.
class Cancelled : public std::exception {
 public:
  const char* what() const noexcept override { return "abgebrochen"; }
};

class Cancellation {
 public:
  Cancellation() = default;
  // A token for a part of a longer computation: cancelled with `whole`, its steps not counted
  // there, so that the part does not reset the whole's progress.
  explicit Cancellation(const Cancellation* whole) : whole_(whole) {}
  Cancellation(const Cancellation&) = delete;
  Cancellation& operator=(const Cancellation&) = delete;
  Cancellation(Cancellation&&) = delete;
  Cancellation& operator=(Cancellation&&) = delete;
  ~Cancellation() = default;

  // From any thread.
  void Cancel() noexcept { cancelled_.store(true, std::memory_order_relaxed); }
  bool IsCancelled() const noexcept {
    return cancelled_.load(std::memory_order_relaxed) ||
           (whole_ != nullptr && whole_->IsCancelled());
  }
  std::size_t Done() const noexcept { return done_.load(std::memory_order_relaxed); }
  std::size_t Total() const noexcept { return total_.load(std::memory_order_relaxed); }

  // By the computation: the steps it will take, then each one as it starts.
  void Begin(std::size_t total) noexcept {
    done_.store(0, std::memory_order_relaxed);
    total_.store(total, std::memory_order_relaxed);
  }
  void Step() {
    Check();
    done_.fetch_add(1, std::memory_order_relaxed);
  }
  void Check() const {
    if (IsCancelled()) {
      throw Cancelled();
    }
  }

 private:
  const Cancellation* whole_ = nullptr;
  std::atomic<bool> cancelled_{false};
  std::atomic<std::size_t> done_{0}, total_{0};
};

}  // namespace strevo
