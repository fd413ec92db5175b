// The editor bases with a frame that the test makes, as the product's editor makes its own.
#pragma once

#include "editor/EditorBase.h"

class AdoptingEditor : public EditorBase {
 public:
  using EditorBase::EditorBase;
  void adopt(Frame* made) { frame = made; }
};
