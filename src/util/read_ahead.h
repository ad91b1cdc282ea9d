#pragma once
// A bounded, ordered read-ahead: helper threads compute the results of the
// items 0, 1, 2, ... a few items ahead of the thread that takes them, and
// that thread takes them strictly in item order. The searches use it for
// the per-mail work that touches nothing shared (reading a mail file,
// splitting it, taking its keys), so that the next mails are read while
// the calling thread handles this one; everything else (progress, the
// abort button, warnings, the result lists) stays on the calling thread.
//
// Bounded: at most `window` results are computed ahead of the one to take
// next, and no new item is begun while the results held weigh more than
// `maxWeight` (the next one to take is always begun, however heavy the
// others are, so a run of huge mails still moves on). The helper threads
// live only as long as the object; stop() or the destructor ends and joins
// them, each after at most the item it is busy with.
//
// The caller is one of the working threads: when the item it takes next is
// not ready, it works on the next one not begun yet instead of waiting. So
// a machine of n cores runs n - 1 helpers. With one thread (or none)
// nothing runs beside the caller: take() computes the item itself.
// Differential tests compare both modes.

#include <algorithm>
#include <condition_variable>
#include <cstddef>
#include <exception>
#include <functional>
#include <mutex>
#include <optional>
#include <thread>
#include <utility>
#include <vector>

namespace gleanix::util {

struct ReadAheadLimits {
  // Threads doing the work, the caller included: 0 for as many as the
  // machine has cores; 1 (or a machine that tells no count) for none beside
  // the caller.
  unsigned threads = 0;
  std::size_t window = 32;                   // results ahead, at most
  std::size_t maxWeight = 16u * 1024 * 1024;  // summed weight() of the results held
};

// The helper threads a read-ahead with these limits starts beside the
// caller (0: the caller does all the work).
unsigned readAheadHelpers(unsigned requested);

template <typename Result>
class ReadAhead {
 public:
  using Work = std::function<Result(std::size_t item)>;
  using Weight = std::function<std::size_t(const Result&)>;

  // count items; work(item) must be safe to run on several threads at once.
  ReadAhead(std::size_t count, Work work, Weight weight, const ReadAheadLimits& limits = {})
      : count_(count),
        work_(std::move(work)),
        weight_(std::move(weight)),
        window_(std::max<std::size_t>(limits.window, 1)),
        maxWeight_(limits.maxWeight),
        helpers_(count > 1 ? readAheadHelpers(limits.threads) : 0),
        slots_(window_) {
    for (unsigned i = 0; i < helpers_; ++i) threads_.emplace_back([this] { help(); });
  }
  ~ReadAhead() { stop(); }
  ReadAhead(const ReadAhead&) = delete;
  ReadAhead& operator=(const ReadAhead&) = delete;

  // The result of the next item in order (there must be one left); an
  // exception the work threw for it is thrown here.
  Result take() {
    const std::size_t item = taken_;
    if (helpers_ == 0) {
      ++taken_;
      return work_(item);
    }
    std::unique_lock<std::mutex> lock(mutex_);
    Slot& slot = slots_[item % window_];
    while (!slot.result && !slot.error) {
      // Rather than sleep until a helper has this one, work on the next
      // item not begun yet: the caller is one of the working threads.
      if (mayBegin()) {
        runNext(lock);
        continue;
      }
      takerWaiting_ = true;
      ready_.wait(lock, [&] { return slot.result.has_value() || slot.error; });
      takerWaiting_ = false;
    }
    ++taken_;
    held_ -= slot.weight;
    std::exception_ptr error = std::exchange(slot.error, nullptr);
    std::optional<Result> result = std::exchange(slot.result, std::nullopt);
    // A helper that waits for room is woken only once half the window is
    // free again, so that it does a run of items before it waits again,
    // instead of sleeping and waking for every item taken.
    const bool wake = helpersWaiting_ > 0 && roomForARun();
    lock.unlock();
    if (wake) room_.notify_all();
    if (error) std::rethrow_exception(error);
    return std::move(*result);
  }

  // No item is begun any more; the helpers finish the one they are busy
  // with and are joined. Results not taken are dropped.
  void stop() {
    {
      std::lock_guard<std::mutex> lock(mutex_);
      stopped_ = true;
    }
    room_.notify_all();
    for (std::thread& t : threads_) t.join();
    threads_.clear();
  }

  // Items begun so far, by any thread (for tests of the bounds).
  std::size_t begun() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return helpers_ == 0 ? taken_ : next_;
  }

 private:
  struct Slot {
    std::optional<Result> result;
    std::exception_ptr error;
    std::size_t weight = 0;
  };

  // Whether a helper may begin the next item: it lies inside the window,
  // and the results held leave room (or it is the one taken next).
  bool mayBegin() const {
    return next_ < count_ && next_ < taken_ + window_ && (held_ < maxWeight_ || next_ == taken_);
  }

  bool roomForARun() const {
    const std::size_t lead = next_ - taken_;
    return lead == 0 || (lead <= window_ / 2 && held_ <= maxWeight_ / 2);
  }

  // Begins the next item and puts its result in its slot; called and
  // returning with the lock held.
  void runNext(std::unique_lock<std::mutex>& lock) {
    const std::size_t item = next_++;
    lock.unlock();
    Slot done;
    try {
      done.result.emplace(work_(item));
      done.weight = weight_ ? weight_(*done.result) : 0;
    } catch (...) {
      done.result.reset();
      done.error = std::current_exception();
    }
    lock.lock();
    held_ += done.weight;
    slots_[item % window_] = std::move(done);
  }

  void help() {
    std::unique_lock<std::mutex> lock(mutex_);
    for (;;) {
      if (!(stopped_ || next_ >= count_ || mayBegin())) {
        ++helpersWaiting_;
        room_.wait(lock, [&] { return stopped_ || next_ >= count_ || mayBegin(); });
        --helpersWaiting_;
      }
      if (stopped_ || next_ >= count_) return;
      const std::size_t item = next_;
      runNext(lock);
      if (takerWaiting_ && item == taken_) {
        lock.unlock();
        ready_.notify_one();
        lock.lock();
      }
    }
  }

  const std::size_t count_;
  const Work work_;
  const Weight weight_;
  const std::size_t window_;
  const std::size_t maxWeight_;
  const unsigned helpers_;

  mutable std::mutex mutex_;
  std::condition_variable ready_;  // a result was put in its slot
  std::condition_variable room_;   // a result was taken, or stop
  std::vector<Slot> slots_;        // item i in slot i % window
  std::size_t next_ = 0;           // the next item to begin
  std::size_t taken_ = 0;          // items taken
  std::size_t held_ = 0;           // weight of the results in the slots
  bool stopped_ = false;
  bool takerWaiting_ = false;       // on ready_, for the item taken_
  unsigned helpersWaiting_ = 0;     // on room_
  std::vector<std::thread> threads_;
};

}  // namespace gleanix::util
