#include "tools/stress/DispatchArguments.h"

#include <algorithm>
#include <cstring>

namespace qv::stress {

namespace {

constexpr char kTextFill = 'Z';
constexpr char kCanary = static_cast<char>(0xA5);

bool untouchedFrom(const char* buffer, size_t from, size_t size) {
  return std::all_of(buffer + from, buffer + size, [](char c) { return c == kCanary; });
}

}  // namespace

DispatchArguments::DispatchArguments(const Request& request)
    : opcode_(request.opcode),
      argument_(argumentOf(request.opcode)),
      value_(request.value),
      events_(request.events),
      eventList_(2 + request.events.size()) {
  std::memset(text_, kCanary, sizeof text_);
  std::memset(scratch_, kCanary, sizeof scratch_);
  pointer_ = scratch_;
  switch (argument_) {
    case Argument::TextOut:
      std::memset(text_, kTextFill, kTextLimit);
      pointer_ = text_;
      break;
    case Argument::TextIn:
    case Argument::ChunkIn: {
      const size_t length = std::min(request.text.size(), kTextBuffer - 1);
      std::memcpy(text_, request.text.data(), length);
      text_[length] = '\0';
      pointer_ = text_;
      break;
    }
    case Argument::RectOut:
      pointer_ = &rect_;
      break;
    case Argument::RectIn:
      pointer_ = &drawRect_;
      break;
    case Argument::ChunkOut:
      pointer_ = &chunk_;
      break;
    case Argument::Events:
      reinterpret_cast<VstEvents*>(eventList_.data())->numEvents =
          static_cast<int32>(events_.size());
      for (size_t i = 0; i < events_.size(); ++i)
        eventList_[2 + i] = reinterpret_cast<intptr>(&events_[i]);
      pointer_ = eventList_.data();
      break;
    case Argument::SpeakersIn:
      arrangements_[0].numChannels = arrangements_[1].numChannels = 2;
      value_ = reinterpret_cast<intptr>(&arrangements_[0]);
      pointer_ = &arrangements_[1];
      break;
    case Argument::SpeakersOut:
      value_ = reinterpret_cast<intptr>(&holders_[0]);
      pointer_ = &holders_[1];
      break;
    case Argument::Scratch:
      break;
  }
  std::memcpy(textBefore_, text_, sizeof text_);
}

bool DispatchArguments::answersText(intptr result) const {
  switch (opcode_) {
    case effGetProgramName:
    case effGetParamLabel:
    case effGetParamDisplay:
    case effGetParamName:
    case effGetEffectName:
    case effGetVendorString:
    case effGetProductString:
      return true;
    default:
      // effGetProgramNameIndexed and effGetErrorText answer 1 when they write.
      return argument_ == Argument::TextOut && result != 0;
  }
}

std::string DispatchArguments::check(intptr result) const {
  switch (argument_) {
    case Argument::TextOut: {
      if (!untouchedFrom(text_, kTextLimit, kTextBuffer)) return "text written past 64 bytes";
      if (!answersText(result)) return "";
      const void* end = std::memchr(text_, '\0', kTextLimit);
      if (!end) return "text not terminated within 64 bytes";
      const auto length = static_cast<const char*>(end) - text_;
      if (opcode_ == effGetProgramName && length >= kVstMaxProgNameLen)
        return "program name of " + std::to_string(length) + " characters";
      return "";
    }
    case Argument::TextIn:
    case Argument::ChunkIn:
      return std::memcmp(text_, textBefore_, sizeof text_) ? "the input text was changed" : "";
    case Argument::RectOut:
      return rect_ && (rect_->top > rect_->bottom || rect_->left > rect_->right)
                 ? "the editor rectangle is inverted"
                 : "";
    case Argument::ChunkOut:
      return result > 0 && !chunk_ ? "a chunk size without chunk data" : "";
    case Argument::Scratch:
      return untouchedFrom(scratch_, kScratchLimit, kScratchBuffer)
                 ? ""
                 : "bytes written past 512 into the record";
    default:
      return "";
  }
}

std::string DispatchArguments::answeredText(intptr result) const {
  if (argument_ != Argument::TextOut || !answersText(result)) return "";
  const void* end = std::memchr(text_, '\0', kTextLimit);
  return end ? std::string(text_, static_cast<const char*>(end)) : "";
}

}  // namespace qv::stress
