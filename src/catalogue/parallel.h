#pragma once
// Work cut into numbered blocks, worked on by several threads and handed back
// in block order: the batch, the sweeps and the Monte Carlo runs use every
// core and still write exactly what one thread writes.

#include <algorithm>
#include <condition_variable>
#include <cstddef>
#include <exception>
#include <mutex>
#include <thread>
#include <vector>

namespace catalogue {

// Every core of the machine (at least one).
unsigned defaultThreads();

// Blocks numbered 0, 1, 2 … : prepare(block) fills the next block on the
// calling thread and returns false when there is none left; work(block) runs on
// one of `threads` worker threads; deliver(block) runs on the calling thread in
// block order and returns false to stop early (a cancelled run). At most two
// blocks per thread are in flight, and a delivered block's storage is reused
// for a later one, so memory does not grow with the number of blocks. With one
// thread everything runs on the calling thread.
template <class Block, class Prepare, class Work, class Deliver>
void runOrdered(unsigned threads, Prepare prepare, Work work, Deliver deliver)
{
    if (threads <= 1) {
        Block block;
        while (prepare(block)) {
            work(block);
            if (!deliver(block))
                return;
        }
        return;
    }
    const std::size_t slotCount = 2 * std::size_t(threads);
    enum class State { Free, Ready, Done };
    // Each block on cache lines of its own: the threads write to their blocks
    // all the time (a vector's end), and a line shared with a neighbour's
    // block would go back and forth between the cores.
    struct alignas(128) Slot {
        Block block;
    };
    std::vector<Slot> cells(slotCount);
    auto blockAt = [&](std::size_t slot) -> Block & { return cells[slot].block; };
    std::vector<State> state(slotCount, State::Free);
    std::mutex mutex;
    std::condition_variable toWorkers, toCaller;
    std::size_t prepared = 0, started = 0, delivered = 0;
    bool stop = false;
    std::exception_ptr failure;

    auto worker = [&] {
        std::unique_lock<std::mutex> lock(mutex);
        for (;;) {
            toWorkers.wait(lock, [&] { return stop || started < prepared; });
            if (stop)
                return;
            const std::size_t slot = started++ % slotCount;
            lock.unlock();
            try {
                work(blockAt(slot));
            } catch (...) {
                lock.lock();
                if (!failure)
                    failure = std::current_exception();
                state[slot] = State::Done;
                toCaller.notify_one();
                continue;
            }
            lock.lock();
            state[slot] = State::Done;
            toCaller.notify_one();
        }
    };
    {
        // However the caller leaves (a throw from prepare or deliver, memory
        // running out while reading, a thread that cannot be made), the
        // workers are stopped and joined first: a joinable thread destroyed
        // ends the program.
        std::vector<std::thread> pool;
        struct Joiner {
            std::mutex &mutex;
            std::condition_variable &toWorkers;
            bool &stop;
            std::vector<std::thread> &pool;
            ~Joiner()
            {
                {
                    const std::lock_guard<std::mutex> lock(mutex);
                    stop = true;
                }
                toWorkers.notify_all();
                for (std::thread &t : pool)
                    if (t.joinable())
                        t.join();
            }
        } joiner{mutex, toWorkers, stop, pool};
        pool.reserve(threads);
        for (unsigned i = 0; i < threads; ++i)
            pool.emplace_back(worker);

        bool inputLeft = true;
        std::unique_lock<std::mutex> lock(mutex);
        for (;;) {
            if (failure)
                break;
            if (delivered < prepared && state[delivered % slotCount] == State::Done) {
                const std::size_t slot = delivered % slotCount;
                lock.unlock();
                const bool goOn = deliver(blockAt(slot));
                lock.lock();
                state[slot] = State::Free;
                ++delivered;
                if (!goOn)
                    break;
                continue;
            }
            if (inputLeft && prepared - delivered < slotCount) {
                const std::size_t slot = prepared % slotCount;
                lock.unlock();
                const bool got = prepare(blockAt(slot));
                lock.lock();
                if (got) {
                    state[slot] = State::Ready;
                    ++prepared;
                    toWorkers.notify_one();
                } else {
                    inputLeft = false;
                }
                continue;
            }
            if (!inputLeft && delivered == prepared)
                break;
            toCaller.wait(lock);
        }
    } // the workers are joined here
    if (failure)
        std::rethrow_exception(failure);
}

// Blocks of a known count: work(i, block) for i = 0 … count − 1 on the
// threads, deliver(i, block) in order on the calling thread.
template <class Block, class Work, class Deliver>
void runOrderedCount(unsigned threads, std::size_t count, Work work, Deliver deliver)
{
    struct Numbered {
        std::size_t index = 0;
        Block block;
    };
    std::size_t next = 0;
    runOrdered<Numbered>(
        threads,
        [&](Numbered &n) {
            if (next >= count)
                return false;
            n.index = next++;
            return true;
        },
        [&](Numbered &n) { work(n.index, n.block); }, [&](Numbered &n) { return deliver(n.index, n.block); });
}

} // namespace catalogue
