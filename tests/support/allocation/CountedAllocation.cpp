#include "tests/support/allocation/CountedAllocation.h"

#include <atomic>
#include <cstdlib>
#include <new>

namespace {

std::atomic<long> allocations{0};
std::atomic<bool> nothrowArraysFail{false};

void* allocate(std::size_t size) {
  allocations.fetch_add(1, std::memory_order_relaxed);
  return std::malloc(size == 0 ? 1 : size);
}

// Kept out of line so that the compiler does not pair a new with this free.
[[gnu::noinline]] void release(void* memory) {
  std::free(memory);
}

}  // namespace

namespace counted_allocation {

long count() {
  return allocations.load(std::memory_order_relaxed);
}

void failNothrowArrays(bool fail) {
  nothrowArraysFail.store(fail, std::memory_order_relaxed);
}

}  // namespace counted_allocation

void* operator new(std::size_t size) {
  void* memory = allocate(size);
  if (!memory) throw std::bad_alloc();
  return memory;
}
void* operator new[](std::size_t size) {
  return operator new(size);
}
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
  return allocate(size);
}
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
  return nothrowArraysFail.load(std::memory_order_relaxed) ? nullptr : allocate(size);
}
void operator delete(void* memory) noexcept {
  release(memory);
}
void operator delete[](void* memory) noexcept {
  release(memory);
}
void operator delete(void* memory, std::size_t) noexcept {
  release(memory);
}
void operator delete[](void* memory, std::size_t) noexcept {
  release(memory);
}
