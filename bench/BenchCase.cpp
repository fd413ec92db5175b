#include "bench/BenchCase.h"

#include <cstdio>

namespace qv::bench {

std::vector<BenchCase> allBenchCases() {
  std::vector<BenchCase> cases;
  for (int32 blockSize : kBlockSizes)
    for (float softness : kSoftnessSettings)
      for (bool tremolo : {false, true})
        for (int32 shape = 0; shape < kShapeCount; ++shape)
          cases.push_back({shape, tremolo, softness, blockSize});
  return cases;
}

bool isDefaultProgram(const BenchCase& benchCase) {
  const BenchCase defaults;
  return benchCase.shape == defaults.shape && benchCase.tremolo == defaults.tremolo &&
         benchCase.softness == defaults.softness;
}

const char* shapeName(int32 shape) {
  static const char* const kNames[kShapeCount] = {"Square", "Triangle", "SawUp", "SawDown", "Sine"};
  return shape >= 0 && shape < kShapeCount ? kNames[shape] : "?";
}

std::string caseName(const BenchCase& benchCase) {
  char text[64];
  std::snprintf(text, sizeof text, "%d/s%g/%s/%s", static_cast<int>(benchCase.blockSize),
                static_cast<double>(benchCase.softness), benchCase.tremolo ? "Tremolo" : "Panner",
                shapeName(benchCase.shape));
  return text;
}

void applyCase(AEffect* record, const BenchCase& benchCase) {
  // The middle of each shape's fifth of the range, clear of truncation edges.
  const float shapeValue = (static_cast<float>(benchCase.shape) + 0.5f) / kShapeCount;
  record->setParameter(record, kShape, shapeValue);
  record->setParameter(record, kStereoMode, benchCase.tremolo ? 1.0f : 0.0f);
  record->setParameter(record, kSoftness, benchCase.softness);
}

}  // namespace qv::bench
