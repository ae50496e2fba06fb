#pragma once

namespace quorvane {

// Hands the pages of the heap that hold nothing any more back to the
// system. A large swap frees a file's worth of small blocks at a time (the
// findings once planned, the plan once written); their pages would stay the
// process's own, and the next large table would be placed beside them.
void returnFreedMemory();

} // namespace quorvane
