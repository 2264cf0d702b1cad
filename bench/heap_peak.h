// The most heap one thread holds during a stretch of work: the client's
// peak while it loads, apart from the server that runs in the same process
// on threads of its own. Counts what operator new hands out (every C++
// allocation), as the allocator sized the blocks.
#pragma once

#include <cstddef>

namespace zor::bench {

// Starts counting on the calling thread from zero.
void StartHeapPeak();
// Stops counting; returns the most the thread held beyond the start
// (allocated less freed), in bytes.
size_t StopHeapPeak();

}  // namespace zor::bench
