#include "resources/skin/PanelArt.h"

#include <cmath>

#include "QuaverlingVersion.h"

#include "resources/layout/SkinLayout.h"
#include "resources/skin/Palette.h"

using namespace skin;
using namespace palette;

namespace {

const TextStyle kHeading{8, true, 0, kAccent};
const TextStyle kLabel{9, false, 0, kInk};
const TextStyle kSmall{8, false, 0, kMuted};
// The tempo sources' names fill their plate at this size.
const TextStyle kItem{8, false, 0, kInk};

float fx(std::int32_t v) {
  return static_cast<float>(v);
}

float middleX(const Rect& r) {
  return fx(r.left + r.right) / 2;
}

float middleY(const Rect& r) {
  return fx(r.top + r.bottom) / 2;
}

// A raised plate grouping the controls of one task.
void plate(Canvas& c, float x0, float y0, float x1, float y1) {
  c.shadow(shapes::box(x0, y0 + 1, x1, y1 + 1, 4), 3, 0.5f);
  c.fill(shapes::box(x0, y0, x1, y1, 4), paints::vertical(y0, scaled(kPlate, 1.08f), y1, kPlate));
  c.fill(shapes::subtract(shapes::box(x0, y0, x1, y1, 4),
                          shapes::box(x0 + 1, y0 + 1, x1 - 1, y1 - 1, 3)),
         paints::vertical(y0, kPlateEdge, y1, scaled(kPlateEdge, 0.7f)));
}

// An eighth note: tilted head, stem and flag, about 9 by 14 pixels at size 1.
void quaver(Canvas& c, float x, float y, float size, Rgb colour) {
  const float a = 3.1f * size;
  const float b = 2.2f * size;
  const float cx = x + a;
  const float cy = y + 11.5f * size;
  const float tilt = -0.45f;
  const float cs = std::cos(tilt);
  const float sn = std::sin(tilt);
  const Shape head{
      [=](float px, float py) {
        const float dx = (px - cx) * cs - (py - cy) * sn;
        const float dy = (px - cx) * sn + (py - cy) * cs;
        return (std::hypot(dx / a, dy / b) - 1) * b;
      },
      Rect(static_cast<std::int32_t>(x) - 1, static_cast<std::int32_t>(cy - a) - 1,
           static_cast<std::int32_t>(x + 2 * a) + 2, static_cast<std::int32_t>(cy + a) + 2)};
  c.fill(head, colour);
  const float stemX = cx + a * 0.82f;
  c.fill(shapes::box(stemX - 0.6f * size, y, stemX + 0.6f * size, cy - 0.5f * size), colour);
  c.fill(shapes::stroke({{stemX, y + 0.6f * size},
                         {stemX + 2.2f * size, y + 2.8f * size},
                         {stemX + 3.6f * size, y + 5.0f * size},
                         {stemX + 3.0f * size, y + 7.6f * size}},
                        0.75f * size),
         colour);
}

// Short marks beside a vertical slider at the handle's middle for 0, 1/4 ... 1.
void sliderScale(Canvas& c, const Rect& slider) {
  for (int i = 0; i <= 4; ++i) {
    const float y = fx(slider.top + kHandleInset) + fx(kHandleTravel) * fx(i) / 4 +
                    fx(kSliderHandle.height) / 2;
    const float length = (i % 2 == 0) ? 4.0f : 2.5f;
    c.fill(shapes::box(fx(slider.left) - length - 1, y - 0.5f, fx(slider.left) - 1, y + 0.5f),
           kMuted, 0.8f);
  }
}

void background(Canvas& c) {
  c.fill(shapes::box(0, 0, fx(kPanel.width()), fx(kPanel.height())),
         paints::vertical(0, kPanelTop, fx(kPanel.height()), kPanelBottom));
}

void header(Canvas& c, Lettering& l) {
  c.fill(shapes::box(0, 0, fx(kPanel.width()), 19),
         paints::vertical(0, scaled(kHeader, 1.2f), 19, kHeader));
  c.fill(shapes::box(0, 19, fx(kPanel.width()), 20), kAccentDeep);
  quaver(c, 7, 2.5f, 1.0f, kAccent);
  const TextStyle title{15, true, 0, kInk};
  l.draw(c, "Quaverling", 23, 10, Align::Left, title);
  // The title is the about picture's click area: an info mark beside it says so.
  const float info = 23 + fx(l.width("Quaverling", title)) + 9;
  c.fill(shapes::ring(info, 9.5f, 5, 0.6f), kMuted);
  l.draw(c, "i", info + 0.5f, 9.5f, Align::Centre, TextStyle{9, true, 0, kMuted});
  l.draw(c, "beat-locked tremolo & auto-pan", 287, 10.5f, Align::Right, kSmall);
}

void modulation(Canvas& c, Lettering& l) {
  plate(c, 4, 22, 111, 100);
  l.draw(c, "DEPTH", fx(kDepthSlider.left + kDepthText.right) / 2, 27, Align::Centre, kHeading);
  l.draw(c, "MULTIPLIER", fx(kMultiplierSlider.left) - 6, 27, Align::Left, kHeading);
  sliderScale(c, kDepthSlider);
  sliderScale(c, kMultiplierSlider);
  l.draw(c, "per beat", middleX(kMultiplierText), fx(kMultiplierText.bottom) + 7, Align::Centre,
         kSmall);
}

void tapTempo(Canvas& c, Lettering& l) {
  plate(c, 113, 22, 192, 100);
  l.draw(c, "TAP TEMPO", middleX(kTap), 27, Align::Centre, kHeading);
  l.draw(c, "BPM", fx(kTempoField.right) + 4, middleY(kTempoField), Align::Left,
         TextStyle{9, true, 0, kInk});
  l.draw(c, "or space bar", middleX(kTap), 95, Align::Centre, kSmall);
}

void tempoSource(Canvas& c, Lettering& l) {
  plate(c, 195, 22, 289, 100);
  l.draw(c, "TEMPO SOURCE", 242, 27, Align::Centre, kHeading);
  const char* names[kTempoSourceStrip.pictures] = {"Controller Taps", "Note Taps", "VST Host Sync",
                                                   "MIDI Vesko Sync"};
  const float band = fx(kTempoSource.bottom - kTempoSource.top) / kTempoSourceStrip.pictures;
  for (int i = 0; i < kTempoSourceStrip.pictures; ++i) {
    const float y = fx(kTempoSource.top) + band * (fx(i) + 0.5f);
    l.draw(c, names[i], fx(kTempoSource.right) + 4, y, Align::Left, kItem);
  }
}

void shapeAndStereo(Canvas& c, Lettering& l) {
  plate(c, 4, 103, 189, 192);
  l.draw(c, "SHAPE", fx(kTremoloType.left) - 4, 110, Align::Left, kHeading);
  const char* names[kShapeSwitchStrip.pictures] = {"Square", "Triangle", "Saw Ascending",
                                                   "Saw Descending", "Sine"};
  const float band = fx(kTremoloType.bottom - kTremoloType.top) / kShapeSwitchStrip.pictures;
  for (int i = 0; i < kShapeSwitchStrip.pictures; ++i) {
    const float y = fx(kTremoloType.top) + band * (fx(i) + 0.5f);
    l.draw(c, names[i], fx(kTremoloType.right) + 3, y, Align::Left, kLabel);
  }
  l.draw(c, "STEREO MODE", middleX(kStereoMode), 110, Align::Centre, kHeading);
  l.draw(c, "Panner", fx(kStereoMode.left) + 4, 121, Align::Right, kLabel);
  l.draw(c, "Tremolo", fx(kStereoMode.right) - 4, 121, Align::Left, kLabel);

  l.draw(c, "SOFTNESS", fx(kSoftnessText.left) + 4, 141, Align::Left, kHeading);
  l.draw(c, "LFO ramp", fx(kSoftnessText.left) + 4, fx(kSoftnessText.bottom) + 7, Align::Left,
         kSmall);
}

void phaseAndPicture(Canvas& c, Lettering& l) {
  plate(c, 192, 103, 289, 192);
  l.draw(c, "PHASE", fx(kPhaseSlider.left), 110, Align::Left, kHeading);
  for (int i = 0; i <= 4; ++i) {
    const float x =
        fx(kPhaseSlider.left) + fx(kPhaseTravel) * fx(i) / 4 + fx(kPhaseHandle.width) / 2;
    c.fill(shapes::box(x - 0.5f, fx(kPhaseSlider.top) - (i % 2 == 0 ? 4.0f : 2.5f), x + 0.5f,
                       fx(kPhaseSlider.top) - 1),
           kMuted, 0.8f);
  }
}

void light(Canvas& c, Lettering& l) {
  plate(c, 4, 195, 100, 247);
  l.draw(c, "LIGHT FOLLOWS", fx(kLight.left) + 1, 200.5f, Align::Left, kHeading);
  l.draw(c, "Frequency", fx(kLightFollows.left) - 2, 212, Align::Left, kLabel);
  l.draw(c, "Beat", fx(kLightFollows.right) + 2, 222, Align::Right, kLabel);
}

void midi(Canvas& c, Lettering& l) {
  plate(c, 101, 195, 229, 247);
  const struct {
    const Rect& field;
    const char* heading;
    const char* note;
  } fields[] = {{kMinimumTaps, "MIN TAPS", "to average"},
                {kMidiChannel, "MIDI CH", "1 - 16"},
                {kTapNote, "TAP NOTE", "or CC #"}};
  for (const auto& f : fields) {
    // The first field's texts are wider than the room to its left: they start at its edge.
    const bool first = &f.field == &kMinimumTaps;
    const float x = first ? fx(f.field.left) - 1 : middleX(f.field);
    const Align align = first ? Align::Left : Align::Centre;
    l.draw(c, f.heading, x, 208, align, kHeading);
    l.draw(c, f.note, x, 240, align, kSmall);
  }
}

void metronome(Canvas& c, Lettering& l) {
  plate(c, 232, 195, 289, 247);
  l.draw(c, "METRONOME", 260.5f, 208, Align::Centre, kHeading);
  l.draw(c, "note", middleX(kMetronomeNote), 240, Align::Centre, kSmall);
  l.draw(c, "vol", middleX(kVolumeKnob), 240, Align::Centre, kSmall);
}

}  // namespace

