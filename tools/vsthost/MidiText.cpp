#include "tools/vsthost/MidiText.h"

#include <algorithm>
#include <charconv>
#include <cstdio>

namespace qv::host {

namespace {

std::vector<std::string_view> splitWords(std::string_view line) {
  std::vector<std::string_view> words;
  size_t i = 0;
  while (i < line.size()) {
    while (i < line.size() && (line[i] == ' ' || line[i] == '\t' || line[i] == '\r')) ++i;
    size_t end = i;
    while (end < line.size() && line[end] != ' ' && line[end] != '\t' && line[end] != '\r') ++end;
    if (end > i) words.push_back(line.substr(i, end - i));
    i = end;
  }
  return words;
}

template <typename T>
bool parseWhole(std::string_view word, T& value) {
  const auto [end, ec] = std::from_chars(word.data(), word.data() + word.size(), value);
  return ec == std::errc() && end == word.data() + word.size();
}

bool parseLine(std::string_view line, TimedMidiEvent& event, std::string& reason) {
  const std::vector<std::string_view> words = splitWords(line);
  if (words.size() != 5) {
    reason = "expected SAMPLE note|off|cc CHANNEL NUMBER VALUE";
    return false;
  }
  std::int64_t sample = 0;
  if (!parseWhole(words[0], sample) || sample < 0) {
    reason = "sample position must be a whole number from 0";
    return false;
  }
  std::uint8_t kind = 0;
  if (words[1] == "note")
    kind = 0x90;
  else if (words[1] == "off")
    kind = 0x80;
  else if (words[1] == "cc")
    kind = 0xB0;
  else {
    reason = "unknown event type '" + std::string(words[1]) + "' (use note, off or cc)";
    return false;
  }
  int channel = 0, number = 0, value = 0;
  if (!parseWhole(words[2], channel) || channel < 1 || channel > 16) {
    reason = "channel must be 1 to 16";
    return false;
  }
  if (!parseWhole(words[3], number) || number < 0 || number > 127 || !parseWhole(words[4], value) ||
      value < 0 || value > 127) {
    reason = "number and value must be 0 to 127";
    return false;
  }
  event.sample = sample;
  event.bytes = {static_cast<std::uint8_t>(kind | (channel - 1)), static_cast<std::uint8_t>(number),
                 static_cast<std::uint8_t>(value)};
  return true;
}

}  // namespace

bool parseMidiText(std::string_view text, std::vector<TimedMidiEvent>& events, std::string& error) {
  std::vector<TimedMidiEvent> parsed;
  size_t lineNumber = 0;
  while (!text.empty()) {
    ++lineNumber;
    const size_t newline = text.find('\n');
    std::string_view line = text.substr(0, newline);
    text = newline == std::string_view::npos ? std::string_view() : text.substr(newline + 1);
    line = line.substr(0, line.find('#'));
    if (splitWords(line).empty()) continue;
    TimedMidiEvent event;
    std::string reason;
    if (!parseLine(line, event, reason)) {
      error = "line " + std::to_string(lineNumber) + ": " + reason;
      return false;
    }
    parsed.push_back(event);
  }
  std::stable_sort(
      parsed.begin(), parsed.end(),
      [](const TimedMidiEvent& a, const TimedMidiEvent& b) { return a.sample < b.sample; });
  events = std::move(parsed);
  return true;
}

std::string formatMidiEvent(const TimedMidiEvent& event) {
  const std::uint8_t status = event.bytes[0];
  const char* word = nullptr;
  switch (status & 0xF0) {
    case 0x90:
      word = "note";
      break;
    case 0x80:
      word = "off";
      break;
    case 0xB0:
      word = "cc";
      break;
    default:
      break;
  }
  char line[96];
  if (word)
    std::snprintf(line, sizeof line, "%lld %s %d %d %d", static_cast<long long>(event.sample), word,
                  (status & 0x0F) + 1, event.bytes[1], event.bytes[2]);
  else
    std::snprintf(line, sizeof line, "%lld raw %02X %02X %02X",
                  static_cast<long long>(event.sample), status, event.bytes[1], event.bytes[2]);
  return line;
}

}  // namespace qv::host
