// The metronome: a MIDI note-on at each beat, its note-off half a beat later.
#include <algorithm>
#include <cmath>

#include "effect/TremoloEffect.h"
#include "effect/WholePart.h"
#include "host/Relaxed.h"

void TremoloEffect::runMetronome(double previousBeat, double beat) {
  const std::uint32_t now = relaxed(sampleCounter);
  const double w = rate();
  // The previous block's beat is usually the one judged last time.
  BlockConstants& constants = blockConstants;
  if (!BlockConstants::same(constants.judgedBeat, previousBeat)) {
    constants.wholeBeat = wholePart(previousBeat);
    constants.halfBeat = wholePart(previousBeat + 0.5);
  }
  const double previousWhole = constants.wholeBeat;
  const double previousHalf = constants.halfBeat;
  constants.judgedBeat = beat;
  constants.wholeBeat = wholePartNear(beat, previousWhole);
  constants.halfBeat = wholePartNear(beat + 0.5, previousHalf);
  // Whole beats are compared once per block, so the click goes out at the start
  // of the first block that ends past a beat; a recent click or tap suppresses it.
  if (constants.wholeBeat != previousWhole &&
      static_cast<double>(now - relaxed(lastClickTime)) > w / 8.0) {
    setRelaxed(lastClickTime, now);
    const int32 count = std::clamp(relaxed(tapCount), 0, kTapSlots - 1);
    if (count != 0 && static_cast<double>(now - relaxed(tapHistory[count])) > 2.5 * w) {
      setRelaxed(tapCount, 0);
    }
    sendClick(metronomeVelocity());
  }
  if (constants.halfBeat != previousHalf && relaxed(lastClickTime) != 0) {
    sendClick(0);
    setRelaxed(lastClickTime, std::uint32_t{0});
  }
}

void TremoloEffect::sendClick(unsigned char velocity) {
  sendMidiMessage(static_cast<unsigned char>(0x90 + midiChannel()), metronomeNote(), velocity, 0);
}

void TremoloEffect::sendMidiMessage(unsigned char status, unsigned char data1, unsigned char data2,
                                    unsigned char data3) {
  VstMidiEvent event{};
  event.type = kVstMidiType;
  event.byteSize = kVstMidiEventByteSize;
  event.midiData[0] = static_cast<char>(status);
  event.midiData[1] = static_cast<char>(data1);
  event.midiData[2] = static_cast<char>(data2);
  event.midiData[3] = static_cast<char>(data3);
  VstEvents list{};
  list.numEvents = 1;
  list.events[0] = reinterpret_cast<VstEvent*>(&event);
  sendEventsToHost(&list);
}
