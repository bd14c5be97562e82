#pragma once
// Running one piece of work on several threads at once. The Windows builds
// use a thread model without std::thread, so they start threads of their own.

#include <functional>

namespace tedsdump {

// The processors the system has; at least 1.
unsigned processorCount();

// Runs `work` on `threads` threads at once, the calling thread one of them,
// and returns when every run has. Fewer threads run when no more can start.
void runOnThreads(unsigned threads, const std::function<void()>& work);

}  // namespace tedsdump
