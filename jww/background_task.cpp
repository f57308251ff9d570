#include "jww/background_task.h"

#include <utility>

TBackgroundTask::TBackgroundTask() : Worker([this] { Run(); }) {}

TBackgroundTask::~TBackgroundTask()
{
    {
        const std::lock_guard lock(Mutex);
        Stopping = true;
    }
    Changed.notify_all();
    Worker.join();
}

void TBackgroundTask::Start(std::function<void()> task)
{
    {
        std::unique_lock lock(Mutex);
        Changed.wait(lock, [this] { return !Task; });
        if (Failure)
            std::rethrow_exception(Failure);
        Task = std::move(task);
    }
    Changed.notify_all();
}

void TBackgroundTask::Wait()
{
    std::unique_lock lock(Mutex);
    Changed.wait(lock, [this] { return !Task; });
    if (Failure)
        std::rethrow_exception(Failure);
}

void TBackgroundTask::Run()
{
    std::unique_lock lock(Mutex);
    for (;;) {
        Changed.wait(lock, [this] { return Task || Stopping; });
        if (!Task)
            return;
        lock.unlock();
        try {
            Task();
        } catch (...) {
            lock.lock();
            if (!Failure)
                Failure = std::current_exception();
            lock.unlock();
        }
        lock.lock();
        Task = nullptr;
        Changed.notify_all();
    }
}
