#include "plugin/TremoloEditor.h"

#include <cfloat>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>

#include "base/SafeConvert.h"
#include "editor/DropInfoDisplay.h"
#include "effect/TremoloEffect.h"
#include "gui/controls/Button.h"
#include "gui/controls/ImageStripDisplay.h"
#include "gui/controls/Knob.h"
#include "gui/controls/Slider.h"
#include "gui/controls/SplashPanel.h"
#include "gui/controls/Switch.h"
#include "gui/controls/TextField.h"
#include "gui/core/Bitmap.h"
#include "gui/core/Frame.h"
#include "host/ExtendedEffect.h"
#include "resources/layout/SkinLayout.h"

namespace {

// The about area reports an index of its own, which no parameter has.
constexpr std::int32_t kAbout = 22;

constexpr std::int32_t kSpaceBar = 32;
// The effect's texts fit in 64 bytes.
constexpr std::size_t kTextSize = 64;

// The skin bitmaps of one build of the window: each loaded when first asked for, all
// released once the controls hold their own references.
class SkinBitmaps {
 public:
  SkinBitmaps() = default;
  SkinBitmaps(const SkinBitmaps&) = delete;
  SkinBitmaps& operator=(const SkinBitmaps&) = delete;
  ~SkinBitmaps() {
    for (Bitmap* bitmap : loaded) {
      if (bitmap) bitmap->release();
    }
  }
  Bitmap* operator[](const skin::BitmapFile& file) {
    Bitmap*& slot = loaded[file.id - skin::kBackground.id];
    if (!slot) slot = new Bitmap(file.id);
    return slot;
  }

 private:
  Bitmap* loaded[skin::kBitmapCount] = {};
};

// A number typed into a field, as atof reads it. Text that reads as no finite number counts
// as 0, like letters, so that no infinity or NaN reaches the effect or the host.
double typedNumber(const TextField* field) {
  char text[kTextBufferSize] = {};
  field->getText(text);
  const double x = std::atof(text);
  return std::isfinite(x) ? x : 0.0;
}

// Keeps a huge typed number within float's range instead of overflowing the conversion.
float toFloat(double x) {
  return static_cast<float>(x > FLT_MAX ? FLT_MAX : x < -FLT_MAX ? -FLT_MAX : x);
}

// Truncates toward zero, saturating at the ends of int's range.
int truncated(double x) {
  return truncateClamped(x, INT_MIN, INT_MAX);
}

// Nothing without the field.
void setTextField(TextField* field, int number) {
  if (!field) return;
  char text[kTextSize];
  std::snprintf(text, sizeof text, "%d", number);
  field->setText(text);
}

void makeTextField(TextField* field, FontId font) {
  field->setFont(font);
  field->setFontColor(kWhite);
  field->setBackColor(kBlack);
  field->setFrameColor(kWhite);
  field->setTextAlignment(kTextCenter);
}

void makeTextDisplay(DropInfoDisplay* display) {
  display->setFont(kFontArial9);
  display->setFontColor(kWhite);
  display->setBackColor(kGrey);
}

}  // namespace

BasicEditor* makeTremoloEditor(ExtendedEffect* effect) {
  return new (std::nothrow) TremoloEditor(effect);
}

TremoloEditor::TremoloEditor(ExtendedEffect* owner) : EditorBase(owner) {
  frame = nullptr;
  rectangle = ERect{static_cast<std::int16_t>(skin::kPanel.top),
                    static_cast<std::int16_t>(skin::kPanel.left),
                    static_cast<std::int16_t>(skin::kPanel.bottom),
                    static_cast<std::int16_t>(skin::kPanel.right)};
}

TremoloEditor::~TremoloEditor() {
  if (frame) close();
}

int TremoloEditor::open(void* parentWindow) {
  // A second open without a close would leave the first window and timer running.
  if (frame) close();
  EditorBase::open(parentWindow);
  windowThread.store(std::this_thread::get_id(), std::memory_order_relaxed);
  pendingParameters.store(0, std::memory_order_relaxed);
  buildControls();
  refreshAll();
  startLightTimer();
  return 1;
}

