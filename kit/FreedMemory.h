#pragma once

namespace quorvane {

// Hands the pages of the heap that hold nothing any more back to the
// system. A large swap frees a file's worth of small blocks at a time (the
// findings once planned, the plan once written); their pages would stay the
// process's own, and the next large table would be placed beside them.
void returnFreedMemory();

// Large blocks get pages of their own, handed back the moment they are
// freed. Left to itself, glibc raises that bound to the size of each large
// block freed, up to 32 MiB: a swap's per-kind tables, freed one after
// another, would then be placed in the heap and leave holes there that the
// smaller blocks after them only partly fill.
void keepLargeBlocksApart();

} // namespace quorvane
