// The product's editor as the host and the user first meet it: made by the effect, sized, and
// opened with its twenty-one controls in place, showing the default program.
#include <typeinfo>

#include "editor/DropInfoDisplay.h"
#include "gui/controls/Button.h"
#include "gui/controls/ImageStripDisplay.h"
#include "gui/controls/Knob.h"
#include "gui/controls/Slider.h"
#include "gui/controls/SplashPanel.h"
#include "gui/controls/Switch.h"
#include "gui/controls/TextField.h"
#include "gui/platform/software/BitmapResources.h"
#include "tests/editor/TremoloEditorFixture.h"
#include "tests/support/canvas/Canvas.h"

namespace {

struct Placed {
  const std::type_info& type;
  std::int32_t tag;
  Rect size;
};

// The window's controls in the order they are added, the about area last (on top).
const Placed kLayout[kPlaceCount] = {
    {typeid(ImageStripDisplay), 0, {7, 204, 47, 244}},
    {typeid(ImageStripDisplay), 0, {193, 135, 283, 185}},
    {typeid(ToggleButton), 7, {55, 229, 95, 243}},
    {typeid(ToggleButton), 6, {71, 128, 101, 141}},
    {typeid(MomentaryButton), 21, {117, 30, 177, 60}},
    {typeid(VerticalSlider), 2, {18, 43, 33, 93}},
    {typeid(DropInfoDisplay), 0, {34, 57, 62, 68}},
    {typeid(HorizontalSlider), 4, {193, 123, 283, 133}},
    {typeid(VerticalSlider), 0, {68, 43, 83, 93}},
    {typeid(DropInfoDisplay), 0, {84, 57, 106, 68}},
    {typeid(VerticalSlider), 5, {110, 133, 125, 183}},
    {typeid(DropInfoDisplay), 0, {124, 153, 186, 164}},
    {typeid(VerticalSwitch), 8, {200, 40, 215, 90}},
    {typeid(VerticalSwitch), 3, {15, 132, 30, 182}},
    {typeid(TextField), 1, {118, 70, 157, 90}},
    {typeid(TextField), 13, {104, 217, 126, 232}},
    {typeid(TextField), 9, {152, 217, 172, 232}},
    {typeid(TextField), 10, {192, 217, 217, 232}},
    {typeid(TextField), 14, {236, 217, 261, 232}},
    {typeid(Knob), 15, {265, 217, 280, 232}},
    {typeid(SplashPanel), 22, {0, 0, 180, 25}},
};

TEST_F(TremoloEditorTest, TheEffectMakesItsEditorAndAsksForTheWindowSize) {
  EXPECT_EQ(plugin->record->flags & effFlagsHasEditor, effFlagsHasEditor);
  EXPECT_EQ(plugin->record->uniqueID, fourCharCode('Q', 'v', 'r', 'l'));
  ASSERT_NE(dynamic_cast<TremoloEditor*>(plugin->effect->getEditor()), nullptr);

  // The plug-in asked while the host was making it; this host keeps no answer of its own,
  // so a fresh instance shows the request.
  Instance fresh;
  bool asked = false;
  for (const HostCall& call : fresh.host.calls)
    asked |= call.opcode == audioMasterSizeWindow && call.index == 293 && call.value == 249;
  EXPECT_TRUE(asked);

  ERect* rect = nullptr;
  EXPECT_EQ(plugin->dispatch(effEditGetRect, 0, 0, &rect), 1);
  ASSERT_NE(rect, nullptr);
  EXPECT_EQ(rect->top, 0);
  EXPECT_EQ(rect->left, 0);
  EXPECT_EQ(rect->bottom, 249);
  EXPECT_EQ(rect->right, 293);
}

TEST_F(TremoloEditorTest, OpeningPlacesTheTwentyOneControlsInOrder) {
  open();
  Rect window;
  EXPECT_EQ(frame().getBounds(window), Rect(0, 0, 293, 249));
  ASSERT_EQ(frame().childCount(), kPlaceCount);
  for (std::int32_t i = 0; i < kPlaceCount; ++i) {
    View* view = frame().childAt(i);
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(typeid(*view), kLayout[i].type) << "place " << i;
    Rect size;
    EXPECT_EQ(view->getBounds(size), kLayout[i].size) << "place " << i;
    auto* control = dynamic_cast<Control*>(view);
    ASSERT_NE(control, nullptr);
    EXPECT_EQ(control->getTag(), kLayout[i].tag) << "place " << i;
    EXPECT_EQ(control->getListener(), kLayout[i].type == typeid(DropInfoDisplay)
                                          ? nullptr
                                          : static_cast<ControlListener*>(&editor()))
        << "place " << i;
  }
  EXPECT_EQ(child<TextField>(kTempoFieldPlace)->getFont(), kFontArial18);
  EXPECT_EQ(child<TextField>(kMidiChannelPlace)->getFont(), kFontArial14);
  EXPECT_EQ(child<TextField>(kMidiChannelPlace)->getStyle(), k3DIn);
  EXPECT_EQ(child<DropInfoDisplay>(kDepthTextPlace)->getFont(), kFontArial9);
  EXPECT_EQ(child<DropInfoDisplay>(kDepthTextPlace)->getBackColor(), kGrey);
}

// A module whose skin is missing still gets its window at the panel's size with every control
// in its place, only without pictures.
TEST_F(TremoloEditorTest, WithoutItsBitmapsTheWindowKeepsItsSizeAndLayout) {
  std::vector<platform::software::BitmapResource> kept;
  for (std::int32_t id = 10001; id <= 10015; ++id) {
    const platform::software::BitmapResource* resource = platform::software::findBitmapResource(id);
    ASSERT_NE(resource, nullptr) << id;
    kept.push_back(*resource);
    platform::software::unregisterBitmapResource(id);
  }
  open();
  idle();
  Rect window;
  EXPECT_EQ(frame().getBounds(window), Rect(0, 0, 293, 249));
  ASSERT_EQ(frame().childCount(), kPlaceCount);
  for (std::int32_t i = 0; i < kPlaceCount; ++i) {
    Rect size;
    EXPECT_EQ(frame().childAt(i)->getBounds(size), kLayout[i].size) << "place " << i;
  }
  close();
  for (const platform::software::BitmapResource& resource : kept)
    platform::software::registerBitmapResource(resource.id, resource.data, resource.size);
}

TEST_F(TremoloEditorTest, OpeningShowsTheCurrentProgram) {
  open();
  EXPECT_FLOAT_EQ(child(kDepthPlace)->getValue(), 0.5f);
  EXPECT_FLOAT_EQ(child(kMultiplierPlace)->getValue(), 0.357f);
  EXPECT_FLOAT_EQ(child(kSoftnessPlace)->getValue(), 0.125f);
  EXPECT_FLOAT_EQ(child(kShapeSwitchPlace)->getValue(), 1.0f);
  EXPECT_FLOAT_EQ(child(kShapePicturePlace)->getValue(), 1.0f);
  EXPECT_FLOAT_EQ(child(kVolumePlace)->getValue(), 0.65625f);
  EXPECT_EQ(textOf(child<DropInfoDisplay>(kDepthTextPlace)), "-6.0dB");
  EXPECT_EQ(textOf(child<DropInfoDisplay>(kMultiplierTextPlace)), "1.5x");
  EXPECT_EQ(textOf(child<DropInfoDisplay>(kSoftnessTextPlace)), "256 samples");
  EXPECT_EQ(textOf(child<TextField>(kTempoFieldPlace)), "160");
  EXPECT_EQ(textOf(child<TextField>(kMinimumTapsPlace)), "4");
  EXPECT_EQ(textOf(child<TextField>(kMidiChannelPlace)), "8");
  EXPECT_EQ(textOf(child<TextField>(kTapNoteFieldPlace)), "25");
  EXPECT_EQ(textOf(child<TextField>(kMetronomeNotePlace)), "84");
}

TEST_F(TremoloEditorTest, TheWindowLooksAsItDidAtTheDefaultProgram) {
  open();
  idle();
  tree.dispatchMessages();
  // Regenerate with QV_UPDATE_GOLDENS=1 after a deliberate change of the skin or layout.
  EXPECT_TRUE(matchesGolden(*tree.pixels(frame().getWindow()), "editor"));
}

}  // namespace
