// Replaces the global operator new and delete of the benchmark program to
// count, on the thread that asked for it, the bytes held and their peak.
#include "bench/heap_peak.h"

#include <malloc.h>

#include <algorithm>
#include <cstdlib>
#include <new>

namespace {
thread_local bool counting = false;
thread_local long long held = 0;
thread_local long long peak = 0;
}  // namespace

namespace zor::bench {

void StartHeapPeak() {
  held = peak = 0;
  counting = true;
}

size_t StopHeapPeak() {
  counting = false;
  return static_cast<size_t>(peak);
}

}  // namespace zor::bench

void* operator new(std::size_t size) {
  void* p = std::malloc(size ? size : 1);
  if (!p) throw std::bad_alloc();
  if (counting) {
    held += static_cast<long long>(malloc_usable_size(p));
    peak = std::max(peak, held);
  }
  return p;
}

void operator delete(void* p) noexcept {
  if (p && counting) held -= static_cast<long long>(malloc_usable_size(p));
  std::free(p);
}

void operator delete(void* p, std::size_t) noexcept { operator delete(p); }
