// The ordered list of child views that the frame and the view container hold: first added
// first, later entries lying on top of earlier ones.
//
// Ownership, the one rule for every holder: each entry owns exactly one reference to its
// view. add takes over the reference that the caller hands in; an entry that leaves the
// list hands its reference back to the caller (take, takeAll), and the list releases the
// references of the entries still in it when it is destroyed. The holders meet their
// callers' expectations through this rule:
// - Frame hands the list the creator's reference and adds none of its own; on removal it
//   takes that reference back and releases it only when the caller asks (alsoRelease).
// - ViewContainer retains before it adds, so the creator keeps a reference of its own, and
//   releases what it takes back, once per entry; alsoRelease releases the creator's
//   reference once as well, however often the view was added.
//
// Made and changed on one thread. count, at, indexOf and contains may also run on another
// thread while the list stays unchanged (the frame's timer redraw), so the count and the
// storage are relaxed atomics.
#pragma once

#include <atomic>
#include <cstdint>
#include <vector>

#include "gui/core/View.h"

class ChildList {
 public:
  ChildList() = default;
  // Releases the reference of every entry still in the list.
  ~ChildList();
  ChildList(const ChildList&) = delete;
  ChildList& operator=(const ChildList&) = delete;

  // Appends view, owning the reference handed in. False for a null view or when the
  // storage cannot grow; the list is then unchanged and the reference still the caller's.
  bool add(View* view);
  // Takes the entry at index out of the list (later entries move down one place) and hands
  // its reference to the caller. Null, changing nothing, for an index outside the list.
  View* take(std::int32_t index);
  // Empties the list and frees its storage at once, then hands each entry's reference to
  // receive, first added first: receive sees an empty list.
  template <typename Receive>
  void takeAll(Receive receive);

  std::int32_t count() const { return size.load(std::memory_order_relaxed); }
  // Null for an index outside the list.
  View* at(std::int32_t index) const;
  // The first entry of view; -1 when the list does not hold it.
  std::int32_t indexOf(const View* view) const;
  bool contains(const View* view) const { return indexOf(view) >= 0; }

  // Call visit with each view, first added to last (bottomUp) or last to first (topDown),
  // until it answers true; the answer is whether it did. Views may be added and removed
  // from inside visit: the walk runs over a copy taken at its start, skips whoever has left
  // the list meanwhile, and holds a reference to each view until it ends, so none is
  // deleted under it. That reference makes the walks window-thread only.
  template <typename Visit>
  bool visitBottomUp(Visit visit) const {
    return walk(false, visit);
  }
  template <typename Visit>
  bool visitTopDown(Visit visit) const {
    return walk(true, visit);
  }

 private:
  template <typename Visit>
  bool walk(bool topFirst, Visit& visit) const;

  std::atomic<std::int32_t> size = 0;
  std::int32_t capacity = 0;
  std::atomic<View**> entries = nullptr;
};

template <typename Receive>
void ChildList::takeAll(Receive receive) {
  View** taken = entries.exchange(nullptr, std::memory_order_relaxed);
  const std::int32_t takenCount = size.exchange(0, std::memory_order_relaxed);
  capacity = 0;
  for (std::int32_t i = 0; i < takenCount; ++i) receive(taken[i]);
  delete[] taken;
}

template <typename Visit>
bool ChildList::walk(bool topFirst, Visit& visit) const {
  const std::int32_t n = count();
  std::vector<View*> copy;
  copy.reserve(static_cast<std::size_t>(n));
  for (std::int32_t i = 0; i < n; ++i) {
    View* view = at(topFirst ? n - 1 - i : i);
    view->retain();
    copy.push_back(view);
  }
  bool stopped = false;
  for (View* view : copy) {
    if (!stopped && contains(view)) stopped = visit(view);
  }
  for (View* view : copy) view->release();
  return stopped;
}
