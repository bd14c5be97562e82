// The compiled half of the Python package: teds1451._native.
#include "Bindings.hpp"

PYBIND11_MODULE(_native, module) {
    module.doc() = "The C++ library as the teds1451 package calls it; use the package, not this module.";
    teds_python::bindErrors(module);
    teds_python::bindContainers(module);
    teds_python::bindTemplates(module);
    teds_python::bindDecoded(module);
    teds_python::bindScale(module);
}
