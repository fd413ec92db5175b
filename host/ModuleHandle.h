// The library's own module handle, kept by the load hook so that the GUI can
// load the skin bitmaps from the module's resources. Null outside Windows.
#pragma once

extern void* moduleHandle;
