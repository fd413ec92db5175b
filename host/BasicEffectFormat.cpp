// Number-to-text helpers of the parameter displays: eight characters wide, the
// fraction truncated rather than rounded.
#include <cmath>
#include <cstdint>
#include <cstdio>

#include "base/HostText.h"
#include "host/BasicEffect.h"

namespace {
constexpr int kDisplayWidth = 8;
}  // namespace

void BasicEffect::formatFloat(float value, char* text) {
  const double magnitude = std::fabs(static_cast<double>(value));
  const bool negative = value < 0.0f;
  // Written as "not within" so that NaN lands here too.
  if (!(magnitude <= (negative ? 9999999.0 : 99999999.0))) {
    copyHostText(text, "Huge!");
    return;
  }
  const double whole = std::floor(magnitude);
  char buffer[kHostTextSize];
  int length = std::snprintf(buffer, sizeof buffer, "%s%llu.", negative ? "-" : "",
                             static_cast<unsigned long long>(whole));
  const int fractionDigits = kDisplayWidth - length;
  if (fractionDigits > 0) {
    std::uint64_t fraction =
        static_cast<std::uint64_t>((magnitude - whole) * std::pow(10.0, fractionDigits));
    for (int i = length + fractionDigits - 1; i >= length; --i) {
      buffer[i] = static_cast<char>('0' + fraction % 10);
      fraction /= 10;
    }
    length += fractionDigits;
    buffer[length] = '\0';
  }
  copyHostText(text, buffer);
}

void BasicEffect::formatInteger(int32 value, char* text) {
  if (value >= 100000000) {
    copyHostText(text, "Huge!");
    return;
  }
  char buffer[kHostTextSize];
  std::snprintf(buffer, sizeof buffer, "%7d", static_cast<int>(value));
  buffer[kDisplayWidth] = '\0';
  copyHostText(text, buffer);
}

void BasicEffect::formatDecibels(float value, char* text) {
  if (!(value > 0.0f)) {
    copyHostText(text, "-oo");
    return;
  }
  formatFloat(static_cast<float>(20.0 * std::log10(static_cast<double>(value))), text);
}

void BasicEffect::formatHertz(float samples, char* text) {
  formatFloat(samples == 0.0f ? 0.0f : getSampleRate() / samples, text);
}

void BasicEffect::formatMilliseconds(float samples, char* text) {
  formatFloat(samples * 1000.0f / getSampleRate(), text);
}
