#include "resources/skin/Skin.h"

#include <cmath>

#include "resources/skin/ControlArt.h"
#include "resources/skin/PanelArt.h"

using namespace skin;

std::vector<SkinImage> drawSkin(Lettering& lettering) {
  const Canvas panel = drawPanel(lettering);
  std::vector<SkinImage> skin;
  skin.push_back({kBackground, panel});
  skin.push_back({kSliderTrack, drawSliderTrack(panel)});
  skin.push_back({kSliderHandle, drawSliderHandle()});
  skin.push_back({kKnobBackground, drawKnob(panel)});
  skin.push_back({kKnobHandle, drawKnobPointer()});
  skin.push_back({kTempoSourceStrip, drawTempoSourceSwitch(panel)});
  skin.push_back({kShapeSwitchStrip, drawShapeSwitch(panel)});
  skin.push_back({kTapButtonStrip, drawTapButton(panel, lettering)});
  skin.push_back({kLightStrip, drawLight(panel)});
  skin.push_back({kAboutPicture, drawAbout(lettering)});
  skin.push_back({kPhaseTrack, drawPhaseTrack(panel)});
  skin.push_back({kPhaseHandle, drawPhaseHandle()});
  skin.push_back({kShapePictures, drawShapePictures(panel)});
  skin.push_back({kStereoModeStrip, drawStereoModeButton(panel)});
  skin.push_back({kLightFollowsStrip, drawLightFollowsButton(panel)});
  return skin;
}

namespace {

const Canvas& picture(const std::vector<SkinImage>& skin, const BitmapFile& bitmap) {
  for (const SkinImage& image : skin) {
    if (image.bitmap.id == bitmap.id) return image.picture;
  }
  return skin.front().picture;
}

// Copies picture `index` of the bitmap to the rectangle; white is left out when keyed.
void place(Canvas& c, const std::vector<SkinImage>& skin, const BitmapFile& bitmap,
           std::int32_t index, const Rect& at) {
  const Canvas& strip = picture(skin, bitmap);
  const std::int32_t h = strip.height() / bitmap.pictures;
  for (std::int32_t y = 0; y < h && y < at.height(); ++y) {
    for (std::int32_t x = 0; x < strip.width() && x < at.width(); ++x) {
      const Rgb p = strip.at(x, index * h + y);
      if (bitmap.keyed && p.r == 255 && p.g == 255 && p.b == 255) continue;
      c.blend(at.left + x, at.top + y, p, 1);
    }
  }
}

void verticalSliderAt(Canvas& c, const std::vector<SkinImage>& skin, const Rect& at, float value) {
  place(c, skin, kSliderTrack, 0, at);
  const auto top = at.top + kHandleInset + static_cast<std::int32_t>(kHandleTravel * (1 - value));
  place(c, skin, kSliderHandle, 0, placed(kSliderHandle, at.left + kHandleInset, top));
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
  Canvas c(picture(skin, kBackground));
  place(c, skin, kLightStrip, 1, kLight);
  place(c, skin, kShapePictures, 4, kShapeDisplay);
  place(c, skin, kLightFollowsStrip, 0, kLightFollows);
  place(c, skin, kStereoModeStrip, 0, kStereoMode);
  place(c, skin, kTapButtonStrip, 0, kTap);
  verticalSliderAt(c, skin, kDepthSlider, 0.5f);
  display(c, lettering, kDepthText, "-6.0dB");
  place(c, skin, kPhaseTrack, 0, kPhaseSlider);
  place(c, skin, kPhaseHandle, 0, placed(kPhaseHandle, kPhaseSlider.left, kPhaseSlider.top));
  verticalSliderAt(c, skin, kMultiplierSlider, 0.357f);
  display(c, lettering, kMultiplierText, "1.5x");
  verticalSliderAt(c, skin, kSoftnessSlider, 0.125f);
  display(c, lettering, kSoftnessText, "256 samples");
  place(c, skin, kTempoSourceStrip, 0, kTempoSource);
  place(c, skin, kShapeSwitchStrip, 4, kTremoloType);
  field(c, lettering, kTempoField, "160", 18);
  field(c, lettering, kMinimumTaps, "4", 14);
  field(c, lettering, kMidiChannel, "8", 14);
  field(c, lettering, kTapNote, "25", 14);
  field(c, lettering, kMetronomeNote, "84", 14);
  place(c, skin, kKnobBackground, 0, kVolumeKnob);
  // The pointer at 0.656 of the knob's 270-degree sweep, 3 pixels in from the rim.
  const float angle = 3.9269908f - 4.712389f * 0.65625f;
  const auto px = static_cast<std::int32_t>(7.5f + std::cos(angle) * 4.5f + 0.5f);
  const auto py = static_cast<std::int32_t>(7.5f - std::sin(angle) * 4.5f + 0.5f);
  place(c, skin, kKnobHandle, 0,
        placed(kKnobHandle, kVolumeKnob.left + px - 1, kVolumeKnob.top + py - 1));
  return c;
}
