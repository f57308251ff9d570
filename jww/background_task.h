// One task at a time on a thread of its own. The file writer uses it to store one buffer while
// the next is being encoded: on a second core, copying the bytes into the system's cache and the
// file system's bookkeeping for them cost the save no time.
#pragma once

#include <condition_variable>
#include <exception>
#include <functional>
#include <mutex>
#include <thread>

class TBackgroundTask {
public:
    TBackgroundTask();
    // Lets the task in progress, if any, finish.
    ~TBackgroundTask();

    TBackgroundTask(const TBackgroundTask&) = delete;
    TBackgroundTask& operator=(const TBackgroundTask&) = delete;

    // Waits for the previous task, then starts this one.
    void Start(std::function<void()> task);
    // Waits until the task in progress is done.
    void Wait();
    // Both raise what a task raised, then and on every later call: once a task failed, the
    // work it was part of cannot go on.

private:
    void Run();

    std::mutex Mutex;
    std::condition_variable Changed;
    std::function<void()> Task;
    bool Stopping = false;
    std::exception_ptr Failure;
    std::thread Worker;  // last, so that it starts once everything it uses is there
};