void TremoloEditor::buildControls() {
  SkinBitmaps bitmaps;
  frame = new Frame(skin::kPanel, systemWindow, this);
  frame->setBackdrop(bitmaps[skin::kBackground]);

  lightDisplay =
      new ImageStripDisplay(skin::kLight, this, 0, skin::kLightStrip.pictures,
                            skin::kLightStrip.height, bitmaps[skin::kLightStrip], Point(0, 0));
  frame->addChild(lightDisplay);
  shapeDisplay = new ImageStripDisplay(skin::kShapeDisplay, this, 0, skin::kShapePictures.pictures,
                                       skin::kShapePictures.height, bitmaps[skin::kShapePictures],
                                       Point(0, 0));
  frame->addChild(shapeDisplay);
  lightFollowsButton =
      new ToggleButton(skin::kLightFollows, this, kLightFollows, bitmaps[skin::kLightFollowsStrip]);
  frame->addChild(lightFollowsButton);
  stereoModeButton =
      new ToggleButton(skin::kStereoMode, this, kStereoMode, bitmaps[skin::kStereoModeStrip]);
  frame->addChild(stereoModeButton);
  tapButton = new MomentaryButton(skin::kTap, this, kTap, skin::kTapButtonStrip.height,
                                  bitmaps[skin::kTapButtonStrip], Point(0, 0));
  frame->addChild(tapButton);

  // The three vertical sliders share one track and handle.
  const auto verticalSlider = [&](const Rect& size, std::int32_t tag) {
    auto* slider = new VerticalSlider(size, this, tag, size.top + skin::kHandleInset,
                                      size.top + skin::kHandleInset + skin::kHandleTravel,
                                      bitmaps[skin::kSliderHandle], bitmaps[skin::kSliderTrack],
                                      Point(0, 0), kSliderOriginBottom);
    slider->setThumbOffset(Point(skin::kHandleInset, 0));
    return slider;
  };
  const auto textDisplay = [&](const Rect& size) {
    auto* display = new DropInfoDisplay(size, "");
    makeTextDisplay(display);
    frame->addChild(display);
    return display;
  };

  depthSlider = verticalSlider(skin::kDepthSlider, kDepth);
  depthSlider->setJumpToClick(true);
  frame->addChild(depthSlider);
  depthText = textDisplay(skin::kDepthText);

  phaseSlider = new HorizontalSlider(skin::kPhaseSlider, this, kPhase, skin::kPhaseSlider.left,
                                     skin::kPhaseSlider.left + skin::kPhaseTravel,
                                     bitmaps[skin::kPhaseHandle], bitmaps[skin::kPhaseTrack],
                                     Point(0, 0), kSliderOriginLeft);
  phaseSlider->setThumbOffset(Point(0, 0));
  phaseSlider->setJumpToClick(true);
  frame->addChild(phaseSlider);

  multiplierSlider = verticalSlider(skin::kMultiplierSlider, kMultiplier);
  multiplierSlider->setJumpToClick(true);
  frame->addChild(multiplierSlider);
  multiplierText = textDisplay(skin::kMultiplierText);

  softnessSlider = verticalSlider(skin::kSoftnessSlider, kSoftness);
  frame->addChild(softnessSlider);
  softnessText = textDisplay(skin::kSoftnessText);

  tempoSourceSwitch =
      new VerticalSwitch(skin::kTempoSource, this, kTempoSource, skin::kTempoSourceStrip.pictures,
                         skin::kTempoSourceStrip.height, skin::kTempoSourceStrip.pictures,
                         bitmaps[skin::kTempoSourceStrip], Point(0, 0));
  frame->addChild(tempoSourceSwitch);
  tremoloTypeSwitch =
      new VerticalSwitch(skin::kTremoloType, this, kShape, skin::kShapeSwitchStrip.pictures,
                         skin::kShapeSwitchStrip.height, skin::kShapeSwitchStrip.pictures,
                         bitmaps[skin::kShapeSwitchStrip], Point(0, 0));
  frame->addChild(tremoloTypeSwitch);

  const auto textField = [&](const Rect& size, std::int32_t tag, FontId font) {
    auto* field = new TextField(size, this, tag, nullptr, nullptr, k3DIn);
    makeTextField(field, font);
    frame->addChild(field);
    return field;
  };
  tempoField = textField(skin::kTempoField, kTempo, kFontArial18);
  minimumTapsField = textField(skin::kMinimumTaps, kMinimumTaps, kFontArial14);
  midiChannelField = textField(skin::kMidiChannel, kMidiChannel, kFontArial14);
  tapNoteField = textField(skin::kTapNote, kTapNumber, kFontArial14);
  metronomeNoteField = textField(skin::kMetronomeNote, kMetronomeNote, kFontArial14);

  metronomeVolumeKnob =
      new Knob(skin::kVolumeKnob, this, kMetronomeVolume, bitmaps[skin::kKnobBackground],
               bitmaps[skin::kKnobHandle], Point(0, 0));
  metronomeVolumeKnob->setPointerInset(3);
  frame->addChild(metronomeVolumeKnob);

  aboutPanel = new SplashPanel(skin::kAboutArea, this, kAbout, bitmaps[skin::kAboutPicture],
                               skin::placed(skin::kAboutPicture, 0, 0), Point(0, 0));
  frame->addChild(aboutPanel);
}

