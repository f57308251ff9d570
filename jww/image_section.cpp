// The image section that ends a drawing from version 700 on. Image data never stay in memory:
// a load streams each image into its temp file and a save streams the temp files back, so
// drawings with large images load and save in constant memory.
#include <cerrno>
#include <cstring>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <memory>
#include <optional>
#include <utility>

#include "jww/jwwunit.h"
#include "jww/system_files.h"

namespace {

// A text refers to an embedded image when it starts with this marker, followed by the image's
// name and a comma. Part of the file format; must not change.
constexpr std::string_view ImageMarker = "^@BM%temp%";

// The smallest entry is an empty name (one byte) and its size (four bytes).
constexpr uint64_t MinImageEntryBytes = 5;

// Image data move through this one buffer whatever their size.
constexpr std::size_t CopyChunkBytes = 64 * 1024;
using TCopyBuffer = std::array<char, CopyChunkBytes>;

// Letters a-z compare equal to A-Z. The second byte of a double-byte character is never
// changed, since it may fall in the range of a lower-case letter.
std::string UpperCaseAscii(std::string_view s)
{
    std::string upper(s);
    bool secondByte = false;
    for (char& c : upper) {
        const auto b = static_cast<unsigned char>(c);
        if (!secondByte && b >= 'a' && b <= 'z')
            c = static_cast<char>(b - 'a' + 'A');
        secondByte = !secondByte && IsSjisLeadByte(b);
    }
    return upper;
}

// The image name a text refers to, or nothing.
std::optional<std::string_view> ReferencedImageName(std::string_view text)
{
    if (text.size() <= ImageMarker.size() || !text.starts_with(ImageMarker))
        return std::nullopt;
    const std::size_t comma = text.find(',', ImageMarker.size());
    if (comma == std::string_view::npos || comma == ImageMarker.size())
        return std::nullopt;
    return text.substr(ImageMarker.size(), comma - ImageMarker.size());
}

// Reads up to n bytes, fewer when the drawing ends first, and hands each block to sink.
template <typename Sink>
void StreamAvailableBytes(TJwwReader& r, uint64_t n, TCopyBuffer& buffer, Sink sink)
{
    while (n > 0) {
        const std::size_t want = static_cast<std::size_t>(std::min<uint64_t>(n, buffer.size()));
        const std::size_t got = r.ReadSome(buffer.data(), want);
        if (got == 0)
            return;
        sink(buffer.data(), got);
        n -= got;
    }
}

// The file system refuses the name itself: the image cannot have a temp file, but the drawing
// can still be read past it.
bool IsNameRefused(int error)
{
    return error == ENAMETOOLONG || error == EILSEQ || error == EINVAL;
}

class TTempFile {
public:
    // Returns nothing when the file system refuses the name.
    static std::optional<TTempFile> Create(std::string path)
    {
        // Entries with equal names share one file: the later one replaces the earlier. The
        // file is then made anew, for the user alone, and never through a link.
        RemoveFileOnly(path);
        const int fd = CreateNewPrivateFile(path);
        if (fd < 0 && IsNameRefused(errno))
            return std::nullopt;
        if (fd < 0)
            throw EJwwIOError("cannot create temp image file " + path + " (" +
                              std::strerror(errno) + ")");
        return TTempFile(std::move(path), fd);
    }
    TTempFile(TTempFile&& other) noexcept
        : Path(std::move(other.Path)), Fd(std::exchange(other.Fd, -1))
    {
    }
    TTempFile(const TTempFile&) = delete;
    TTempFile& operator=(const TTempFile&) = delete;
    TTempFile& operator=(TTempFile&&) = delete;

    // A temp file that did not receive all its bytes is worse than none: the next save
    // would embed it as the image.
    ~TTempFile()
    {
        if (Fd >= 0) {
            ::close(Fd);
            RemoveFileOnly(Path);
        }
    }

    int Descriptor() const { return Fd; }

    void Close()
    {
        const int fd = std::exchange(Fd, -1);
        if (::close(fd) != 0) {
            RemoveFileOnly(Path);
            throw EJwwIOError("cannot write temp image file " + Path + " (" + std::strerror(errno) +
                              ")");
        }
    }

private:
    TTempFile(std::string path, int fd) : Path(std::move(path)), Fd(fd) {}

