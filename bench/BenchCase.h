// The processing cases every measurement covers: each LFO shape in both stereo
// modes at three block sizes and three softness settings.
#pragma once

#include <string>
#include <vector>

#include "effect/TremoloParameterTable.h"
#include "host/Vst2.h"

namespace qv::bench {

constexpr int32 kShapeCount = kParameterRows[kShape].number.high + 1;
constexpr int32 kBlockSizes[] = {64, 512, 4096};
// The default program's softness first, then both ends of the range.
constexpr float kSoftnessSettings[] = {kParameterRows[kSoftness].initial, 0.0f, 1.0f};
constexpr float kDefaultSoftness = kSoftnessSettings[0];

struct BenchCase {
  int32 shape = 4;       // 0 square, 1 triangle, 2 rising saw, 3 falling saw, 4 sine
  bool tremolo = false;  // false: the panner, as in the default program
  float softness = kDefaultSoftness;
  int32 blockSize = 512;
};

// Every combination, grouped by block size, then softness, mode and shape.
std::vector<BenchCase> allBenchCases();

// True for the default program's settings: the panner, the sine, the default
// softness.
bool isDefaultProgram(const BenchCase& benchCase);

// A short unique name such as "512/s0.125/Panner/Sine".
std::string caseName(const BenchCase& benchCase);
const char* shapeName(int32 shape);

// Sets the case's shape, stereo mode and softness through the record; every other
// parameter keeps the default program's value.
void applyCase(AEffect* record, const BenchCase& benchCase);

}  // namespace qv::bench
