// Loading a whole drawing into a document and saving a document to a file. The section readers
// and writers raise on every failure; these two operations are where failures become a result.
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <unistd.h>

#include <filesystem>
#include <new>
#include <system_error>

#include "jww/jwwunit.h"
#include "jww/leftovers.h"
#include "jww/move_into_place.h"
#include "jww/system_files.h"

namespace {

void SetFailure(std::string* failure, const std::string& text)
{
    if (failure)
        *failure = text;
}

std::string SystemError(const std::string& what, const std::string& path)
{
    return what + " " + path + " (" + std::strerror(errno) + ")";
}

// A new, uniquely named file beside the target.
class TSiblingTempFile {
public:
    explicit TSiblingTempFile(const std::string& target)
        : Path(CreateLeftover([this, &target] {
              std::string path;
              Fd = CreateFileBeside(target, path);
              return path;
          }))
    {
    }
    TSiblingTempFile(const TSiblingTempFile&) = delete;
    TSiblingTempFile& operator=(const TSiblingTempFile&) = delete;

    // Whatever went wrong, nothing of a failed save stays behind.
    ~TSiblingTempFile()
    {
        if (Fd >= 0)
            ::close(Fd);
        if (!Committed)
            RemoveFileOnly(Path);
        ForgetLeftover(Path);
    }

    int Descriptor() const { return Fd; }

    // Makes the written bytes durable, then puts them in the target's place in one step, so
    // the target is either the old file or the complete new one.
    void CommitAs(const std::string& target, bool replace)
    {
        if (!SyncFile(Fd))
            throw EJwwIOError(SystemError("cannot write", Path));
        const int fd = Fd;
        Fd = -1;
        if (::close(fd) != 0)
            throw EJwwIOError(SystemError("cannot write", Path));
        MoveIntoPlace(Path, target, replace);
        Committed = true;
    }

private:
    // Set while Path is made.
    int Fd = -1;
    bool Committed = false;
    std::string Path;
};

// The file a save replaces. A link is followed, so that the file it names receives the drawing
// and the link stays; a file the user may not write is refused, as a plain overwrite would be.
std::string FileToReplace(const std::string& path)
{
    std::error_code error;
    std::string target = path;
    if (std::filesystem::is_symlink(FsPath(path), error)) {
        const std::filesystem::path resolved = std::filesystem::weakly_canonical(FsPath(path), error);
        if (!error)
            target = Utf8Path(resolved);
    }
    if (ExistsWithoutWriteRight(target))
        throw EJwwIOError(SystemError("no right to write", target));
    return target;
}

// Whether the load reads up to the end of the last section: the image section is left unread
// when neither switch asks for it.
bool ReadsToTheEnd(int32_t version)
{
    return version < ImageSectionVersion || ExtractImages || ScanImages;
}

void ReadSections(TJwwReader& r, TJwwDocument& doc)
{
    CreateHeaderTables(doc);
    if (!ReadHeaderSection(r, doc))
        throw EJwwIOError("format version " + std::to_string(doc.Header.Version) +
                          " is too old to be read");
    TClassRegistry registry;
    ReadEntityList(r, doc, registry);
    ReadBlockDefList(r, doc, registry, doc.Header.Version);
    if (doc.Header.Version >= ImageSectionVersion)
        ReadImageSection(r, doc.Header.Version);
    if (ReadsToTheEnd(doc.Header.Version))
        doc.TrailingBytes = r.BytesLeft();
}

void WriteSections(TJwwWriter& w, const TJwwDocument& doc, int32_t version)
{
    if (doc.LoadedPartly)
        throw EJwwRangeError("the drawing was not read completely, so it cannot be written whole");
    w.StringForm = doc.StringForm;
    WriteHeaderSection(w, doc, version);
    TClassRegistry registry;
    WriteEntityList(w, doc, version, registry);
    WriteBlockDefList(w, doc, version, registry);
    WriteImageSection(w, doc, version);
    w.Flush();
}

// Runs one whole load or save and turns whatever it raises into a false result and a reason.
template <typename Work>
bool Completes(std::string* failure, const std::string& doing, Work work)
{
    try {
        work();
        return true;
    } catch (const std::bad_alloc&) {
        SetFailure(failure, "not enough memory to " + doing);
    } catch (const std::exception& e) {
        SetFailure(failure, e.what());
    }
    return false;
}

bool SaveToFile(const TJwwDocument& doc, const std::string& path, int32_t version,
                std::string* failure, bool replace)
{
    return Completes(failure, "write " + path, [&] {
        // A link at a new file's place is an existing file too; it is not followed.
        const std::string target = replace ? FileToReplace(path) : path;
        TSiblingTempFile file(target);
        TJwwWriter w(file.Descriptor());
        WriteSections(w, doc, version);
        file.CommitAs(target, replace);
    });
}

}  // namespace

bool LoadJww(const std::string& path)
{
    return LoadJww(JwwDoc, path);
}

bool LoadJww(TJwwDocument& doc, const std::string& path, std::string* failure)
{
    ClearJww(doc);
    // A file that exists but cannot be opened is not a failed load: its error reaches the caller.
    TJwwReader r(path);
    return LoadJww(doc, r, failure);
}

bool LoadJww(TJwwDocument& doc, TJwwReader& r, std::string* failure)
{
    ClearJww(doc);
    const bool complete = Completes(failure, "read the drawing", [&] { ReadSections(r, doc); });
    // Whatever was read is kept, and a save of it writes its strings as they were read.
    if (r.StringForm != TStringForm::Unknown)
        doc.StringForm = r.StringForm;
    doc.LossyStrings = r.LossyStrings;
    doc.LoadedPartly = !complete;
    return complete;
}

bool SaveJww(const std::string& path, int32_t version)
{
    return SaveJww(JwwDoc, path, version);
}

bool SaveJww(const TJwwDocument& doc, const std::string& path, int32_t version,
             std::string* failure)
{
    return SaveToFile(doc, path, version, failure, true);
}

bool SaveJwwAsNewFile(const TJwwDocument& doc, const std::string& path, int32_t version,
                      std::string* failure)
{
    return SaveToFile(doc, path, version, failure, false);
}

bool SaveJww(const TJwwDocument& doc, TJwwWriter& w, int32_t version, std::string* failure)
{
    return Completes(failure, "write the drawing", [&] { WriteSections(w, doc, version); });
}
