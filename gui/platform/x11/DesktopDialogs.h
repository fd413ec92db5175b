// File dialogs on Linux: the desktop's dialog program (zenity, else kdialog) when one is
// installed, run and waited for; without one every dialog answers "cancelled".
#pragma once

#include "gui/platform/FileDialogs.h"

namespace platform::x11 {

platform::FileDialogService& desktopDialogs();

}  // namespace platform::x11
