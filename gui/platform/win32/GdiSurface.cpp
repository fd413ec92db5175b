#include "gui/platform/win32/GdiSurface.h"

namespace platform::win32 {

GdiSurface::~GdiSurface() {
  DeleteObject(bitmap);
}

}  // namespace platform::win32
