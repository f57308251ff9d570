#include "jww/write_behind.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

#include <string>

#include "jww/stream.h"

namespace {

// Asking the disk to start writing in steps of this size, while the rest is still being
// encoded, leaves the closing sync little to wait for.
constexpr std::size_t WritebackStep = 8 * 1024 * 1024;

// Each made on its own: copies of one would fill every byte.
std::vector<TByteBuffer> NewBuffers(std::size_t count, std::size_t bufferSize)
{
    std::vector<TByteBuffer> buffers;
    buffers.reserve(count);
    for (std::size_t i = 0; i < count; ++i)
        buffers.emplace_back(bufferSize);
    return buffers;
}

}  // namespace

void WriteAll(int fd, const char* data, std::size_t n)
{
    while (n > 0) {
        const ssize_t put = ::write(fd, data, n);
        if (put < 0 && errno == EINTR)
            continue;
        if (put <= 0)
            throw EJwwIOError(std::string("write error: ") + std::strerror(put < 0 ? errno : ENOSPC));
        data += put;
        n -= static_cast<std::size_t>(put);
    }
}

TWriteBehind::TWriteBehind(int fd, std::size_t bufferSize)
    : Fd(fd), Empty(NewBuffers(SpareBuffers, bufferSize)), Worker([this] { Run(); })
{
}

TWriteBehind::~TWriteBehind()
{
    {
        const std::lock_guard lock(Mutex);
        Stopping = true;
    }
    Changed.notify_all();
    Worker.join();
}

void TWriteBehind::RaiseFailure()
{
    if (Failure)
        std::rethrow_exception(Failure);
}

void TWriteBehind::HandOver(TByteBuffer& full, std::size_t used)
{
    {
        std::unique_lock lock(Mutex);
        Changed.wait(lock, [this] { return !Empty.empty() || Failure; });
        RaiseFailure();
        Queued.emplace_back(std::move(full), used);
        full = std::move(Empty.back());
        Empty.pop_back();
    }
    Changed.notify_all();
}

void TWriteBehind::Wait()
{
    std::unique_lock lock(Mutex);
    Changed.wait(lock, [this] { return (Queued.empty() && !Storing) || Failure; });
    RaiseFailure();
}

void TWriteBehind::Run()
{
    std::unique_lock lock(Mutex);
    for (;;) {
        Changed.wait(lock, [this] { return !Queued.empty() || Stopping; });
        if (Stopping)
            return;
        auto [bytes, n] = std::move(Queued.front());
        Queued.pop_front();
        Storing = true;
        lock.unlock();
        std::exception_ptr failure;
        try {
            Store(bytes, n);
        } catch (...) {
            failure = std::current_exception();
        }
        lock.lock();
        Empty.push_back(std::move(bytes));
        Storing = false;
        if (failure) {
            Failure = failure;
            for (auto& queued : Queued)
                Empty.push_back(std::move(queued.first));
            Queued.clear();
        }
        Changed.notify_all();
    }
}

void TWriteBehind::Store(const TByteBuffer& bytes, std::size_t n)
{
    WriteAll(Fd, bytes.data(), n);
    Unscheduled += n;
    if (Unscheduled >= WritebackStep) {
        Unscheduled = 0;
        // Only starts the writing; where the descriptor is no file it fails and nothing is lost.
#ifdef SYNC_FILE_RANGE_WRITE
        ::sync_file_range(Fd, 0, 0, SYNC_FILE_RANGE_WRITE);
#endif
    }
}
