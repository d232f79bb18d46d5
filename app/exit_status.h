#pragma once

namespace varnel {

// Exit statuses of varnel_solver: the usage text, success, and problems that merely fail to solve
// give 0; input that could not be read, a problem refused, or output that could not be created or
// written give 1, so that scripts notice. An interrupted create run ends by its signal.
inline constexpr int EXIT_OK = 0;
inline constexpr int EXIT_FAILED = 1;

}  // namespace varnel
