// How a named part of a drawing, such as a block definition or an image, fares between two.
#pragma once

enum class TChange { Removed, Added, Changed };
