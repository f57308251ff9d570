// zelvane-cli render: what it writes for a small drawing, the filters, the picture formats and
// the arguments it refuses.
#include "tests/cli/CliTestSupport.h"

#ifndef _WIN32
#include <cairo.h>
#endif

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>

namespace {

class RenderCommand : public TCliTest {
protected:
    // A drawing whose lines run from (0, 0) to (100, 50) on layer 3-2 in colour 101 with line
    // type 31, and to (40, 20) on layer 0-0 in colour 2.
    std::string SaveTwoLines()
    {
        const std::string path = Root + "lines.jww";
        TSmallDrawing drawing(700);
        ShowEveryLayer(*drawing.Doc);
        drawing.Doc->ColorExTable[1].ScreenColor = 0x0000FF;
        drawing.Add(drawing.Doc->SenList, KindSen, {BaseWith(31, 101, 3, 2), 0, 0, 100, 50})
            .Add(drawing.Doc->SenList, KindSen, {BaseWith(1, 2), 0, 0, 40, 20});
        drawing.Save(path);
        return path;
    }

    // The earlier drawing holds the shared line (0, 0)-(100, 50), a removed one reaching to
    // (200, 100) and a removed one on its hidden layer 0-1; the later one the shared line and an
    // added (0, 50)-(100, 0).
    std::pair<std::string, std::string> SaveTwoRevisions()
    {
        TSmallDrawing old(700);
        ShowEveryLayer(*old.Doc);
        old.Doc->LayerTable[1].Value1 = 0;
        old.Add(old.Doc->SenList, KindSen, {BaseWith(1, 2), 0, 0, 100, 50})
            .Add(old.Doc->SenList, KindSen, {BaseWith(1, 2), 100, 50, 200, 100})
            .Add(old.Doc->SenList, KindSen, {BaseWith(1, 2, 0, 1), 0, 0, 10, 10});
        old.Save(Root + "old.jww");
        TSmallDrawing now(700);
        ShowEveryLayer(*now.Doc);
        now.Add(now.Doc->SenList, KindSen, {BaseWith(1, 2), 0, 50, 100, 0})
            .Add(now.Doc->SenList, KindSen, {BaseWith(1, 2), 0, 0, 100, 50});
        now.Save(Root + "new.jww");
        return {Root + "old.jww", Root + "new.jww"};
    }
};

std::size_t Occurrences(const std::string& text, const std::string& part)
{
    std::size_t count = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++count;
    return count;
}

#ifndef _WIN32
// The pixels of a PNG picture, read back with Cairo, as 0xRRGGBB.
class TPngPixels {
public:
    explicit TPngPixels(std::string png) : Png(std::move(png))
    {
        const auto read = [](void* closure, unsigned char* data, unsigned int length) {
            auto& self = *static_cast<TPngPixels*>(closure);
            if (self.Offset + length > self.Png.size())
                return CAIRO_STATUS_READ_ERROR;
            std::memcpy(data, self.Png.data() + self.Offset, length);
            self.Offset += length;
            return CAIRO_STATUS_SUCCESS;
        };
        Image = cairo_image_surface_create_from_png_stream(read, this);
    }
    ~TPngPixels() { cairo_surface_destroy(Image); }
    TPngPixels(const TPngPixels&) = delete;
    TPngPixels& operator=(const TPngPixels&) = delete;

    bool Read() const { return cairo_surface_status(Image) == CAIRO_STATUS_SUCCESS; }
    uint32_t At(int x, int y) const
    {
        const unsigned char* row =
            cairo_image_surface_get_data(Image) + y * cairo_image_surface_get_stride(Image);
        return reinterpret_cast<const uint32_t*>(row)[x] & 0xFFFFFF;
    }

private:
    std::string Png;
    std::size_t Offset = 0;
    cairo_surface_t* Image = nullptr;
};
#endif

}  // namespace

