#include "ui/qt/WindowFont.h"

#include <QStringList>

#include "ui/Messages.h"
#include "ui/qt/DisplayText.h"

namespace {

constexpr int CharacterHeight = 16;

}  // namespace

QFont Form1Font()
{
    QFont font;
    font.setFamilies({TextFromCp932(Form1FontName), QStringLiteral("MS Gothic"),
                      QStringLiteral("Noto Sans Mono CJK JP"), QStringLiteral("Noto Sans CJK JP"),
                      QStringLiteral("IPAGothic"), QStringLiteral("VL Gothic")});
    font.setStyleHint(QFont::TypeWriter);
    font.setPixelSize(CharacterHeight);
    return font;
}
