#include "ui/win/WindowFont.h"

#include <cwchar>
#include <string>

#include "ui/Form1Layout.h"
#include "ui/Messages.h"
#include "ui/win/WinText.h"
#include "ui/win/WindowDpi.h"

namespace {

int CALLBACK NoteFound(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found)
{
    *reinterpret_cast<bool*>(found) = true;
    return 0;
}

bool FontExists(const std::wstring& face)
{
    LOGFONTW wanted{};
    wanted.lfCharSet = DEFAULT_CHARSET;
    face.copy(wanted.lfFaceName, LF_FACESIZE - 1);
    bool found = false;
    const HDC screen = GetDC(nullptr);
    EnumFontFamiliesExW(screen, &wanted, &NoteFound, reinterpret_cast<LPARAM>(&found), 0);
    ReleaseDC(nullptr, screen);
    return found;
}

const std::wstring& Form1Face()
{
    static const std::wstring face = [] {
        std::wstring found = WideFromCp932(Form1FontName);
        for (const wchar_t* fallback : {L"MS UI Gothic", L"Noto Sans CJK JP", L"Noto Sans Mono CJK JP"}) {
            if (FontExists(found))
                break;
            found = fallback;
        }
        return found;
    }();
    return face;
}

// A negative height is the characters' height, a positive one that of a whole line.
HFONT CreateFace(int height)
{
    return CreateFontW(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET, OUT_DEFAULT_PRECIS,
                       CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FIXED_PITCH | FF_MODERN, Form1Face().c_str());
}

// What measure answers for the font selected into a screen context.
template <typename TMeasure>
auto MeasureOnScreen(HFONT font, TMeasure measure)
{
    const HDC screen = GetDC(nullptr);
    const HGDIOBJ previous = SelectObject(screen, font);
    const auto measured = measure(screen);
    SelectObject(screen, previous);
    ReleaseDC(nullptr, screen);
    return measured;
}

int LineHeight(HFONT font)
{
    return MeasureOnScreen(font, [](HDC dc) {
        TEXTMETRICW metrics{};
        GetTextMetricsW(dc, &metrics);
        return metrics.tmHeight;
    });
}

}  // namespace

HFONT CreateForm1Font(UINT dpi)
{
    return CreateFace(-Scaled(Form1CharacterHeight, dpi));
}

HFONT CreateStatusFont(UINT dpi, int tallestLine)
{
    HFONT font = CreateFace(-Scaled(StatusCharacterHeight, dpi));
    // A font asked for by its lines' height may round them a pixel taller.
    for (int lineHeight = tallestLine; lineHeight > 1 && LineHeight(font) > tallestLine; --lineHeight) {
        DeleteObject(font);
        font = CreateFace(lineHeight);
    }
    return font;
}

SIZE TextExtent(HFONT font, const wchar_t* text)
{
    return MeasureOnScreen(font, [text](HDC dc) {
        SIZE extent{};
        GetTextExtentPoint32W(dc, text, static_cast<int>(std::wcslen(text)), &extent);
        return extent;
    });
}
