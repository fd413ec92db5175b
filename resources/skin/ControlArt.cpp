#include "resources/skin/ControlArt.h"

#include <cmath>
#include <functional>
#include <vector>

#include "resources/layout/SkinLayout.h"
#include "resources/skin/Palette.h"

using namespace skin;
using namespace palette;

namespace {

float fx(std::int32_t v) {
  return static_cast<float>(v);
}

// One picture per state, stacked top to bottom, each drawn over the panel at `at`.
Canvas strip(const Canvas& panel, const Rect& at, std::int32_t states,
             const std::function<void(Canvas&, std::int32_t)>& drawState) {
  Canvas out(at.width(), at.height() * states, Rgb{});
  for (std::int32_t k = 0; k < states; ++k) {
    Canvas state = panel.crop(at.left, at.top, at.width(), at.height());
    drawState(state, k);
    out.paste(state, 0, k * at.height());
  }
  return out;
}

// Pixels whose middle lies outside the shape become the colour key.
void keyOutside(Canvas& c, const Shape& shape) {
  for (std::int32_t y = 0; y < c.height(); ++y) {
    for (std::int32_t x = 0; x < c.width(); ++x) {
      if (shape.distance(fx(x) + 0.5f, fx(y) + 0.5f) > 0) c.blend(x, y, kKey, 1);
    }
  }
}

// A brushed-metal cap with a dark outline.
void metalCap(Canvas& c, const Shape& outline, const Shape& face, float top, float bottom) {
  c.fill(outline, scaled(kWell, 1.4f));
  c.fill(face, paints::vertical(top, kMetalLight, bottom, kMetalDark));
}

// A slot for a lever or handle to run in.
void slot(Canvas& c, float x0, float y0, float x1, float y1, float radius) {
  c.fill(shapes::box(x0 - 1, y0 - 1, x1 + 1, y1 + 1, radius + 1), scaled(kPlateEdge, 1.1f), 0.6f);
  c.fill(shapes::box(x0, y0, x1, y1, radius), paints::vertical(y0, kWell, y1, scaled(kWell, 1.6f)));
}

// A lever across a vertical switch's slot with its middle at y.
void lever(Canvas& c, float y, float halfHeight) {
  const float w = fx(c.width());
  c.shadow(shapes::box(1, y - halfHeight + 1, w - 1, y + halfHeight + 1, 2), 2, 0.7f);
  metalCap(c, shapes::box(0.5f, y - halfHeight, w - 0.5f, y + halfHeight, 2.5f),
           shapes::box(1.5f, y - halfHeight + 1, w - 1.5f, y + halfHeight - 1, 1.5f),
           y - halfHeight, y + halfHeight);
  c.fill(shapes::box(2.5f, y - 0.75f, w - 2.5f, y + 0.75f), kAccent);
}

Canvas verticalSwitch(const Canvas& panel, const Rect& at, std::int32_t positions,
                      float leverHalfHeight) {
  const float band = fx(at.height()) / fx(positions);
  return strip(panel, at, positions, [&](Canvas& c, std::int32_t k) {
    slot(c, 5.5f, 1.5f, 9.5f, fx(at.height()) - 1.5f, 2);
    lever(c, band * (fx(k) + 0.5f), leverHalfHeight);
  });
}

// A two-way slide: the thumb on the left for value 0, on the right for value 1.
Canvas slideButton(const Canvas& panel, const Rect& at) {
  const float w = fx(at.width());
  const float h = fx(at.height());
  return strip(panel, at, 2, [&](Canvas& c, std::int32_t k) {
    const float r = h / 2 - 1;
    c.fill(shapes::box(0.5f, 0.5f, w - 0.5f, h - 0.5f, r + 0.5f), scaled(kPlateEdge, 1.2f));
    c.fill(shapes::box(1.5f, 1.5f, w - 1.5f, h - 1.5f, r - 0.5f),
           paints::vertical(1, kWell, h, scaled(kWell, 1.8f)));
    const float x0 = k == 0 ? 1.5f : w / 2;
    const float x1 = k == 0 ? w / 2 : w - 1.5f;
    c.shadow(shapes::box(x0, 2.5f, x1, h - 1, r - 0.5f), 2, 0.6f);
    metalCap(c, shapes::box(x0, 1.5f, x1, h - 1.5f, r - 0.5f),
             shapes::box(x0 + 1, 2.5f, x1 - 1, h - 2.5f, r - 1.5f), 2, h - 2);
    c.fill(shapes::disc((x0 + x1) / 2, h / 2, 1.9f), kAccentDeep);
    c.fill(shapes::disc((x0 + x1) / 2, h / 2, 1.3f), kAccent);
  });
}

float gain(std::int32_t shape, float t) {
  constexpr float kPi = 3.14159265f;
  switch (shape) {
    case 0:
      return t < 0.5f ? 1.0f : 0.0f;
    case 1:
      return t < 0.5f ? 2 * t : 2 - 2 * t;
    case 2:
      return t;
    case 3:
      return 1 - t;
    default:
      return 0.5f + 0.5f * std::sin(2 * kPi * t);
  }
}

// Two cycles of the gain against time, loud at the top, with the jumps drawn upright.
std::vector<std::pair<float, float>> gainCurve(std::int32_t shape, float x0, float x1, float yLoud,
                                               float yQuiet) {
  std::vector<std::pair<float, float>> points;
  const float cycle = (x1 - x0) / 2;
  constexpr int kSteps = 120;
  for (int i = 0; i <= 2 * kSteps; ++i) {
    const int cycleIndex = i == 2 * kSteps ? 1 : i / kSteps;
    const float t = i == 2 * kSteps ? 1.0f : fx(i % kSteps) / kSteps;
    const float x = x0 + cycle * (fx(cycleIndex) + t);
    // Where the shape jumps at the start of a cycle, come up from the end of the last one.
    if (i % kSteps == 0 && i > 0 && i < 2 * kSteps) {
      points.emplace_back(x, yQuiet + (yLoud - yQuiet) * gain(shape, 0.99999f));
    }
    if (shape == 0 && i % kSteps == kSteps / 2) {
      points.emplace_back(x, yLoud);
    }
    points.emplace_back(x, yQuiet + (yLoud - yQuiet) * gain(shape, t));
  }
  return points;
}

}  // namespace

