// The module whose resources the toolkit loads (the skin bitmaps) and after which it names
// its window class. The plug-in's load hook sets it; null (the default) means the program
// itself (its window class; no bitmaps load), and on the software backend it is only a
// number.
#pragma once

namespace platform {

void setModuleHandle(void* module);
void* moduleHandle();

}  // namespace platform
