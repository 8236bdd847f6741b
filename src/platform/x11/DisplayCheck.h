// Whether the X display the program would use can be reached, asked before the toolkit starts
// (which would abort without one).
#pragma once

#include <string>

namespace huebird {

// Empty when the display answers and its screen is TrueColor of 15 bits or more; otherwise
// one line saying why it cannot be used.
std::string DisplayProblem();

}  // namespace huebird
