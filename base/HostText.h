// Text exchanged with the host through caller-owned buffers.
#pragma once

// Every text buffer passed to or from the effect holds this many bytes.
constexpr int kHostTextSize = 64;

// Copies text into dest, cut to kHostTextSize - 1 characters and always terminated.
void copyHostText(char* dest, const char* text);
