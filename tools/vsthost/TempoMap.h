// The tempo of a render over time: a start tempo and changes at sample positions.
#pragma once

#include <cstdint>
#include <vector>

namespace qv::host {

// Piecewise constant tempo, counted in samples from the start of the render.
// Plain value type; not shared between threads.
class TempoMap {
 public:
  struct Segment {
    std::int64_t start;  // first sample of the segment
    double bpm;
  };

  // sampleRate and bpm must be positive and finite (the option parser checks them).
  TempoMap(double sampleRate, double bpm);

  // From `sample` on the tempo is `bpm`; a later change at the same sample replaces it.
  void addChange(std::int64_t sample, double bpm);

  double sampleRate() const { return sampleRate_; }
  double tempoAt(std::int64_t sample) const;
  // Quarter notes elapsed from sample 0 to `sample`.
  double beatsAt(std::int64_t sample) const;
  // The segments in order, the first starting at sample 0.
  const std::vector<Segment>& segments() const { return segments_; }

 private:
  double sampleRate_;
  std::vector<Segment> segments_;
};

}  // namespace qv::host
