#include "ui/qt/WindowFont.h"

#include <QFontMetrics>
#include <QStringList>

#include "ui/Form1Layout.h"
#include "ui/Messages.h"
#include "ui/qt/DisplayText.h"

QFont Form1Font()
{
    QFont font;
    font.setFamilies({TextFromCp932(Form1FontName), QStringLiteral("MS Gothic"),
                      QStringLiteral("Noto Sans Mono CJK JP"), QStringLiteral("Noto Sans CJK JP"),
                      QStringLiteral("IPAGothic"), QStringLiteral("VL Gothic")});
    font.setStyleHint(QFont::TypeWriter);
    font.setPixelSize(Form1CharacterHeight);
    return font;
}

QFont StatusFont(int tallestLine)
{
    QFont font = Form1Font();
    font.setPixelSize(StatusCharacterHeight);
    while (font.pixelSize() > 1 && QFontMetrics(font).height() > tallestLine)
        font.setPixelSize(font.pixelSize() - 1);
    return font;
}
