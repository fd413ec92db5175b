// The two whole-window pictures: the panel behind the controls, with every label the
// controls need, and the about picture shown over it.
#pragma once

#include "resources/skin/Canvas.h"
#include "resources/skin/Lettering.h"

Canvas drawPanel(Lettering& lettering);
Canvas drawAbout(Lettering& lettering);
