// Where the tempo comes from: the effect's own taps (it then tells the host its
// transport) or the host's time information; and MIDI taps.
#include <cmath>

#include "base/Relaxed.h"
#include "effect/TremoloEffect.h"

namespace {
// Tempo source numbers.
constexpr int32 kNoteTapSource = 1;
constexpr int32 kHostSyncSource = 2;
constexpr int32 kMidiSyncSource = 3;
constexpr int32 kAllTimeInfo = 0xFFFF;
constexpr int kNoteOn = 0x90;
constexpr int kControlChange = 0xB0;
// Far beyond any song (about 50,000 years at 600 BPM), yet small enough that the
// LFO phase computed from it stays finite and exact to well under a sample.
constexpr double kFarthestHostPosition = 1e12;
}  // namespace

void TremoloEffect::runTempoSource() {
  BlockConstants& constants = blockConstants;
  if (BlockConstants::renew(constants.sourceValue, live(kTempoSource)))
    constants.source = tempoSourceNumber();
  if (constants.source < kHostSyncSource) {
    sendOwnTransport();
  } else {
    followHostTransport();
  }
}

void TremoloEffect::sendOwnTransport() {
  const auto position = static_cast<double>(relaxed(sampleCounter));
  const double beatsPerMinute = relaxed(tempo);
  BlockConstants& constants = blockConstants;
  const bool rateChanged = BlockConstants::renew(constants.transportRate, rate());
  const bool tempoChanged = BlockConstants::renew(constants.transportTempo, beatsPerMinute);
  if (rateChanged || tempoChanged)
    constants.samplesPerBeat = constants.transportRate * 60.0 / constants.transportTempo;
  outgoingTimeInfo.samplePos = position;
  outgoingTimeInfo.tempo = beatsPerMinute;
  outgoingTimeInfo.ppqPos = position / constants.samplesPerBeat + 1.0;
  outgoingTimeInfo.flags = kVstTransportPlaying | kVstTempoValid | kVstBarsValid;
  sendTimeInfoToHost(&outgoingTimeInfo);
}

void TremoloEffect::followHostTransport() {
  const VstTimeInfo* info = getTimeInfo(kAllTimeInfo);
  if (!info) return;
  // A NaN host tempo fails the comparison and is ignored; infinities fail the
  // range check below.
  if ((info->flags & kVstTempoValid) && std::fabs(relaxed(tempo) - info->tempo) > 0.01) {
    double hostTempo = info->tempo;
    if (!(hostTempo >= 1.0 && hostTempo <= static_cast<double>(kHighestTempo))) hostTempo = 120.0;
    setRelaxed(tempo, hostTempo);
    setParameter(kTempo, static_cast<float>(hostTempo));
  }
  // The comparison also turns away NaN and infinities.
  if (tempoSourceNumber() == kMidiSyncSource && (info->flags & kVstTransportPlaying) &&
      std::fabs(info->ppqPos) < kFarthestHostPosition) {
    beatPosition = info->ppqPos;
  }
}

int32 TremoloEffect::processEvents(VstEvents* events) {
  if (!events) return 1;
  // The list is longer than its declared two entries; index through a pointer.
  VstEvent* const* list = events->events;
  for (int32 i = 0; i < events->numEvents; ++i) {
    const VstEvent* event = list[i];
    if (!event || event->type != kVstMidiType) continue;
    const auto* midi = reinterpret_cast<const VstMidiEvent*>(event);
    const int status = static_cast<unsigned char>(midi->midiData[0]);
    const int number = midi->midiData[1] & 0x7F;
    const int amount = midi->midiData[2] & 0x7F;
    if ((status & 0x0F) != midiChannel()) continue;
    const int32 source = tempoSourceNumber();
    const bool accepted = source == kNoteTapSource
                              ? (status & 0xF0) == kNoteOn && amount > 0
                              : (status & 0xF0) == kControlChange && amount == 127;
    // In the host modes MIDI taps are ignored.
    if (!accepted || source >= kHostSyncSource || number != tapNumber()) continue;
    tap(1.0f);
  }
  return 1;
}
