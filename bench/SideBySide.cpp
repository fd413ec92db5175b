#include "bench/SideBySide.h"

#include <algorithm>
#include <chrono>

namespace qv::bench {

namespace {

double median(std::vector<double> values) {
  if (values.empty()) return 0.0;
  std::sort(values.begin(), values.end());
  const size_t middle = values.size() / 2;
  return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2.0;
}

template <class Field>
std::vector<double> collect(const std::vector<Timings>& rounds, Field field) {
  std::vector<double> values;
  values.reserve(rounds.size());
  for (const Timings& timings : rounds) values.push_back(field(timings));
  return values;
}

}  // namespace

SideBySide::SideBySide(int32 blockSize, int32 batchFrames)
    : blockSize_(std::clamp(blockSize, int32{1}, StereoBuffers::kFrames)),
      blocksPerBatch_(std::max(int32{1}, batchFrames / blockSize_)) {}

template <class Block>
double SideBySide::batch(Block block) {
  using Clock = std::chrono::steady_clock;
  const Clock::time_point start = Clock::now();
  for (int32 i = 0; i < blocksPerBatch_; ++i) {
    buffers_.seek(offset_ + static_cast<std::int64_t>(i) * blockSize_, blockSize_);
    block(buffers_.inputs(), buffers_.outputs());
  }
  return std::chrono::duration<double>(Clock::now() - start).count();
}

Timings SideBySide::runAll(AEffect* record, int first) {
  Timings seconds;
  for (int k = 0; k < 3; ++k) {
    switch ((first + k) % 3) {
      case 0:
        seconds.effect = batch([record, this](float** in, float** out) {
          record->processReplacing(record, in, out, blockSize_);
        });
        break;
      case 1:
        seconds.gain = batch(
            [this](float** in, float** out) { applyBaselineGain(in, out, blockSize_, gain_); });
        break;
      default:
        seconds.ramp = batch(
            [this](float** in, float** out) { applyBaselineRamp(in, out, blockSize_, ramp_); });
        break;
    }
  }
  offset_ += static_cast<std::int64_t>(blocksPerBatch_) * blockSize_;
  return seconds;
}

double SideBySide::round(AEffect* record) {
  if (rounds_.empty()) runAll(record, 0);
  const Timings seconds = runAll(record, rounds());
  const double frames = static_cast<double>(blocksPerBatch_) * blockSize_;
  rounds_.push_back(
      {seconds.effect * 1e9 / frames, seconds.gain * 1e9 / frames, seconds.ramp * 1e9 / frames});
  return seconds.effect;
}

Summary SideBySide::summary() const {
  Summary summary;
  summary.nsPerFrame = {median(collect(rounds_, [](const Timings& t) { return t.effect; })),
                        median(collect(rounds_, [](const Timings& t) { return t.gain; })),
                        median(collect(rounds_, [](const Timings& t) { return t.ramp; }))};
  summary.gainRatio = median(
      collect(rounds_, [](const Timings& t) { return t.gain > 0.0 ? t.effect / t.gain : 0.0; }));
  summary.rampRatio = median(
      collect(rounds_, [](const Timings& t) { return t.ramp > 0.0 ? t.effect / t.ramp : 0.0; }));
  return summary;
}

}  // namespace qv::bench
