#pragma once

// Why a calculation refused its inputs, in words a user can act on.

#include <string>
#include <variant>

namespace ferrolux {

struct InputProblem
{
    std::string message;
};

// A result, or why there is none.
template <typename T> using Checked = std::variant<T, InputProblem>;

} // namespace ferrolux
