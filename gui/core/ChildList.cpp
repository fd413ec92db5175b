#include "gui/core/ChildList.h"

#include <cstddef>
#include <cstring>
#include <new>

namespace {

// Entries added to the storage each time it is full.
constexpr std::int32_t kGrowth = 20;

}  // namespace

ChildList::~ChildList() {
  takeAll([](View* view) { view->release(); });
}

bool ChildList::add(View* view) {
  if (!view) return false;
  const std::int32_t n = count();
  View** list = entries.load(std::memory_order_relaxed);
  if (n == capacity) {
    if (capacity > INT32_MAX - kGrowth) return false;
    View** grown = new (std::nothrow) View*[static_cast<std::size_t>(capacity + kGrowth)];
    if (!grown) return false;
    if (n > 0) std::memcpy(grown, list, sizeof(View*) * static_cast<std::size_t>(n));
    entries = grown;
    delete[] list;
    list = grown;
    capacity += kGrowth;
  }
  list[n] = view;
  size = n + 1;
  return true;
}

View* ChildList::take(std::int32_t index) {
  View* view = at(index);
  if (!view) return nullptr;
  View** list = entries.load(std::memory_order_relaxed);
  const std::int32_t n = count();
  std::memmove(list + index, list + index + 1,
               sizeof(View*) * static_cast<std::size_t>(n - index - 1));
  size = n - 1;
  return view;
}

View* ChildList::at(std::int32_t index) const {
  if (index < 0 || index >= count()) return nullptr;
  return entries.load(std::memory_order_relaxed)[index];
}

std::int32_t ChildList::indexOf(const View* view) const {
  if (!view) return -1;
  const std::int32_t n = count();
  for (std::int32_t i = 0; i < n; ++i) {
    if (at(i) == view) return i;
  }
  return -1;
}
