#pragma once

// Accessible names of the form's inputs, so that a screen reader says what a field holds and
// in which unit ("Secondary 2 Current, amps") rather than only reading the caption beside it.

#include <QString>
#include <utility>
#include <vector>

namespace ferrolux {

// Object name and accessible name of every input field of the form.
std::vector<std::pair<QString, QString>> formInputNames();

} // namespace ferrolux
