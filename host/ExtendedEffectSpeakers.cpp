// Speaker arrangement helpers for the variable-length VstSpeakerArrangement
// record: a header followed by numChannels speaker records.
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "host/ExtendedEffect.h"

namespace {
constexpr std::size_t kHeaderBytes = offsetof(VstSpeakerArrangement, speakers);
}  // namespace

bool ExtendedEffect::allocateSpeakerArrangement(VstSpeakerArrangement** holder, int32 channels) {
  if (!holder) return false;
  freeSpeakerArrangement(holder);
  if (channels < 0) return false;
  // Computed in 64 bits so that a large count cannot wrap a 32-bit size.
  const std::uint64_t bytes =
      kHeaderBytes + sizeof(VstSpeakerProperties) * static_cast<std::uint64_t>(channels);
  if (bytes > SIZE_MAX) return false;
  auto* arrangement =
      static_cast<VstSpeakerArrangement*>(std::calloc(1, static_cast<std::size_t>(bytes)));
  if (!arrangement) return false;
  arrangement->numChannels = channels;
  *holder = arrangement;
  return true;
}

bool ExtendedEffect::freeSpeakerArrangement(VstSpeakerArrangement** holder) {
  if (!holder) return false;
  std::free(*holder);
  *holder = nullptr;
  return true;
}

bool ExtendedEffect::copySpeakerProperties(VstSpeakerProperties* to,
                                           const VstSpeakerProperties* from) {
  if (!to || !from) return false;
  std::memcpy(to->name, from->name, sizeof to->name);
  to->azimuth = from->azimuth;
  to->elevation = from->elevation;
  to->radius = from->radius;
  to->reserved = from->reserved;
  to->type = from->type;
  std::memcpy(to->future, from->future, sizeof to->future);
  return true;
}

bool ExtendedEffect::matchSpeakerArrangement(VstSpeakerArrangement** to,
                                             const VstSpeakerArrangement* from) {
  if (!from || !allocateSpeakerArrangement(to, from->numChannels)) return false;
  (*to)->type = from->type;
  // The records are longer than their declared eight speakers; index through
  // plain pointers so no fixed bound applies.
  VstSpeakerProperties* target = (*to)->speakers;
  const VstSpeakerProperties* source = from->speakers;
  for (int32 i = 0; i < from->numChannels; ++i) {
    if (!copySpeakerProperties(target + i, source + i)) return false;
  }
  return true;
}