TEST_F(RenderCommand, SvgHasOneElementPerObjectWithTheYAxisUp)
{
    const std::string drawing = SaveTwoLines();
    const TCliRun run = Cli({"render", drawing, "-o", Root + "lines.svg"});
    ASSERT_EQ(run.ExitCode, ExitSuccess) << run.Err;
    const std::string svg = ReadFileBytes(Root + "lines.svg");
    EXPECT_NE(svg.find("<g data-kind=\"sen\" data-layer=\"3-2\" data-index=\"0\"><line x1=\"0\" "
                       "y1=\"0\" x2=\"100\" y2=\"-50\""),
              std::string::npos)
        << svg;
    EXPECT_NE(svg.find("<g data-kind=\"sen\" data-layer=\"0-0\" data-index=\"1\">"),
              std::string::npos);
    // The extent of 100 by 50 with a margin of 2 on every side, 2000 pixels wide.
    EXPECT_NE(svg.find("width=\"2000\" height=\"1038\" viewBox=\"-2 -52 104 54\""),
              std::string::npos)
        << svg;
    EXPECT_NE(svg.find("stroke=\"#ff0000\""), std::string::npos);
}

TEST_F(RenderCommand, FiltersGreyWhatTheyDoNotSelect)
{
    const std::string drawing = SaveTwoLines();
    const std::string grey = "stroke=\"#d2d2d2\"";
    const auto greyed = [&](std::vector<std::string> filter) {
        std::vector<std::string> args{"render", drawing, "-o", Root + "f.svg", "--force"};
        args.insert(args.end(), filter.begin(), filter.end());
        const TCliRun run = Cli(args);
        EXPECT_EQ(run.ExitCode, ExitSuccess) << run.Err;
        return Occurrences(ReadFileBytes(Root + "f.svg"), grey);
    };
    EXPECT_EQ(greyed({}), 0u);
    EXPECT_EQ(greyed({"--layer", "3-2"}), 1u);
    EXPECT_EQ(greyed({"--group", "3"}), 1u);
    EXPECT_EQ(greyed({"--group", "3", "--layer", "3-2"}), 1u);
    EXPECT_EQ(greyed({"--color", "2"}), 1u);
    EXPECT_EQ(greyed({"--linetype", "31"}), 1u);
    EXPECT_EQ(greyed({"--layer", "F-F"}), 2u);
    EXPECT_EQ(greyed({"--linetype", "31", "--color", "2"}), 2u);
}

TEST_F(RenderCommand, PngOfTheFramesSize)
{
    const std::string drawing = SaveTwoLines();
    const TCliRun run = Cli({"render", drawing, "-o", Root + "lines.PNG", "--layer", "0-0"});
    ASSERT_EQ(run.ExitCode, ExitSuccess) << run.Err;
    const std::string png = ReadFileBytes(Root + "lines.PNG");
    ASSERT_GT(png.size(), 24u);
    EXPECT_EQ(png.substr(0, 8), "\x89PNG\r\n\x1A\n");
    // The header chunk's width and height, big-endian.
    EXPECT_EQ(png.substr(16, 8), std::string("\0\0\x07\xD0\0\0\x04\x0E", 8));
}

TEST_F(RenderCommand, RefusesWhatItCannotDraw)
{
    const std::string drawing = SaveTwoLines();
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"render", drawing, "-o", Root + "out.pdf"},
          {"render", drawing, "-o", Root + "out.svg", "--layer", "3"},
          {"render", drawing, "-o", Root + "out.svg", "--layer", "G-1"},
          {"render", drawing, "-o", Root + "out.svg", "--group", "10"},
          {"render", drawing, "-o", Root + "out.svg", "--group", "2", "--layer", "3-2"},
          {"render", drawing, "-o", Root + "out.svg", "--color", "-3"},
          {"render", drawing}}) {
        const TCliRun run = Cli(args);
        EXPECT_EQ(run.ExitCode, ExitUsage) << args.back();
        EXPECT_FALSE(run.Err.empty());
    }
    WriteFileBytes(Root + "not.jww", "not a drawing");
    EXPECT_EQ(Cli({"render", Root + "not.jww", "-o", Root + "out.svg"}).ExitCode, ExitFailure);
    EXPECT_EQ(Cli({"render", drawing, "-o", drawing + ".svg/x.svg"}).ExitCode, ExitFailure);
    EXPECT_EQ(Files(), (std::vector<std::string>{"lines.jww", "not.jww", "tmp"}));
}

