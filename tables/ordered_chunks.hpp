#pragma once
// Work on many rows split into chunks: each chunk is filled in order (its rows taken from the
// sweep or read from the input), worked on by any of the threads (calculated and formatted),
// and handed on in order (written). At most two chunks per thread are in flight, so memory stays
// flat however many rows there are.

#include <condition_variable>
#include <cstddef>
#include <exception>
#include <mutex>
#include <thread>
#include <vector>

namespace toluvek {

// The number of threads `--jobs` defaults to: the cores online, at least one.
std::size_t OnlineCores();

// Runs the chunks through three callables:
//  - fill(Chunk&) -> bool: takes the next rows into the chunk; false when none are left. Called
//    for one chunk at a time, in order.
//  - work(Chunk&): the chunk's own work, on any thread, beside other chunks' work.
//  - drain(Chunk&) -> bool: hands the chunk on; false stops the run (no chunk is filled after
//    it). Called on the calling thread, in order.
// With one job everything runs on the calling thread, chunk after chunk. An exception from
// any of them stops the run and is thrown again here once every thread has ended.
template <class Chunk, class Fill, class Work, class Drain>
void RunChunksInOrder(std::size_t jobs, Fill&& fill, Work&& work, Drain&& drain) {
  if (jobs <= 1) {
    Chunk chunk;
    while (fill(chunk)) {
      work(chunk);
      if (!drain(chunk)) return;
    }
    return;
  }
  enum class SlotState { kFree, kWorking, kReady };
  struct Slot {
    Chunk chunk;
    SlotState state = SlotState::kFree;
  };
  const std::size_t in_flight = 2 * jobs;
  std::vector<Slot> slots(in_flight);
  std::mutex mutex;
  std::condition_variable changed;
  std::size_t next_fill = 0;  // the sequence number of the next chunk to fill
  bool filled_all = false;    // fill has said no rows are left
  bool stop = false;          // drain said stop, or something threw
  std::exception_ptr failure;

  const auto worker = [&] {
    std::unique_lock lock(mutex);
    while (true) {
      Slot* slot = nullptr;
      changed.wait(lock, [&] {
        if (stop || filled_all) return true;
        return slots[next_fill % in_flight].state == SlotState::kFree;
      });
      if (stop || filled_all) return;
      slot = &slots[next_fill % in_flight];
      try {
        if (!fill(slot->chunk)) {
          filled_all = true;
          changed.notify_all();
          return;
        }
      } catch (...) {
        if (!failure) failure = std::current_exception();
        stop = true;
        changed.notify_all();
        return;
      }
      ++next_fill;
      slot->state = SlotState::kWorking;
      lock.unlock();
      std::exception_ptr thrown;
      try {
        work(slot->chunk);
      } catch (...) {
        thrown = std::current_exception();
      }
      lock.lock();
      if (thrown) {
        if (!failure) failure = thrown;
        stop = true;
      }
      slot->state = SlotState::kReady;
      changed.notify_all();
    }
  };

  std::vector<std::thread> threads;
  threads.reserve(jobs);
  for (std::size_t j = 0; j < jobs; ++j) threads.emplace_back(worker);
  {
    std::unique_lock lock(mutex);
    for (std::size_t n = 0;; ++n) {
      Slot& slot = slots[n % in_flight];
      changed.wait(lock, [&] {
        return stop || slot.state == SlotState::kReady || (filled_all && n >= next_fill);
      });
      if (stop || slot.state != SlotState::kReady) break;
      lock.unlock();
      bool go_on = false;
      try {
        go_on = drain(slot.chunk);
      } catch (...) {
        lock.lock();
        if (!failure) failure = std::current_exception();
        stop = true;
        break;
      }
      lock.lock();
      slot.state = SlotState::kFree;
      if (!go_on) {
        stop = true;
        break;
      }
      changed.notify_all();
    }
    changed.notify_all();
  }
  for (std::thread& t : threads) t.join();
  if (failure) std::rethrow_exception(failure);
}

}  // namespace toluvek
