#pragma once
// The tools of the program for the module: each drives the same window models as the tool
// window and `toluvek-cli`, on a main window without a screen, and hands back what they
// computed as Python dictionaries.

#include <string>

#include <pybind11/pybind11.h>

#include "main/platform.hpp"

namespace toluvek::python {

// (text, title, code) of a message box, as the package's InputError takes them.
inline pybind11::tuple MessageTuple(const Message& message) {
  return pybind11::make_tuple(message.text, message.title, std::string(message.code));
}

void AddTools(pybind11::module_& module);

}  // namespace toluvek::python
