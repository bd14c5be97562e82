#pragma once
// Nothing thrown inside the library may reach the caller, another program
// that knows nothing of C++ exceptions: every export runs its body here and
// answers with its neutral result when anything escapes.

#include <type_traits>
#include <utility>

namespace teds::vb6dll {

template <class Result, class Body>
Result guarded(Result neutral, Body&& body) noexcept {
    try {
        return std::forward<Body>(body)();
    } catch (...) {
        return neutral;
    }
}

template <class Body>
void guarded(Body&& body) noexcept {
    try {
        std::forward<Body>(body)();
    } catch (...) {
    }
}

}  // namespace teds::vb6dll
