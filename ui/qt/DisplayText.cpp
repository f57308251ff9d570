#include "ui/qt/DisplayText.h"

#include <QFile>

#include "text/Cp932.h"

// Qt's own "windows-31j" decoder is ICU's IBM flavour of the code page: it swaps the control
// codes 0x1A, 0x1C and 0x7F and lacks bytes that Windows maps. An edited cell is encoded with
// the Windows table, so it is shown with the same table, or a cell that was only looked at and
// typed into could come back with other bytes.
QString TextFromCp932(std::string_view bytes)
{
    if (const std::optional<std::u16string> text = Cp932ToUtf16(bytes))
        return QString::fromUtf16(text->data(), static_cast<qsizetype>(text->size()));
    const std::u16string shown = Cp932ToUtf16Lossy(bytes);
    return QString::fromUtf16(shown.data(), static_cast<qsizetype>(shown.size()));
}

std::string TextToCp932(const QString& text)
{
    return Utf16ToCp932(
        std::u16string_view(reinterpret_cast<const char16_t*>(text.utf16()),
                            static_cast<std::size_t>(text.size())));
}

QString PathFromOs(const std::string& bytes)
{
    return QFile::decodeName(QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())));
}

std::string PathToOs(const QString& path)
{
    const QByteArray bytes = QFile::encodeName(path);
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}
