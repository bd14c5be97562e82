#pragma once
// An overload set for std::visit, one lambda per alternative of a value.

namespace teds {

template <class... Handlers>
struct Overloaded : Handlers... {
    using Handlers::operator()...;
};
template <class... Handlers>
Overloaded(Handlers...) -> Overloaded<Handlers...>;

}  // namespace teds
