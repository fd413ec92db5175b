#include "tools/quaverhost/Progress.h"

#include <string>

namespace qv::hostcli {

Progress::Progress(std::ostream& stream, std::int64_t total, bool enabled)
    : stream_(stream), total_(total), enabled_(enabled && total > 0) {}

void Progress::update(std::int64_t done) {
  if (!enabled_) return;
  const int percent = static_cast<int>(done * 100 / total_);
  if (percent == shown_) return;
  shown_ = percent;
  constexpr int kWidth = 40;
  const int filled = percent * kWidth / 100;
  stream_ << "\r[" << std::string(static_cast<size_t>(filled), '#')
          << std::string(static_cast<size_t>(kWidth - filled), '.') << "] " << percent << "%"
          << std::flush;
}

void Progress::finish() {
  if (enabled_ && shown_ >= 0) stream_ << '\n' << std::flush;
}

}  // namespace qv::hostcli
