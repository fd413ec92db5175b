// Relaxed loads and stores of the fields that the audio thread shares with the
// host's other threads. Each field is one lock-free value; no ordering between
// fields is promised or needed.
#pragma once

#include <atomic>

template <class T>
T relaxed(const std::atomic<T>& field) {
  return field.load(std::memory_order_relaxed);
}

template <class T>
void setRelaxed(std::atomic<T>& field, T value) {
  field.store(value, std::memory_order_relaxed);
}
