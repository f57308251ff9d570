// The images of a generated drawing: small uncompressed bitmaps, one of them longer than the
// 2048-byte chunk in which images are copied, written where a load would have extracted them.
#include <fstream>
#include <stdexcept>

#include "jww/coding.h"
#include "jww/system_files.h"
#include "testing/GeneratorParts.h"

namespace {

struct TImageShape {
    const char* Name;
    int32_t Width;
    int32_t Height;
};

// The names are no prefix of one another, since a text refers to the first image whose name
// begins with the name it gives.
const TImageShape ImageShapes[] = {
    {"ZG1.BMP", 16, 16},
    {"ZG2.BMP", 23, 7},
    {"ZG3.BMP", 40, 20},
};

void PutWord(std::string& bytes, uint16_t value)
{
    char b[2];
    EncodeFixed16(b, value);
    bytes.append(b, 2);
}

void PutUInt(std::string& bytes, uint32_t value)
{
    char b[4];
    EncodeFixed32(b, value);
    bytes.append(b, 4);
}

// A 24-bit bitmap file with a colour gradient from the random source.
std::string BitmapBytes(int32_t width, int32_t height, TGeneratorRandom& random)
{
    constexpr uint32_t HeaderBytes = 14 + 40;
    const auto rowBytes = static_cast<uint32_t>((width * 3 + 3) / 4 * 4);
    const uint32_t pixelBytes = rowBytes * static_cast<uint32_t>(height);
    std::string bytes = "BM";
    PutUInt(bytes, HeaderBytes + pixelBytes);
    PutUInt(bytes, 0);
    PutUInt(bytes, HeaderBytes);
    PutUInt(bytes, 40);
    PutUInt(bytes, static_cast<uint32_t>(width));
    PutUInt(bytes, static_cast<uint32_t>(height));
    PutWord(bytes, 1);
    PutWord(bytes, 24);
    PutUInt(bytes, 0);
    PutUInt(bytes, pixelBytes);
    PutUInt(bytes, 2835);
    PutUInt(bytes, 2835);
    PutUInt(bytes, 0);
    PutUInt(bytes, 0);
    const auto base = static_cast<uint32_t>(random.Next());
    for (int32_t y = 0; y < height; ++y) {
        std::string row(rowBytes, '\0');
        for (int32_t x = 0; x < width; ++x) {
            const uint32_t colour = base + static_cast<uint32_t>(x * 0x0B0301 + y * 0x000711);
            row[static_cast<std::size_t>(x * 3)] = static_cast<char>(colour & 0xFF);
            row[static_cast<std::size_t>(x * 3 + 1)] = static_cast<char>((colour >> 8) & 0xFF);
            row[static_cast<std::size_t>(x * 3 + 2)] = static_cast<char>((colour >> 16) & 0xFF);
        }
        bytes += row;
    }
    return bytes;
}

}  // namespace

std::vector<std::string> WriteGeneratedImages(TGeneratorRandom& random)
{
    std::vector<std::string> names;
    for (const TImageShape& shape : ImageShapes) {
        const std::string bytes = BitmapBytes(shape.Width, shape.Height, random);
        const std::string path = TempImagePath(shape.Name);
        std::ofstream file(FsPath(path), std::ios::binary | std::ios::trunc);
        file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        file.close();
        if (!file)
            throw std::runtime_error("cannot write the image file " + path);
        TBindImageType entry;
        entry.FileName = shape.Name;
        entry.ByteSize = static_cast<int32_t>(bytes.size());
        TempImageList.push_back(entry);
        names.push_back(shape.Name);
    }
    TempImageCount = static_cast<int32_t>(TempImageList.size());
    ExtractImages = true;
    return names;
}

std::string ImageReferenceText(std::string_view imageName)
{
    return "^@BM%temp%" + std::string(imageName) + ",320,240";
}