Canvas drawSliderTrack(const Canvas& panel) {
  return strip(panel, kDepthSlider, 1,
               [](Canvas& c, std::int32_t) { slot(c, 6, 2.5f, 9, fx(c.height()) - 2.5f, 1.5f); });
}

Canvas drawSliderHandle() {
  Canvas c(kSliderHandle.width, kSliderHandle.height, kWell);
  const Shape outline = shapes::box(0, 1, 11, 10, 2.5f);
  metalCap(c, outline, shapes::box(1, 2, 10, 9, 1.5f), 2, 9);
  c.fill(shapes::box(2, 5, 9, 6), kAccent);
  keyOutside(c, outline);
  return c;
}

Canvas drawKnob(const Canvas& panel) {
  return strip(panel, kVolumeKnob, 1, [](Canvas& c, std::int32_t) {
    c.shadow(shapes::disc(7.5f, 8.3f, 6.6f), 1.5f, 0.8f);
    c.fill(shapes::disc(7.5f, 7.5f, 7.2f), scaled(kWell, 1.4f));
    c.fill(shapes::disc(7.5f, 7.5f, 6.3f), paints::radial(5, 4, 10, kMetalLight, kMetalDark));
    c.fill(shapes::disc(7.5f, 7.5f, 4.6f),
           paints::radial(9, 10, 8, scaled(kMetalDark, 1.15f), scaled(kMetalDark, 0.75f)));
  });
}

Canvas drawKnobPointer() {
  Canvas c(kKnobHandle.width, kKnobHandle.height, kAccent);
  c.blend(1, 1, Rgb{255, 214, 140}, 1);
  for (std::int32_t corner = 0; corner < 4; ++corner)
    c.blend((corner % 2) * 2, (corner / 2) * 2, kKey, 1);
  return c;
}

Canvas drawTempoSourceSwitch(const Canvas& panel) {
  return verticalSwitch(panel, kTempoSource, kTempoSourceStrip.pictures, 4.5f);
}

Canvas drawShapeSwitch(const Canvas& panel) {
  return verticalSwitch(panel, kTremoloType, kShapeSwitchStrip.pictures, 3.5f);
}

