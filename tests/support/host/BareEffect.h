// The bare second effect layer, for its defaults: one input, one output, one program, and a
// process that does nothing.
#pragma once

#include "host/ExtendedEffect.h"

class BareEffect : public ExtendedEffect {
 public:
  explicit BareEffect(audioMasterCallback host) : ExtendedEffect(host, 1, 1) {}
  void process(float**, float**, int32) override {}
};
