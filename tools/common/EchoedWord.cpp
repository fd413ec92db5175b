#include "tools/common/EchoedWord.h"

namespace qv::tools {

namespace {

constexpr std::string_view kEllipsis = "...";

bool isContinuationByte(char c) {
  return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

}  // namespace

std::string echoedWord(std::string_view word) {
  const bool cut = word.size() > kMaxEchoedLength;
  if (cut) {
    std::size_t end = kMaxEchoedLength - kEllipsis.size();
    while (end > 0 && isContinuationByte(word[end])) --end;
    word = word.substr(0, end);
  }
  std::string shown(word);
  for (char& c : shown) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || byte == 0x7F) c = '?';
  }
  if (cut) shown += kEllipsis;
  return shown;
}

}  // namespace qv::tools
