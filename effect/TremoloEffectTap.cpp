// Tap tempo: the tempo follows the average interval of the latest taps.
#include <algorithm>
#include <cstddef>

#include "base/Relaxed.h"
#include "effect/TremoloEffect.h"
#include "host/BasicEditor.h"

void TremoloEffect::tap(float source) {
  const std::uint32_t now = relaxed(sampleCounter);
  const double w = rate();
  if (static_cast<double>(now - relaxed(lastClickTime)) > w / 6.0) sendClick(metronomeVelocity());

  // Taps may come from two threads at once; the clamp keeps every index in range.
  const int32 count = std::clamp(relaxed(tapCount), 0, kTapSlots - 1);
  const int32 window = tapWindow();
  if (count < window) {
    setRelaxed(tapCount, count + 1);
    setRelaxed(tapHistory[static_cast<std::size_t>(count) + 1], now);
  } else {
    int32 newCount = count + 1;
    if (count > window) {
      // The run is full: drop the oldest stamp.
      for (std::size_t i = 1; i <= static_cast<std::size_t>(count); ++i) {
        setRelaxed(tapHistory[i - 1], relaxed(tapHistory[i]));
      }
      newCount = count;
    }
    setRelaxed(tapCount, newCount);
    setRelaxed(tapHistory[static_cast<std::size_t>(newCount)], now);
    setTempoFromTapIntervals(now - relaxed(tapHistory[1]),
                             static_cast<std::uint32_t>(newCount - 1));
  }
  setRelaxed(lightState, 1);
  setRelaxed(lastClickTime, now);
  if (editor && source == 1.0f) editor->update();
}

void TremoloEffect::setTempoFromTapIntervals(std::uint32_t total, std::uint32_t count) {
  if (count == 0) return;
  const double w = rate();
  // The tapped beat is kept within what the tempo parameter stores (0.1 s to
  // 1.2 s): two taps in one block would otherwise give an infinite tempo, and a
  // stored value outside 0 to 1 would come back as another tempo on a program
  // change.
  const double shortest = std::max(1.0, shortestBeat(w));
  const double longest = std::max(shortest, longestBeat(w));
  const double interval = std::clamp(static_cast<double>(total / count), shortest, longest);
  storeParameter(kTempo, std::clamp(valueOfBeat(interval, w), 0.0f, 1.0f));
  setRelaxed(tempo, 60.0 * w / interval);
  if (editor) editor->requestUpdate();
}
