// The checks that the fuzz targets apply to every input. The regression test replays each input
// that once failed them through the same functions, so a fixed fault stays fixed.
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

// Raised when an input breaks a check. A fuzz target lets it escape, which aborts the run and
// keeps the input; a test reports it as a failure.
class EFuzzCheckFailed : public std::logic_error {
public:
    using std::logic_error::logic_error;
};

// Raises EFuzzCheckFailed with what the input broke unless the condition holds.
inline void Expect(bool condition, const std::string& what)
{
    if (!condition)
        throw EFuzzCheckFailed(what);
}

enum class TLoadOutcome { Incomplete, Complete };

// Loads the bytes as a whole drawing, with images scanned but not extracted. Whether or not the
// load completes, the document must hold its header tables at their fixed lengths; a complete
// load must leave consistent object lists and block definitions.
TLoadOutcome CheckLoad(std::string_view bytes);

enum class TRoundTripOutcome {
    NotSaved,      // the load stopped early and what it read could not be saved
    RoundTripped,  // the document was saved and came back
};

// Loads the bytes with images extracted into a private folder, then saves the document in its
// own version, whatever the load's result. A complete load must save. Every successful save
// must load completely again, and saving that gives the same bytes.
TRoundTripOutcome CheckRoundTrip(std::string_view bytes);

// Loads the bytes as a drawing, as far as they go, and draws it: every object to primitives,
// which must all be finite and within the budget of insertions; an SVG picture, which must grow
// with the drawing only; and a small PNG picture.
void CheckRender(std::string_view bytes);

// Runs the Shift-JIS routines and the code page 932 conversions on text and parameters taken
// from the bytes, and checks what each promises about its result.
void CheckText(std::string_view bytes);
