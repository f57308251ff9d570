// The words of zelvane-cli diff's review that depend on a value of the drawing: the label of a
// compared value and the name of an object kind. JSON keys and values are not among them: they
// stay the same in every language.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// The label of a compared value, by its key (name, screenColor, state, paperSize, ...); the key
// itself for one without a label.
std::string FieldLabel(std::string_view key);

// Such as "+12 lines" or "線 +12", for the kind code 1 .. 7 and a count of at least one.
std::string KindCountText(int32_t kind, int64_t count, std::string_view sign);

// Such as "line", for the kind code 1 .. 7.
std::string KindText(int32_t kind);