Canvas drawPanel(Lettering& lettering) {
  Canvas c(kPanel.width(), kPanel.height(), kPanelBottom);
  background(c);
  header(c, lettering);
  modulation(c, lettering);
  tapTempo(c, lettering);
  tempoSource(c, lettering);
  shapeAndStereo(c, lettering);
  phaseAndPicture(c, lettering);
  light(c, lettering);
  midi(c, lettering);
  metronome(c, lettering);
  return c;
}

Canvas drawAbout(Lettering& lettering) {
  constexpr Rect kPage = placed(kAboutPicture, 0, 0);
  Canvas c(kPage.width(), kPage.height(), kPanelBottom);
  c.fill(shapes::box(0, 0, fx(kPage.width()), fx(kPage.height())),
         paints::radial(146, 60, 260, scaled(kPanelTop, 1.25f), kHeader));
  c.fill(shapes::subtract(shapes::box(3, 3, fx(kPage.width()) - 3, fx(kPage.height()) - 3, 6),
                          shapes::box(4, 4, fx(kPage.width()) - 4, fx(kPage.height()) - 4, 5)),
         kAccentDeep);
  quaver(c, 40, 22, 2.4f, kAccent);
  lettering.draw(c, "Quaverling", 78, 46, Align::Left, TextStyle{30, true, 0, kInk});
  lettering.draw(c, "Version " QV_VERSION_SHORT, 80, 68, Align::Left,
                 TextStyle{11, false, 0, kAccent});
  c.fill(shapes::box(24, 84, fx(kPage.width()) - 24, 85), kAccentDeep);
  const char* lines[] = {
      "A stereo tremolo and auto-panner whose LFO",
      "is locked to the beat: from 1/2 to 8 cycles",
      "per beat, in five shapes, with depth, phase",
      "and a softness ramp to round off its edges.",
      "",
      "The beat comes from taps (the Tap button, the",
      "space bar, a MIDI note or controller), from the",
      "host's tempo, or from the host's song position.",
      "A metronome note and the light mark each beat.",
  };
  float y = 101;
  for (const char* line : lines) {
    lettering.draw(c, line, 24, y, Align::Left, TextStyle{10, false, 0, kInk});
    y += line[0] ? 13.5f : 7;
  }
  lettering.draw(c, "quaverling.audio", 24, 232, Align::Left, TextStyle{9, false, 0, kMuted});
  lettering.draw(c, "click to close", fx(kPage.width()) - 24, 232, Align::Right,
                 TextStyle{9, false, 0, kMuted});
  return c;
}
