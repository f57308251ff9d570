#include "ui/win/WindowFont.h"

#include <string>

#include "ui/Messages.h"
#include "ui/win/WinText.h"

namespace {

constexpr int CharacterHeight = 16;

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

}  // namespace

HFONT CreateForm1Font()
{
    std::wstring face = WideFromCp932(Form1FontName);
    for (const wchar_t* fallback : {L"MS UI Gothic", L"Noto Sans CJK JP", L"Noto Sans Mono CJK JP"}) {
        if (FontExists(face))
            break;
        face = fallback;
    }
    return CreateFontW(-CharacterHeight, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET,
                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                       FIXED_PITCH | FF_MODERN, face.c_str());
}