TEST_F(RenderCommand, CompareMarksEachObjectByItsChange)
{
    const auto [old, now] = SaveTwoRevisions();
    const auto svgOf = [&](std::vector<std::string> more) {
        std::vector<std::string> args{"render", now, "--compare", old, "-o", Root + "c.svg", "--force"};
        args.insert(args.end(), more.begin(), more.end());
        const TCliRun run = Cli(args);
        EXPECT_EQ(run.ExitCode, ExitSuccess) << run.Err;
        return ReadFileBytes(Root + "c.svg");
    };
    const std::string svg = svgOf({});
    for (const std::string element :
         {"data-index=\"0\" data-change=\"added\"><line x1=\"0\" y1=\"-50\" x2=\"100\" y2=\"0\" "
          "vector-effect=\"non-scaling-stroke\" stroke=\"#1e50e6\"",
          "data-index=\"1\" data-change=\"same\"><line x1=\"0\" y1=\"0\" x2=\"100\" y2=\"-50\" "
          "vector-effect=\"non-scaling-stroke\" stroke=\"#d2d2d2\"",
          "data-index=\"1\" data-change=\"removed\"><line x1=\"100\" y1=\"-50\" x2=\"200\" "
          "y2=\"-100\" vector-effect=\"non-scaling-stroke\" stroke=\"#dc1e1e\"",
          "width=\"2000\" height=\"1038\" viewBox=\"-4 -104 208 108\""})
        EXPECT_NE(svg.find(element), std::string::npos) << element << "\n" << svg;
    EXPECT_EQ(Occurrences(svg, "data-change="), 3u) << "the removed object of a hidden layer is left out";
    EXPECT_EQ(Occurrences(svgOf({"--all-layers"}), "data-change=\"removed\""), 2u);

    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"render", now, "--compare", old, "-o", Root + "x.svg", "--layer", "0-0"},
          {"render", now, "--compare", old, "-o", Root + "x.svg", "--color", "2"}})
        EXPECT_EQ(Cli(args).ExitCode, ExitUsage);
    WriteFileBytes(Root + "not.jww", "not a drawing");
    const TCliRun unreadable = Cli({"render", now, "--compare", Root + "not.jww", "-o", Root + "x.svg"});
    EXPECT_EQ(unreadable.ExitCode, ExitFailure);
    EXPECT_NE(unreadable.Err.find("not.jww"), std::string::npos) << unreadable.Err;
    // A drawing named like a picture is never drawn over.
    WriteFileBytes(Root + "old.svg", ReadFileBytes(old));
    EXPECT_EQ(Cli({"render", now, "--compare", Root + "old.svg", "-o", Root + "old.svg", "--force"}).ExitCode,
              ExitFailure);
    EXPECT_EQ(ReadFileBytes(Root + "old.svg"), ReadFileBytes(old));
}

