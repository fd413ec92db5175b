// The pictures of the controls. Each opaque picture starts from the part of the panel it
// covers, so that it sits seamlessly on it; pictures drawn with the colour key (slider
// handles and the knob's pointer) are white wherever the panel should show through, and
// nowhere else.
#pragma once

#include "resources/skin/Canvas.h"
#include "resources/skin/Lettering.h"

Canvas drawSliderTrack(const Canvas& panel);
Canvas drawSliderHandle();
Canvas drawKnob(const Canvas& panel);
Canvas drawKnobPointer();
Canvas drawTempoSourceSwitch(const Canvas& panel);
Canvas drawShapeSwitch(const Canvas& panel);
Canvas drawTapButton(const Canvas& panel, Lettering& lettering);
Canvas drawLight(const Canvas& panel);
Canvas drawPhaseTrack(const Canvas& panel);
Canvas drawPhaseHandle();
Canvas drawShapePictures(const Canvas& panel);
Canvas drawStereoModeButton(const Canvas& panel);
Canvas drawLightFollowsButton(const Canvas& panel);
