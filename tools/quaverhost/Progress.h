// A one-line progress bar for long renders.
#pragma once

#include <cstdint>
#include <ostream>

namespace qv::hostcli {

// Draws "[#####.....]  42%" on one line, redrawn only when the percentage changes.
// Disabled instances draw nothing. Single-threaded.
class Progress {
 public:
  Progress(std::ostream& stream, std::int64_t total, bool enabled);
  void update(std::int64_t done);
  // Completes the line (when anything was drawn).
  void finish();

 private:
  std::ostream& stream_;
  std::int64_t total_;
  bool enabled_;
  int shown_ = -1;
};

}  // namespace qv::hostcli
