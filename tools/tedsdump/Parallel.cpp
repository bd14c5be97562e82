#include "Parallel.hpp"

#include <vector>

#ifdef _WIN32
#include <windows.h>
#else
#include <system_error>
#include <thread>
#endif

namespace tedsdump {

#ifdef _WIN32

namespace {

DWORD WINAPI runWork(LPVOID work) {
    (*static_cast<const std::function<void()>*>(work))();
    return 0;
}

}  // namespace

unsigned processorCount() {
    SYSTEM_INFO info;
    GetSystemInfo(&info);
    return info.dwNumberOfProcessors > 0 ? static_cast<unsigned>(info.dwNumberOfProcessors) : 1u;
}

void runOnThreads(unsigned threads, const std::function<void()>& work) {
    std::vector<HANDLE> started;
    for (unsigned t = 1; t < threads; ++t) {
        const HANDLE thread =
            CreateThread(nullptr, 0, runWork, const_cast<std::function<void()>*>(&work), 0, nullptr);
        if (thread == nullptr) break;
        started.push_back(thread);
    }
    work();
    for (const HANDLE thread : started) {
        WaitForSingleObject(thread, INFINITE);
        CloseHandle(thread);
    }
}

#else

unsigned processorCount() {
    const unsigned count = std::thread::hardware_concurrency();
    return count > 0 ? count : 1u;
}

void runOnThreads(unsigned threads, const std::function<void()>& work) {
    std::vector<std::thread> started;
    for (unsigned t = 1; t < threads; ++t) {
        try {
            started.emplace_back(work);
        } catch (const std::system_error&) {
            break;  // the threads already started do the work
        }
    }
    work();
    for (std::thread& thread : started) thread.join();
}

#endif

}  // namespace tedsdump
