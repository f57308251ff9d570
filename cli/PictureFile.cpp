#include "cli/PictureFile.h"

#include <array>
#include <memory>
#include <ostream>
#include <streambuf>

#include "cli/PngPicture.h"
#include "render/SvgWriter.h"

namespace {

// Text written into a new file beside a picture in pieces, so that the SVG of a large drawing
// never waits in memory whole. Failures to write are raised by the stream.
class TSiblingBuffer : public std::streambuf {
public:
    explicit TSiblingBuffer(TTempSibling& file) : File(file)
    {
        setp(Piece.data(), Piece.data() + Piece.size());
    }

protected:
    int_type overflow(int_type c) override
    {
        Drain();
        if (!traits_type::eq_int_type(c, traits_type::eof())) {
            *pptr() = traits_type::to_char_type(c);
            pbump(1);
        }
        return traits_type::not_eof(c);
    }

    int sync() override
    {
        Drain();
        return 0;
    }

private:
    void Drain()
    {
        File.Write({pbase(), static_cast<std::size_t>(pptr() - pbase())});
        setp(Piece.data(), Piece.data() + Piece.size());
    }

    static constexpr std::size_t PieceBytes = 1 << 20;
    TTempSibling& File;
    std::array<char, PieceBytes> Piece;
};

}  // namespace

void WritePicture(const TJwwDocument& doc, const TPictureOptions& options, TPictureFormat format,
                  TTempSibling& file)
{
    if (format == TPictureFormat::Png) {
        file.Write(PngPicture(doc, options, PictureLongerSide));
        return;
    }
    const auto buffer = std::make_unique<TSiblingBuffer>(file);
    std::ostream svg(buffer.get());
    svg.exceptions(std::ios::badbit);
    WriteSvg(doc, options, svg);
    svg.flush();
}
