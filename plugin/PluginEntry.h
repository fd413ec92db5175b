// Creation of one plug-in instance for a host.
#pragma once

#include "host/Vst2.h"

// What the library's exported entry does: asks the host for its version and,
// unless it answers 0, builds one effect and returns its record. Null when the
// host is unsuitable or the object cannot be allocated; the host then owns the
// instance until it sends effClose.
AEffect* createPluginInstance(audioMasterCallback hostCallback);
