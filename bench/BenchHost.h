// The host that measurements run in: it answers the version request and
// nothing else, like a host without transport.
#pragma once

#include "host/Vst2.h"

namespace qv::bench {

// Answers audioMasterVersion with 2400 and every other request with 0 (so no
// time information). Callable from any thread.
intptr VSTCALLBACK benchHostCallback(AEffect* effect, int32 opcode, int32 index, intptr value,
                                     void* ptr, float opt);

}  // namespace qv::bench
