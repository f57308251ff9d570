// Opening a drawing for a subcommand the way the window opens it, saving it again, and the
// checks every subcommand that writes a file makes before it writes.
#pragma once

#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "jww/jwwunit.h"

namespace CLI {
class App;
}

// The same path after normalisation, or the same file reached by another name (a link).
bool IsSameFile(const std::string& a, const std::string& b);

// UTF-8 of a window text, for messages on a terminal.
std::string WindowText(std::string_view cp932);

// "PATH: does not exist" when nothing is at path, which is no file of another kind; else empty.
std::string MissingFileRefusal(const std::string& path);

// Loads the whole drawing at path into doc, refusing a path where nothing is, what the window
// refuses (a file that is not a JWW drawing, an unreadable header, a version before 4.20) and a
// drawing that could not be read to its end, which would be saved as a shorter drawing that
// looks complete. On a refusal returns false and sets whyNot to a message that starts with the
// path. A file that cannot be opened raises EJwwIOError.
bool LoadWholeDrawing(TJwwDocument& doc, const std::string& path, std::string& whyNot);

// Saves doc to path in the given format version; on a failure returns false and sets whyNot to
// a message that starts with the path. A file at path is replaced only when replace is set.
bool SaveWholeDrawing(const TJwwDocument& doc, const std::string& path, int32_t version,
                      std::string& whyNot, bool replace = false);

// The message of a save of the drawing to path that failed for the reason given.
std::string SaveFailure(const std::string& path, const std::string& reason);

// For a subcommand about to write output: a message starting with the path when a file, or a
// link, is there already and replacing it was not asked for; empty when output may be written.
std::string ExistingOutputRefusal(const std::string& output, bool replace);

// What a save of doc would lack of the drawing, told as the window tells it on opening: the
// characters that code page 932 cannot hold (replaced), the bytes after the last section and
// the images without a temp file (left out); one warning each.
std::vector<std::string> SaveLossWarnings(const TJwwDocument& doc);

// Bytes after the last section, which no reader takes, refuse a save unless allowLoss: the
// refusal, starting with the path, or nothing.
std::string SaveLossRefusal(const TJwwDocument& doc, const std::string& path, bool allowLoss);

// For a subcommand that saves the drawing it loaded from path: false with whyNot set when the
// save must be refused, else true with every warning on err, as "zelvane-cli COMMAND: warning:
// ..." in the user's language.
bool AcceptWhatASaveLoses(const TJwwDocument& doc, const std::string& path, bool allowLoss,
                          std::string_view command, std::ostream& err, std::string& whyNot);

// The option that lets a subcommand save a drawing whose last bytes it could not read.
void AddAllowLossFlag(CLI::App& command, bool& allowLoss);

// While in scope, a load reads the image section into TempImageList, names and sizes, without
// writing any image file; for subcommands that read a drawing and write no drawing.
class TImageListOnly {
public:
    TImageListOnly();
    ~TImageListOnly();
    TImageListOnly(const TImageListOnly&) = delete;
    TImageListOnly& operator=(const TImageListOnly&) = delete;

private:
    bool PreviousExtract;
    bool PreviousScan;
};
