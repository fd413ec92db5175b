#include "tools/vsthost/Transport.h"

#include <cmath>

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
  // A stopped host, and any host during its lead-in, stays at the song's start
  // position; its tempo is the tempo found there.
  const bool rolling = settings_.playing && songPosition() >= 0;
  const std::int64_t songSample = rolling ? songPosition() : 0;
  info_ = VstTimeInfo{};
  info_.samplePos = static_cast<double>(songSample);
  info_.sampleRate = tempo_.sampleRate();
  info_.ppqPos = settings_.startPpq + tempo_.beatsAt(songSample);
  if (settings_.ppqResolution > 0)
    info_.ppqPos = std::round(info_.ppqPos * settings_.ppqResolution) / settings_.ppqResolution;
  info_.tempo = tempo_.tempoAt(songSample);
  info_.timeSigNumerator = 4;
  info_.timeSigDenominator = 4;
  info_.flags = kVstTempoValid | kVstPpqPosValid | kVstTimeSigValid;
  if (rolling) info_.flags |= kVstTransportPlaying;
  // The changed flag marks the first block and the first block that rolls.
  if (first_ || (rolling && songPosition() == 0 && settings_.leadIn > 0))
    info_.flags |= kVstTransportChanged;
}

}  // namespace qv::host
