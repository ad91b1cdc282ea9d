// The ordered read-ahead: results come in item order whatever the threads,
// no more is begun than the window and the weight allow, a failing item's
// exception reaches the taker, stopping joins the helpers, and the caller
// works beside them.
#include "util/read_ahead.h"

#include <gtest/gtest.h>

#include <atomic>
#include <stdexcept>
#include <string>
#include <thread>

namespace gleanix::util {
namespace {

ReadAheadLimits limitsOf(unsigned threads, std::size_t window, std::size_t maxWeight = 1u << 30) {
  ReadAheadLimits l;
  l.threads = threads;
  l.window = window;
  l.maxWeight = maxWeight;
  return l;
}

TEST(ReadAhead, ResultsComeInItemOrderWithAnyThreadsAndWindow) {
  constexpr std::size_t kItems = 500;
  for (const unsigned threads : {1u, 2u, 8u}) {
    for (const std::size_t window : {std::size_t{1}, std::size_t{3}, std::size_t{64}}) {
      SCOPED_TRACE(std::to_string(threads) + " threads, window " + std::to_string(window));
      ReadAhead<std::string> ahead(
          kItems, [](std::size_t i) { return std::string(i % 7 + 20, static_cast<char>('a' + i % 26)); },
          [](const std::string& s) { return s.size(); }, limitsOf(threads, window, 50));
      for (std::size_t i = 0; i < kItems; ++i) {
        ASSERT_EQ(ahead.take(), std::string(i % 7 + 20, static_cast<char>('a' + i % 26))) << "item " << i;
      }
    }
  }
}

TEST(ReadAhead, BeginsNoMoreThanTheWindowAndTheWeightAllow) {
  std::atomic<std::size_t> taken{0};
  std::atomic<std::size_t> worstLead{0};
  const auto watchLead = [&](std::size_t item) {
    const std::size_t lead = item - taken.load();
    std::size_t seen = worstLead.load();
    while (lead > seen && !worstLead.compare_exchange_weak(seen, lead)) {
    }
  };
  {
    ReadAhead<std::size_t> ahead(
        200, [&](std::size_t i) { return watchLead(i), i; }, {}, limitsOf(4, 5));
    for (std::size_t i = 0; i < 200; ++i) {
      ASSERT_EQ(ahead.take(), i);
      ++taken;
    }
  }
  // Item taken + 5 waits for room; the count here lags the taking by one.
  EXPECT_LE(worstLead.load(), 5u);
  // Results heavier than the bound: only the one taken next is begun.
  worstLead = 0;
  taken = 0;
  ReadAhead<std::size_t> heavy(
      100, [&](std::size_t i) { return watchLead(i), i; }, [](std::size_t) { return std::size_t{10}; },
      limitsOf(4, 32, 10));
  for (std::size_t i = 0; i < 100; ++i) {
    ASSERT_EQ(heavy.take(), i);
    ++taken;
  }
  // One result held reaches the bound: beyond the one taken next, only the
  // helpers that began while none was held run ahead (4 at most, plus the
  // lag of the count).
  EXPECT_LE(worstLead.load(), 4u);
}

TEST(ReadAhead, AnItemsExceptionReachesTheTakerInItsTurn) {
  for (const unsigned threads : {1u, 3u}) {
    ReadAhead<int> ahead(
        10, [](std::size_t i) -> int {
          if (i == 4) throw std::runtime_error("item 4");
          return static_cast<int>(i);
        },
        {}, limitsOf(threads, 8));
    for (int i = 0; i < 4; ++i) EXPECT_EQ(ahead.take(), i);
    EXPECT_THROW(ahead.take(), std::runtime_error);
    EXPECT_EQ(ahead.take(), 5);
  }
}

TEST(ReadAhead, StopBeginsNothingMoreAndJoinsTheHelpers) {
  std::atomic<std::size_t> begun{0};
  ReadAhead<std::size_t> ahead(
      100000, [&](std::size_t i) { return ++begun, i; }, {}, limitsOf(4, 16));
  for (std::size_t i = 0; i < 10; ++i) ASSERT_EQ(ahead.take(), i);
  ahead.stop();
  const std::size_t atStop = begun.load();
  EXPECT_LE(atStop, 10u + 16u);
  EXPECT_EQ(ahead.begun(), begun.load());
  EXPECT_EQ(begun.load(), atStop);  // joined: nothing runs after stop()
}

// The caller is one of the working threads: while the helper is busy, the
// caller works on later items itself rather than wait, and the helper still
// takes its share.
TEST(ReadAhead, TheCallerWorksBesideTheHelpers) {
  const std::thread::id caller = std::this_thread::get_id();
  std::atomic<std::size_t> onCaller{0}, elsewhere{0};
  ReadAhead<std::size_t> ahead(
      60,
      [&](std::size_t i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
        ++(std::this_thread::get_id() == caller ? onCaller : elsewhere);
        return i;
      },
      {}, limitsOf(2, 8));
  for (std::size_t i = 0; i < 60; ++i) ASSERT_EQ(ahead.take(), i);
  EXPECT_GT(onCaller.load(), 0u);
  if (readAheadHelpers(2) > 0) {
    EXPECT_GT(elsewhere.load(), 0u);
  }
  EXPECT_EQ(onCaller.load() + elsewhere.load(), 60u);
}

}  // namespace
}  // namespace gleanix::util
