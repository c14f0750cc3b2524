#pragma once
// The tools of the program for the module: each drives the same window models as the tool
// window and `toluvek-cli`, on a main window without a screen, and hands back what they
// computed as Python dictionaries.

#include <pybind11/pybind11.h>

namespace toluvek::python {

void AddTools(pybind11::module_& module);

}  // namespace toluvek::python
