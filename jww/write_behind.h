// Stores a file's buffers on a thread of its own, in the order they are handed over, while the
// next ones are encoded: on a second core, copying the bytes into the system's cache and the
// file system's bookkeeping for them cost the save little.
#pragma once

#include <condition_variable>
#include <cstddef>
#include <deque>
#include <exception>
#include <mutex>
#include <thread>
#include <utility>
#include <vector>

#include "jww/byte_buffer.h"

// Writes all n bytes at the file's position or raises EJwwIOError.
void WriteAll(int fd, const char* data, std::size_t n);

class TWriteBehind {
public:
    // Appends to fd, which the caller keeps open until this object is gone. Buffers are
    // exchanged at bufferSize bytes each.
    TWriteBehind(int fd, std::size_t bufferSize);
    // Lets the store in progress finish; buffers still queued are dropped.
    ~TWriteBehind();

    TWriteBehind(const TWriteBehind&) = delete;
    TWriteBehind& operator=(const TWriteBehind&) = delete;

    // Queues the first `used` bytes of `full` and leaves an empty buffer in its place. Waits
    // only while every spare buffer is queued.
    void HandOver(TByteBuffer& full, std::size_t used);
    // Waits until every byte handed over is stored.
    void Wait();
    // Both raise the error of a store that failed, then and on every later call; what was
    // queued behind it is dropped, as the file can no longer be whole.

private:
    // Enough that waking the storing thread, which on some systems takes as long as storing a
    // buffer, is never waited for.
    static constexpr std::size_t SpareBuffers = 3;

    void Run();
    void Store(const TByteBuffer& bytes, std::size_t n);
    void RaiseFailure();

    const int Fd;
    std::size_t Unscheduled = 0;  // bytes stored since the disk was last asked to write
    std::mutex Mutex;
    std::condition_variable Changed;
    std::deque<std::pair<TByteBuffer, std::size_t>> Queued;  // oldest first
    std::vector<TByteBuffer> Empty;
    bool Storing = false;
    bool Stopping = false;
    std::exception_ptr Failure;
    std::thread Worker;  // last, so that it starts once everything it uses is there
};
