// The marks of a picture of what changed between two drawings, from their objects compared as
// records.
#pragma once

#include "jww/jwwunit.h"
#include "render/ChangeMarks.h"

// The objects of each drawing's main list that the other does not hold; old must outlive the
// marks.
TChangeMarks ChangeMarksOf(const TJwwDocument& old, const TJwwDocument& now);
