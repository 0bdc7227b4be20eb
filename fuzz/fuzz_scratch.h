// Files of a fuzz target live in a private folder of its process, below the temporary folder. The code
// under test sees them through a path that is the same in every process, /proc/self/fd/N/NAME (N is
// an open handle of the folder): that code compares the path's bytes, libFuzzer feeds the operands of
// such comparisons back into its mutations, and a path with the process id or a random folder name in
// it would send two runs with the same seed different ways.
#pragma once

#include <string>

// The path of `name` (ASCII) in this process's folder; the folder goes when the process exits.
std::string FuzzScratchPath(const std::string& name);
