#include "resources/skin/Skin.h"

#include <cmath>

#include "resources/skin/ControlArt.h"
#include "resources/skin/PanelArt.h"
#include "resources/skin/SkinLayout.h"

using namespace layout;

std::vector<SkinImage> drawSkin(Lettering& lettering) {
  const Canvas panel = drawPanel(lettering);
  std::vector<SkinImage> skin;
  skin.push_back({10001, "background.bmp", 24, panel});
  skin.push_back({10002, "slider-track.bmp", 24, drawSliderTrack(panel)});
  skin.push_back({10003, "slider-handle.bmp", 16, drawSliderHandle()});
  skin.push_back({10004, "knob.bmp", 24, drawKnob(panel)});
  skin.push_back({10005, "knob-pointer.bmp", 24, drawKnobPointer()});
  skin.push_back({10006, "tempo-source-switch.bmp", 24, drawTempoSourceSwitch(panel)});
  skin.push_back({10007, "shape-switch.bmp", 24, drawShapeSwitch(panel)});
  skin.push_back({10008, "tap-button.bmp", 24, drawTapButton(panel, lettering)});
  skin.push_back({10009, "light.bmp", 32, drawLight(panel)});
  skin.push_back({10010, "about.bmp", 24, drawAbout(lettering)});
  skin.push_back({10011, "phase-track.bmp", 24, drawPhaseTrack(panel)});
  skin.push_back({10012, "phase-handle.bmp", 24, drawPhaseHandle()});
  skin.push_back({10013, "shapes.bmp", 24, drawShapePictures(panel)});
  skin.push_back({10014, "stereo-mode-button.bmp", 16, drawStereoModeButton(panel)});
  skin.push_back({10015, "light-follows-button.bmp", 24, drawLightFollowsButton(panel)});
  return skin;
}

namespace {

const Canvas& picture(const std::vector<SkinImage>& skin, std::int32_t id) {
  for (const SkinImage& image : skin) {
    if (image.id == id) return image.picture;
  }
  return skin.front().picture;
}

// Copies image `index` of a strip of `count` to the rectangle; white is left out when keyed.
void place(Canvas& c, const Canvas& strip, std::int32_t count, std::int32_t index, const Rect& at,
           bool keyed) {
  const std::int32_t h = strip.height() / count;
  for (std::int32_t y = 0; y < h && y < at.height(); ++y) {
    for (std::int32_t x = 0; x < strip.width() && x < at.width(); ++x) {
      const Rgb p = strip.at(x, index * h + y);
      if (keyed && p.r == 255 && p.g == 255 && p.b == 255) continue;
      c.blend(at.left + x, at.top + y, p, 1);
    }
  }
}

void verticalSliderAt(Canvas& c, const std::vector<SkinImage>& skin, const Rect& at, float value) {
  place(c, picture(skin, 10002), 1, 0, at, false);
  const auto top = at.top + kHandleInset + static_cast<std::int32_t>(kHandleTravel * (1 - value));
  const std::int32_t left = at.left + kHandleInset;
  place(c, picture(skin, 10003), 1, 0, Rect(left, top, left + kHandleSize, top + kHandleSize),
        true);
}

// A rectangle grown (positive) or shrunk (negative) by grow on every side, as a shape.
Shape boxOf(const Rect& at, std::int32_t grow = 0) {
  return shapes::box(static_cast<float>(at.left - grow), static_cast<float>(at.top - grow),
                     static_cast<float>(at.right + grow), static_cast<float>(at.bottom + grow));
}

float centreX(const Rect& at) {
  return static_cast<float>(at.left + at.right) / 2.0f;
}
float centreY(const Rect& at) {
  return static_cast<float>(at.top + at.bottom) / 2.0f;
}

void field(Canvas& c, Lettering& l, const Rect& at, const char* text, std::int32_t size) {
  c.fill(boxOf(at), Rgb{0, 0, 0});
  c.fill(shapes::subtract(boxOf(at), boxOf(at, -1)), Rgb{255, 255, 255});
  l.draw(c, text, centreX(at), centreY(at), Align::Centre,
         TextStyle{size, false, 0, Rgb{255, 255, 255}});
}

void display(Canvas& c, Lettering& l, const Rect& at, const char* text) {
  c.fill(boxOf(at), Rgb{127, 127, 127});
  l.draw(c, text, centreX(at), centreY(at), Align::Centre,
         TextStyle{9, false, 0, Rgb{255, 255, 255}});
}

}  // namespace

Canvas drawEditorPreview(const std::vector<SkinImage>& skin, Lettering& lettering) {
  Canvas c(picture(skin, 10001));
  place(c, picture(skin, 10009), 2, 1, kLight, false);
  place(c, picture(skin, 10013), 5, 4, kShapeDisplay, false);
  place(c, picture(skin, 10015), 2, 0, kLightFollows, false);
  place(c, picture(skin, 10014), 2, 0, kStereoMode, false);
  place(c, picture(skin, 10008), 2, 0, kTap, false);
  verticalSliderAt(c, skin, kDepthSlider, 0.5f);
  display(c, lettering, kDepthText, "-6.0dB");
  place(c, picture(skin, 10011), 1, 0, kPhaseSlider, false);
  place(c, picture(skin, 10012), 1, 0,
        Rect(kPhaseSlider.left, kPhaseSlider.top, kPhaseSlider.left + kPhaseHandleWidth,
             kPhaseSlider.bottom),
        true);
  verticalSliderAt(c, skin, kMultiplierSlider, 0.357f);
  display(c, lettering, kMultiplierText, "1.5x");
  verticalSliderAt(c, skin, kSoftnessSlider, 0.125f);
  display(c, lettering, kSoftnessText, "256 samples");
  place(c, picture(skin, 10006), 4, 0, kTempoSource, false);
  place(c, picture(skin, 10007), 5, 4, kTremoloType, false);
  field(c, lettering, kTempoField, "160", 18);
  field(c, lettering, kMinimumTaps, "4", 14);
  field(c, lettering, kMidiChannel, "8", 14);
  field(c, lettering, kTapNote, "25", 14);
  field(c, lettering, kMetronomeNote, "84", 14);
  place(c, picture(skin, 10004), 1, 0, kVolumeKnob, false);
  // The pointer at 0.656 of the knob's 270-degree sweep, 3 pixels in from the rim.
  const float angle = 3.9269908f - 4.712389f * 0.65625f;
  const auto px = static_cast<std::int32_t>(7.5f + std::cos(angle) * 4.5f + 0.5f);
  const auto py = static_cast<std::int32_t>(7.5f - std::sin(angle) * 4.5f + 0.5f);
  const std::int32_t x = kVolumeKnob.left + px - 1;
  const std::int32_t y = kVolumeKnob.top + py - 1;
  place(c, picture(skin, 10005), 1, 0, Rect(x, y, x + 3, y + 3), true);
  return c;
}