Canvas drawTapButton(const Canvas& panel, Lettering& lettering) {
  return strip(panel, kTap, kTapButtonStrip.pictures, [&](Canvas& c, std::int32_t pressed) {
    const float w = fx(c.width());
    const float h = fx(c.height());
    const float drop = pressed ? 1.0f : 0.0f;
    if (!pressed) c.shadow(shapes::box(1, 2, w - 1, h - 0.5f, 5), 2.5f, 0.8f);
    c.fill(shapes::box(0.5f, 0.5f + drop, w - 0.5f, h - 1.5f + drop, 5.5f), scaled(kWell, 1.3f));
    const Rgb top = pressed ? Rgb{58, 50, 40} : Rgb{96, 102, 116};
    const Rgb bottom = pressed ? Rgb{80, 62, 38} : Rgb{58, 62, 73};
    c.fill(shapes::box(1.5f, 1.5f + drop, w - 1.5f, h - 2.5f + drop, 4.5f),
           paints::vertical(1, top, h - 2, bottom));
    if (!pressed) c.fill(shapes::box(4, 2, w - 4, 3), kMetalLight, 0.35f);
    if (pressed) {
      c.fill(shapes::subtract(shapes::box(1.5f, 2.5f, w - 1.5f, h - 1.5f, 4.5f),
                              shapes::box(2.5f, 3.5f, w - 2.5f, h - 2.5f, 3.5f)),
             kAccent, 0.8f);
    }
    lettering.draw(c, "TAP", w / 2, (h - 2) / 2 + drop, Align::Centre,
                   TextStyle{12, true, 2, pressed ? kAccent : kInk});
  });
}

Canvas drawLight(const Canvas& panel) {
  return strip(panel, kLight, kLightStrip.pictures, [](Canvas& c, std::int32_t on) {
    c.shadow(shapes::disc(20, 21, 17.5f), 2.5f, 0.8f);
    c.fill(shapes::disc(20, 20, 18), paints::radial(14, 10, 32, kMetalLight, kMetalDark));
    c.fill(shapes::disc(20, 20, 15), scaled(kWell, 1.2f));
    const Rgb core = on ? Rgb{255, 236, 170} : Rgb{92, 46, 16};
    const Rgb rim = on ? Rgb{236, 122, 24} : Rgb{38, 18, 8};
    c.fill(shapes::disc(20, 20, 13.5f), paints::radial(20, 20, 13.5f, core, rim));
    if (on) c.fill(shapes::ring(20, 20, 12.8f, 0.9f), kAccent, 0.7f);
    c.fill(shapes::disc(15, 14, 4.5f), Rgb{255, 250, 235}, on ? 0.45f : 0.18f);
  });
}

Canvas drawPhaseTrack(const Canvas& panel) {
  return strip(panel, kPhaseSlider, 1, [](Canvas& c, std::int32_t) {
    slot(c, 1.5f, 3.5f, fx(c.width()) - 1.5f, 6.5f, 1.5f);
  });
}

Canvas drawPhaseHandle() {
  Canvas c(kPhaseHandle.width, kPhaseHandle.height, kAccentDeep);
  for (std::int32_t y = 1; y < 9; ++y) c.blend(1, y, Rgb{255, 214, 140}, 1);
  for (std::int32_t y = 1; y < 9; ++y) {
    c.blend(0, y, kAccent, 1);
    c.blend(2, y, kAccent, 1);
  }
  for (std::int32_t corner = 0; corner < 4; ++corner)
    c.blend((corner % 2) * 2, (corner / 2) * 9, kKey, 1);
  return c;
}

Canvas drawShapePictures(const Canvas& panel) {
  return strip(panel, kShapeDisplay, kShapePictures.pictures, [](Canvas& c, std::int32_t shape) {
    const float w = fx(c.width());
    const float h = fx(c.height());
    c.fill(shapes::box(0.5f, 0.5f, w - 0.5f, h - 0.5f, 4), scaled(kPlateEdge, 1.3f));
    c.fill(shapes::box(1.5f, 1.5f, w - 1.5f, h - 1.5f, 3),
           paints::radial(w / 2, h / 2, 50, scaled(kScreen, 1.5f), kScreen));
    for (int i = 1; i < 8; ++i) {
      const float x = 6 + 78.0f * fx(i) / 8;
      c.fill(shapes::box(x - 0.5f, 4, x + 0.5f, h - 4), kAccent, i % 4 == 0 ? 0.16f : 0.07f);
    }
    for (float y : {10.0f, 25.0f, 40.0f})
      c.fill(shapes::box(4, y - 0.5f, w - 4, y + 0.5f), kAccent, 0.09f);
    const auto curve = gainCurve(shape, 6, 84, 10, 40);
    c.fill(shapes::stroke(curve, 2.4f), kAccent, 0.18f);
    c.fill(shapes::stroke(curve, 0.8f), Rgb{255, 200, 110});
  });
}

Canvas drawStereoModeButton(const Canvas& panel) {
  return slideButton(panel, kStereoMode);
}

Canvas drawLightFollowsButton(const Canvas& panel) {
  return slideButton(panel, kLightFollows);
}
