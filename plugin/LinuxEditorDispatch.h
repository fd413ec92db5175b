// The plug-in's dispatcher as Linux hosts reach it. Their effEditOpen pointer is the X id of
// the host's window, an integer that is checked with the X server and never read as memory;
// the editor then opens in a child X window of it, or the open is refused. The calls that
// reach the editor hold the X backend's user-interface lock, and the host's idle calls serve
// the editor's events. The project's own host may instead hand over a headless window record
// (kHeadlessWindowRequest) before it opens the editor, for pictures without a display.
#pragma once

#include "host/Vst2.h"

// Puts the Linux dispatcher in front of the record's own one; returns the record.
AEffect* useLinuxEditorDispatch(AEffect* effect);
