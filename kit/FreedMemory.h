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

// Every thread allocates from the one heap. A scan's second thread would
// otherwise get a heap of its own, and the findings it makes, freed by the
// scan's thread as planning moves on, would leave that heap's pages
// half-filled beside the first's (8 MiB more at the peak of a 100 000-row swap).
void shareOneHeap();

} // namespace quorvane
