// Builds the bytes of a whole header section, of any version, from chosen field values. The
// layout is written out here on its own, item by item, so that tests of the library's reader
// and writer compare them against an independent description.
#pragma once

#include <cstdint>
#include <string>

#include "jww/jwwunit.h"

// Header values held in a document: the signature "JwwData.", the given version, every header
// table at its fixed length with zero values and every other header field at its reset value.
// Tests change what they need and pass the result to BuildHeader.
TJwwDocument HeaderFields(int32_t version);

// Makes a picture of the drawing show every layer group and layer, on white, each of the pens
// 1 .. 9 in a colour of its own and one pixel wide, fitted to what it shows: a header of zeros
// hides everything, and its paper code 0 names A0.
void ShowEveryLayer(TJwwDocument& fields);

// Gives every field a file of fields.Header.Version holds random bits, NaN payloads and negative
// zero included, and every such string 0 to 400 random bytes, control bytes included; the rest
// keep their values. TensPart and UnitsPart are the parts of one random integer.
void FillHeaderWithRandomBits(TJwwDocument& fields, uint32_t seed);

// The header section of version fields.Header.Version holding exactly the given values, with
// the fields that version lacks left out. Magic is written as held, whatever its length; the
// split integer is 10 x TensPart + UnitsPart.
std::string BuildHeader(const TJwwDocument& fields);
