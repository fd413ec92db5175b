#include "bench/BenchHost.h"

namespace qv::bench {

intptr VSTCALLBACK benchHostCallback(AEffect*, int32 opcode, int32, intptr, void*, float) {
  return opcode == audioMasterVersion ? 2400 : 0;
}

}  // namespace qv::bench
