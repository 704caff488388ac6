#include "large_heap.h"

#include <cstdlib>  // first: it says which C library this is

#if defined(__linux__) && defined(__GLIBC__) && !defined(__SANITIZE_ADDRESS__)
#include <malloc.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#endif

namespace orbelin::cli {

#if defined(__linux__) && defined(__GLIBC__) && !defined(__SANITIZE_ADDRESS__)

void PrepareLargeHeap() {
  constexpr size_t kHeap = 32 << 20;
  constexpr uintptr_t kHugePage = 2 << 20;
  // Buffers of up to 32 MB come from the heap, which keeps what is freed,
  // instead of fresh mappings of their own.
  if (mallopt(M_MMAP_THRESHOLD, static_cast<int>(kHeap)) == 0) return;
  mallopt(M_TRIM_THRESHOLD, static_cast<int>(4 * kHeap));
  // Grow the heap once: nothing is touched yet, so this costs no memory.
  void* block = std::malloc(kHeap - 4096);
  if (block == nullptr) return;
  const auto low = reinterpret_cast<uintptr_t>(block);
  const auto top = reinterpret_cast<uintptr_t>(sbrk(0));
  const uintptr_t start = (low + kHugePage - 1) & ~(kHugePage - 1);
  // Only where the block really is the heap's top.
  if (top > start && top - low <= 2 * kHeap) {
    madvise(reinterpret_cast<void*>(start), top - start, MADV_HUGEPAGE);
  }
  std::free(block);
}

#else

void PrepareLargeHeap() {}

#endif

}  // namespace orbelin::cli