void TremoloEditor::refreshAll() {
  // Index 13 twice, as the window has always been filled.
  static constexpr std::int32_t kOrder[] = {
      kDepth,       kMultiplier,  kPhase,         kTempoSource,     kTempo,
      kSoftness,    kShape,       kStereoMode,    kLightFollows,    kTapNumber,
      kMinimumTaps, kMidiChannel, kMetronomeNote, kMetronomeVolume, kMinimumTaps};
  for (std::int32_t index : kOrder) setParameter(index, 0.0f);
}

void TremoloEditor::startLightTimer() {
  platform::TimerService& timers = platform::timers();
  timerPeriod = timers.finestPeriod();
  timers.beginPeriod(timerPeriod);
  timerId = timers.start(timerPeriod, &lightTimerClient);
}

void TremoloEditor::stopLightTimer() {
  platform::TimerService& timers = platform::timers();
  // Waits for a tick in progress, so that no tick draws into a frame being deleted.
  timers.stop(timerId);
  timerId = 0;
  // Only a period that open began is ended, so a close without an open leaves the
  // process's timer resolution alone.
  timers.endPeriod(timerPeriod);
  timerPeriod = 0;
}

void TremoloEditor::close() {
  stopLightTimer();
  if (frame) {
    delete frame;
    frame = nullptr;
  }
  clearControlPointers();
}

void TremoloEditor::clearControlPointers() {
  lightDisplay = shapeDisplay = nullptr;
  aboutPanel = nullptr;
  lightFollowsButton = stereoModeButton = nullptr;
  tapButton = nullptr;
  metronomeVolumeKnob = nullptr;
  tremoloTypeSwitch = tempoSourceSwitch = nullptr;
  phaseSlider = nullptr;
  depthSlider = multiplierSlider = softnessSlider = nullptr;
  tempoField = tapNoteField = metronomeNoteField = minimumTapsField = midiChannelField = nullptr;
  softnessText = multiplierText = depthText = nullptr;
}

void TremoloEditor::tick() {
  if (!lightDisplay || !aboutPanel) return;
  const float state = effect->getParameter(kLightState);
  if (aboutPanel->getValue() < 1.0f && lightDisplay->getValue() != state) {
    lightDisplay->setValue(state);
    lightDisplay->redrawNow();
  }
}

bool TremoloEditor::onWindowThread() const {
  return std::this_thread::get_id() == windowThread.load(std::memory_order_relaxed);
}

void TremoloEditor::setParameter(int index, float) {
  if (!onWindowThread()) {
    // The controls belong to the window's thread, which may be deleting them right now;
    // the change is shown by its next idle pass.
    if (index >= 0 && index < 32)
      pendingParameters.fetch_or(1u << index, std::memory_order_relaxed);
    requestUpdate();
    return;
  }
  if (!frame) return;
  switch (index) {
    case kMultiplier:
      if (multiplierSlider) multiplierSlider->setValue(effect->getParameter(kMultiplier));
      showMultiplier();
      break;
    case kTempo:
      if (tempoField) {
        char text[kTextSize] = {};
        effect->getParameterDisplay(kTempo, text);
        tempoField->setText(text);
      }
      break;
    case kDepth: {
      const float depth = effect->getParameter(kDepth);
      if (depthSlider) depthSlider->setValue(depth);
      showDepth(depth);
      break;
    }
    case kShape:
      if (tremoloTypeSwitch) tremoloTypeSwitch->setValue(effect->getParameter(kShape));
      if (shapeDisplay) shapeDisplay->setValue(effect->getParameter(kShape));
      break;
    case kPhase:
      if (phaseSlider) phaseSlider->setValue(effect->getParameter(kPhase));
      break;
    case kSoftness:
      if (softnessSlider) softnessSlider->setValue(effect->getParameter(kSoftness));
      showSoftness();
      break;
    case kStereoMode:
      if (stereoModeButton) stereoModeButton->setValue(effect->getParameter(kStereoMode));
      break;
    case kLightFollows:
      if (lightFollowsButton) lightFollowsButton->setValue(effect->getParameter(kLightFollows));
      break;
    case kTempoSource:
      if (tempoSourceSwitch) tempoSourceSwitch->setValue(effect->getParameter(kTempoSource));
      break;
    case kMidiChannel:
      setTextField(midiChannelField, truncated(effect->getParameter(kMidiChannel) * 15.0f + 1.0f));
      break;
    case kTapNumber:
      setTextField(tapNoteField, truncated(effect->getParameter(kTapNumber) * 127.0f + 1.0f));
      break;
    case kMinimumTaps:
      setTextField(minimumTapsField, 2 - truncated(effect->getParameter(kMinimumTaps) * -8.0f));
      break;
    case kMetronomeNote:
      setTextField(metronomeNoteField,
                   truncated(effect->getParameter(kMetronomeNote) * 127.0f + 1.0f));
      break;
    case kMetronomeVolume:
      if (metronomeVolumeKnob)
        metronomeVolumeKnob->setValue(effect->getParameter(kMetronomeVolume));
      break;
    default:
      break;
  }
  requestUpdate();
}

