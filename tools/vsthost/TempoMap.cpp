#include "tools/vsthost/TempoMap.h"

#include <algorithm>

namespace qv::host {

TempoMap::TempoMap(double sampleRate, double bpm) : sampleRate_(sampleRate) {
  segments_.push_back({0, bpm});
}

void TempoMap::addChange(std::int64_t sample, double bpm) {
  sample = std::max<std::int64_t>(sample, 0);
  auto at = std::lower_bound(segments_.begin(), segments_.end(), sample,
                             [](const Segment& s, std::int64_t v) { return s.start < v; });
  if (at != segments_.end() && at->start == sample)
    at->bpm = bpm;
  else
    segments_.insert(at, {sample, bpm});
}

double TempoMap::tempoAt(std::int64_t sample) const {
  double bpm = segments_.front().bpm;
  for (const Segment& s : segments_) {
    if (s.start > sample) break;
    bpm = s.bpm;
  }
  return bpm;
}

double TempoMap::beatsAt(std::int64_t sample) const {
  double beats = 0.0;
  for (size_t i = 0; i < segments_.size() && segments_[i].start < sample; ++i) {
    const std::int64_t end =
        i + 1 < segments_.size() ? std::min(segments_[i + 1].start, sample) : sample;
    beats += static_cast<double>(end - segments_[i].start) / sampleRate_ * segments_[i].bpm / 60.0;
  }
  return beats;
}

}  // namespace qv::host
