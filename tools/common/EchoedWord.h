// Words from the command line or a file, made fit to quote in a message.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace qv::tools {

constexpr std::size_t kMaxEchoedLength = 80;

// `word` with control characters shown as '?' and, when longer than 80 characters,
// cut to 77 (never inside a UTF-8 sequence) and ended with "...".
std::string echoedWord(std::string_view word);

}  // namespace qv::tools
