#include "tools/vsthost/Transport.h"

namespace qv::host {

Transport::Transport(const TempoMap& tempo, const TransportSettings& settings)
    : tempo_(tempo), settings_(settings) {
  update();
}

const VstTimeInfo* Transport::timeInfo() const {
  return settings_.offersTime ? &info_ : nullptr;
}

void Transport::advance(std::int32_t frames) {
  if (frames > 0) blockStart_ += frames;
  first_ = false;
  update();
}

void Transport::update() {
  // A stopped host stays at its song position; its tempo is the tempo found there.
  const std::int64_t songSample = settings_.playing ? blockStart_ : 0;
  info_ = VstTimeInfo{};
  info_.samplePos = static_cast<double>(songSample);
  info_.sampleRate = tempo_.sampleRate();
  info_.ppqPos = settings_.startPpq + tempo_.beatsAt(songSample);
  info_.tempo = tempo_.tempoAt(songSample);
  info_.timeSigNumerator = 4;
  info_.timeSigDenominator = 4;
  info_.flags = kVstTempoValid | kVstPpqPosValid | kVstTimeSigValid;
  if (settings_.playing) info_.flags |= kVstTransportPlaying;
  if (first_) info_.flags |= kVstTransportChanged;
}

}  // namespace qv::host