    std::string Path;
    int Fd = -1;
};

void SkipImage(TJwwReader& r, const TBindImageType& entry, TCopyBuffer& buffer)
{
    if (entry.ByteSize > 0)
        StreamAvailableBytes(r, static_cast<uint64_t>(entry.ByteSize), buffer,
                             [](const char*, std::size_t) {});
}

void ExtractImage(TJwwReader& r, const TBindImageType& entry, TCopyBuffer& buffer)
{
    // Without a folder the name alone would be a path in whatever the working folder is.
    if (TempImageFolder.empty())
        throw EJwwIOError("no temp image folder to extract " + entry.FileName + " into");
    std::optional<TTempFile> file = TTempFile::Create(TempImagePath(entry.FileName));
    if (!file) {
        SkipImage(r, entry, buffer);
        return;
    }
    {
        TJwwWriter out(file->Descriptor());
        // A drawing that ends inside the data gives the temp file the bytes that are there.
        if (entry.ByteSize > 0)
            StreamAvailableBytes(r, static_cast<uint64_t>(entry.ByteSize), buffer,
                                 [&out](const char* data, std::size_t n) { out.Write(data, n); });
        out.Flush();
    }
    file->Close();
}

// The temp file's size and bytes as they are now; the user may have replaced the image.
void EmbedImage(TJwwWriter& w, const TBindImageType& entry, TCopyBuffer& buffer)
{
    WriteJwwString(w, entry.FileName);
    TJwwReader image(TempImagePath(entry.FileName), TFollowLinks::No);
    TReadContext context(image, "temp image file");
    const uint64_t size = image.BytesLeft();
    if (size > static_cast<uint64_t>(INT32_MAX))
        throw EJwwRangeError("temp image file " + TempImagePath(entry.FileName) +
                             " is too large to be embedded");
    WriteInt(w, static_cast<int32_t>(size));
    // Exact reads: a file that shrinks meanwhile fails the save rather than leave fewer bytes
    // than the size just written, which would misplace every following entry.
    for (uint64_t left = size; left > 0;) {
        const std::size_t n = static_cast<std::size_t>(std::min<uint64_t>(left, buffer.size()));
        image.Read(buffer.data(), n);
        w.Write(buffer.data(), n);
        left -= n;
    }
}

}  // namespace

void ReadImageSection(TJwwReader& r, int32_t version)
{
    if (version < ImageSectionVersion)
        return;
    ClearTempImageList();
    if (!ExtractImages && !ScanImages)
        return;
    TReadContext context(r, "image section");
    const int32_t count = ReadInt(r);
    if (count > 0 && static_cast<uint64_t>(count) > r.BytesLeft() / MinImageEntryBytes)
        throw EJwwIOError("corrupt file: " + std::to_string(count) + " images announced in " +
                          std::to_string(r.BytesLeft()) + " bytes");
    TempImageCount = count;
    if (count <= 0)
        return;
    TempImageList.assign(static_cast<std::size_t>(count), {});

    const auto buffer = std::make_unique<TCopyBuffer>();
    for (TBindImageType& entry : TempImageList) {
        entry.FileName = ReadJwwString(r);
        entry.ByteSize = ReadInt(r);
        if (entry.FileName.empty() || entry.ByteSize == 0)
            continue;
        // A name that would lead out of the temp image folder never becomes a path.
        if (ExtractImages && IsSafeImageFileName(entry.FileName))
            ExtractImage(r, entry, *buffer);
        else
            SkipImage(r, entry, *buffer);
    }
}

void MarkImagesInUse(const TJwwDocument& doc)
{
    for (TBindImageType& entry : TempImageList)
        entry.InUse = 0;

    std::vector<std::string> upperNames;
    upperNames.reserve(TempImageList.size());
    for (const TBindImageType& entry : TempImageList)
        upperNames.push_back(UpperCaseAscii(entry.FileName));

    const auto markReferences = [&upperNames](const std::vector<TEntMoji>& texts) {
        for (const TEntMoji& moji : texts) {
            const std::optional<std::string_view> name = ReferencedImageName(moji.Text);
            if (!name)
                continue;
            const std::string upperName = UpperCaseAscii(*name);
            // The first entry whose name begins with the reference is the one meant.
            for (std::size_t i = 0; i < upperNames.size(); ++i) {
                if (upperNames[i].starts_with(upperName)) {
                    TempImageList[i].InUse = 1;
                    break;
                }
            }
        }
    };
    markReferences(doc.MojiList);
    for (const TEntBlockDef& blockDef : doc.BlockDefList)
        markReferences(blockDef.MojiList);
}

void WriteImageSection(TJwwWriter& w, const TJwwDocument& doc, int32_t targetVersion)
{
    if (targetVersion < ImageSectionVersion)
        return;
    MarkImagesInUse(doc);
    int32_t count = 0;
    for (TBindImageType& entry : TempImageList) {
        if (entry.InUse == 0)
            continue;
        if (ExtractImages && TempImageFileExists(entry))
            ++count;
        else
            entry.InUse = 0;
    }
    WriteInt(w, count);

    const auto buffer = std::make_unique<TCopyBuffer>();
    for (const TBindImageType& entry : TempImageList) {
        if (entry.InUse == 1)
            EmbedImage(w, entry, *buffer);
    }
}
