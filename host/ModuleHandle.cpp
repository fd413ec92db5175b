#include "host/ModuleHandle.h"

void* moduleHandle = nullptr;