// Definition k inserts definition k + 1 ten times, twelve deep: 10^11 lines if expanded.
TEST_F(RenderCommand, NestedInsertionsTwelveDeepDrawWithinTheBudget)
{
    const auto doc = std::make_unique<TJwwDocument>();
    GenerateNestedDrawing(*doc, 700, 10, 12);
    ASSERT_TRUE(SaveJww(*doc, Root + "nested.jww", 700));
    for (const std::string picture : {"nested.svg", "nested.png"}) {
        const TCliRun run = Cli({"render", Root + "nested.jww", "-o", Root + picture});
        ASSERT_EQ(run.ExitCode, ExitSuccess) << run.Err;
    }
    const std::string svg = ReadFileBytes(Root + "nested.svg");
    EXPECT_LT(svg.size(), 40'000u) << "each definition once";
    EXPECT_EQ(Occurrences(svg, "<g id=\"b"), 12u);
    EXPECT_EQ(Occurrences(svg, "<use "), 11u * 10 + 1);
    EXPECT_EQ(ReadFileBytes(Root + "nested.png").substr(0, 8), "\x89PNG\r\n\x1A\n");
}

#ifndef _WIN32
// Cairo's paths go on from a text's end unless each shape starts a path of its own.
TEST_F(RenderCommand, PngDrawsNothingBetweenATextAndTheArcAfterIt)
{
    TSmallDrawing drawing(700);
    ShowEveryLayer(*drawing.Doc);
    TEntMoji text;
    text.Base = BaseWith(1, 2);
    text.StartX = 0, text.StartY = 90, text.EndX = 20, text.EndY = 90, text.SizeY = 5;
    text.Text = "AB";
    TEntEnko arc;
    arc.Base = BaseWith(1, 2);
    arc.CenterX = 90, arc.CenterY = 0, arc.Radius = 5, arc.Flatness = 1, arc.ArcAngle = 3;
    drawing.Add(drawing.Doc->MojiList, KindMoji, text).Add(drawing.Doc->EnkoList, KindEnko, arc);
    drawing.Save(Root + "text-arc.jww");
    ASSERT_EQ(Cli({"render", Root + "text-arc.jww", "-o", Root + "text-arc.png"}).ExitCode, ExitSuccess);

    const TPngPixels image(ReadFileBytes(Root + "text-arc.png"));
    ASSERT_TRUE(image.Read());
    // The extent runs from (0, -5) to (95, 95): 2000 pixels for its height of 100 with a margin
    // of 2 on every side.
    const double k = 2000 / 104.0;
    const auto pixel = [&](double x, double y) {
        return image.At(static_cast<int>((x + 2) * k), static_cast<int>((97 - y) * k));
    };
    // Between the text's end at (20, 90) and the arc's start at (95, 0) all is white.
    for (double t = 0.3; t < 0.75; t += 0.05)
        EXPECT_EQ(pixel(20 + 75 * t, 90 - 90 * t), 0xFFFFFFu) << t;
    EXPECT_NE(pixel(90, 5), 0xFFFFFFu) << "the arc is drawn";
}

TEST_F(RenderCommand, ComparePngPaintsEachChangeInItsColour)
{
    const auto [old, now] = SaveTwoRevisions();
    ASSERT_EQ(Cli({"render", now, "--compare", old, "-o", Root + "c.png"}).ExitCode, ExitSuccess);
    const TPngPixels image(ReadFileBytes(Root + "c.png"));
    ASSERT_TRUE(image.Read());
    // The extent runs from (0, 0) to (200, 100) with a margin of 4. Lines are smoothed, so the
    // strongest pixel near a point is taken for the colour that it comes nearest.
    const double k = 2000 / 208.0;
    const auto pixel = [&](double x, double y) {
        const int cx = static_cast<int>(std::lround((x + 4) * k));
        const int cy = static_cast<int>(std::lround((104 - y) * k));
        const auto channels = [](uint32_t c) {
            return std::array<int, 3>{int(c >> 16 & 0xFF), int(c >> 8 & 0xFF), int(c & 0xFF)};
        };
        const auto distance = [&](uint32_t a, uint32_t b) {
            const auto p = channels(a), q = channels(b);
            return std::abs(p[0] - q[0]) + std::abs(p[1] - q[1]) + std::abs(p[2] - q[2]);
        };
        uint32_t strongest = 0xFFFFFF;
        for (int dy = -2; dy <= 2; ++dy)
            for (int dx = -2; dx <= 2; ++dx)
                if (const uint32_t c = image.At(cx + dx, cy + dy); distance(c, 0xFFFFFF) > distance(strongest, 0xFFFFFF))
                    strongest = c;
        const uint32_t references[] = {0xFFFFFF, 0xD2D2D2, 0xDC1E1E, 0x1E50E6};
        return *std::min_element(std::begin(references), std::end(references), [&](uint32_t a, uint32_t b) {
            return distance(strongest, a) < distance(strongest, b);
        });
    };
    EXPECT_EQ(pixel(25, 12.5), 0xD2D2D2u) << "shared";
    EXPECT_EQ(pixel(150, 75), 0xDC1E1Eu) << "removed";
    EXPECT_EQ(pixel(25, 37.5), 0x1E50E6u) << "added";
    EXPECT_EQ(pixel(5, 5), 0xFFFFFFu) << "the removed object of a hidden layer";
}
#endif

// Each edit of an SXF column that changes the picture draws what import writes with it, and a
// picture that differs from the drawing's own.
TEST_F(RenderCommand, EditsDrawWhatImportWrites)
{
    const std::string drawing = Root + "sxf.jww";
    TSmallDrawing small(700);
    TJwwDocument& doc = *small.Doc;
    ShowEveryLayer(doc);
    doc.ColorExTable[1].ScreenColor = 0x0000FF;
    doc.LineTypeExTable[1].Pattern = static_cast<int32_t>(0xF0F0F0F0);
    doc.LineTypeExTable[1].DotsPerUnit = 32;
    doc.LineTypeExTable[1].ScreenPitch = 2;
    doc.LineTypeExTable[2].SegmentCount = 2;
    doc.LineTypeExTable[2].Pitches = {2.0, 1.0};
    small.Add(doc.SenList, KindSen, {BaseWith(31, 101), 0, 0, 100, 50})
        .Add(doc.SenList, KindSen, {BaseWith(32, 101), 0, 10, 100, 60});
    small.Save(drawing);
    ASSERT_EQ(Cli({"render", drawing, "-o", Root + "own.svg"}).ExitCode, ExitSuccess);
    const std::string own = ReadFileBytes(Root + "own.svg");

    for (const char* edits : {
             R"({"colors": [{"no": 1, "screenColor": 65280}]})",
             R"({"colors": [{"no": 1, "screenWidth": 6}]})",
             R"({"linetypes": [{"no": 1, "pattern": "FF00FF00"}]})",
             R"({"linetypes": [{"no": 1, "segmentCount": 2, "p0": 4, "p1": 2}]})",
             R"({"linetypes": [{"no": 2, "p1": 5}]})",
         }) {
        WriteFileBytes(Root + "edits.json", edits);
        const TCliRun render = Cli({"render", drawing, "--edits", Root + "edits.json", "-o",
                                    Root + "edited.svg", "--force"});
        ASSERT_EQ(render.ExitCode, ExitSuccess) << render.Err;
        ASSERT_EQ(Cli({"import", drawing, Root + "edits.json", Root + "imported.jww", "--force"})
                      .ExitCode,
                  ExitSuccess);
        ASSERT_EQ(Cli({"render", Root + "imported.jww", "-o", Root + "imported.svg", "--force"})
                      .ExitCode,
                  ExitSuccess);
        const std::string edited = ReadFileBytes(Root + "edited.svg");
        EXPECT_EQ(edited, ReadFileBytes(Root + "imported.svg")) << edits;
        EXPECT_NE(edited, own) << edits;
    }
}

// Edits that cannot be used stop render with the message and exit status that import gives.
TEST_F(RenderCommand, UnusableEditsFailAsImportDoes)
{
    const std::string drawing = SaveTwoLines();
    WriteFileBytes(Root + "bad.csv", "No.,画面色\r\n3,12O\r\n");
    for (const std::string& edits : {Root + "bad.csv", Root + "missing.csv"}) {
        const TCliRun import = Cli({"import", drawing, edits, Root + "out.jww"});
        const TCliRun render = Cli({"render", drawing, "--edits", edits, "-o", Root + "out.svg"});
        EXPECT_NE(import.ExitCode, ExitSuccess) << edits;
        EXPECT_EQ(render.ExitCode, import.ExitCode) << edits;
        EXPECT_EQ(render.Err.substr(render.Err.find(':')), import.Err.substr(import.Err.find(':')))
            << render.Err;
    }
    // An edits file is never written over, even with --force.
    WriteFileBytes(Root + "edits.svg", "No.,画面色\r\n3,1\r\n");
    EXPECT_EQ(Cli({"render", drawing, "--edits", Root + "edits.svg", "-o", Root + "edits.svg",
                   "--force"})
                  .ExitCode,
              ExitFailure);
    EXPECT_EQ(ReadFileBytes(Root + "edits.svg"), "No.,画面色\r\n3,1\r\n");
    EXPECT_EQ(Files(), (std::vector<std::string>{"bad.csv", "edits.svg", "lines.jww", "tmp"}));
}