void TremoloEditor::showDepth(float depth) {
  if (!depthText) return;
  char text[kTextSize];
  if (depth < 1.0f) {
    const float decibels = static_cast<float>(20.0 * std::log10(1.0 - depth));
    std::snprintf(text, sizeof text, decibels > -10.0f ? "%2.1fdB" : "%2.0fdB",
                  static_cast<double>(decibels));
  } else {
    std::snprintf(text, sizeof text, "-oo dB");
  }
  depthText->setText(text);
}

void TremoloEditor::showMultiplier() {
  if (!multiplierText) return;
  char text[kTextSize] = {};
  effect->getParameterDisplay(kMultiplier, text);
  std::strncat(text, "x", sizeof text - std::strlen(text) - 1);
  multiplierText->setText(text);
}

void TremoloEditor::showSoftness() {
  if (!softnessText) return;
  char text[kTextSize] = {};
  char label[kTextSize] = {};
  effect->getParameterDisplay(kSoftness, text);
  effect->getParameterLabel(kSoftness, label);
  std::strncat(text, label, sizeof text - std::strlen(text) - 1);
  softnessText->setText(text);
}

void TremoloEditor::valueChanged(DrawContext* context, Control* control) {
  if (!frame || !control) return;
  const std::int32_t tag = control->getTag();
  const float value = control->getValue();
  switch (tag) {
    case kTempo:
      // The typed number is a tempo, not a 0 to 1 value; the host is not told.
      if (tempoField) effect->setParameter(kTempo, toFloat(typedNumber(tempoField)));
      break;
    case kMidiChannel:
      takeTypedNumber(midiChannelField, kMidiChannel, 1.0, 15.0, 0.033333335f);
      break;
    case kTapNumber:
      takeTypedNumber(tapNoteField, kTapNumber, 1.0, 127.0, 0.003937008f);
      break;
    case kMinimumTaps:
      takeTypedNumber(minimumTapsField, kMinimumTaps, 2.0, 8.0, 0.0625f);
      break;
    case kMetronomeNote:
      takeTypedNumber(metronomeNoteField, kMetronomeNote, 1.0, 127.0, 0.003937008f);
      break;
    case kTap:
      // The button taps on its press; its release only shows the tempo.
      if (value > 0.5f) effect->setParameterAndNotifyHost(kTap, 0.5f);
      control->update(context);
      setParameter(kTempo, 0.0f);
      break;
    default:
      effect->setParameterAndNotifyHost(tag, value);
      control->update(context);
      if (tag == kMultiplier) showMultiplier();
      if (tag == kDepth) showDepth(value);
      if (tag == kShape && shapeDisplay) shapeDisplay->setValue(value);
      if (tag == kSoftness) showSoftness();
      if (tag == kTempoSource) setParameter(kTempo, 0.0f);
      break;
  }
}

void TremoloEditor::takeTypedNumber(TextField* field, std::int32_t index, double first, double span,
                                    float halfStep) {
  if (!field) return;
  const double value = (typedNumber(field) - first) / span + halfStep;
  effect->setParameterAndNotifyHost(index, toFloat(value));
  // The field shows the number the effect now holds.
  setParameter(index, 0.0f);
}

void TremoloEditor::idle() {
  if (!frame || inIdle) return;
  const std::uint32_t pending = pendingParameters.exchange(0, std::memory_order_relaxed);
  for (int index = 0; index < 32; ++index) {
    if (pending & (1u << index)) setParameter(index, 0.0f);
  }
  refreshTempoField();
  EditorBase::idle();
}

void TremoloEditor::refreshTempoField() {
  if (!tempoField) return;
  char text[kTextSize] = {};
  effect->getParameterDisplay(kTempo, text);
  const double tempo = std::atof(text);
  if (tempoShown && tempo == lastTempoValue) return;
  lastTempoValue = tempo;
  tempoShown = true;
  tempoField->setText(text);
}

int TremoloEditor::onKeyDown(VstKeyCode& key) {
  if (key.character != kSpaceBar) return -1;
  effect->setParameterAndNotifyHost(kTap, 1.0f);
  setParameter(kTempo, 0.0f);
  return 1;
}
