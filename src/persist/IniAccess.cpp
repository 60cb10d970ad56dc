#include "IniAccess.h"
#include "base/FileErrorText.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <algorithm>

namespace zolvaric {

namespace {

// The document of a file; empty when there is no file (no error) or it
// cannot be read (with the reason).
std::optional<IniDocument> readDocument(const QString &path, QString &error)
{
    const QFileInfo info(path);
    if (!info.isFile())
        return std::nullopt;
    const QString shown = QDir::toNativeSeparators(path);
    const QString tooLarge =
        QStringLiteral("Die Datei \"%1\" ist zu groß (mehr als %2 MB) und wird nicht gelesen.")
            .arg(shown)
            .arg(kMaxIniFileSize / (1024 * 1024));
    if (info.size() > kMaxIniFileSize) {
        error = tooLarge;
        return std::nullopt;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        error = QStringLiteral("Die Datei \"%1\" kann nicht gelesen werden: %2")
                    .arg(shown, fileErrorText(file));
        return std::nullopt;
    }
    // The limit holds for a file that grew since it was looked at, too; the
    // buffer is sized by the file, not by the limit.
    if (file.size() > kMaxIniFileSize) {
        error = tooLarge;
        return std::nullopt;
    }
    return IniDocument::fromBytes(file.read(file.size()));
}

} // namespace

QString oneLineValue(QString value)
{
    static const QRegularExpression lineBreak(QStringLiteral("\r\n|\r|\n"));
    return value.replace(lineBreak, QStringLiteral(" "));
}

namespace {

bool isHexDigit(QChar c)
{
    return (c >= QLatin1Char('0') && c <= QLatin1Char('9')) ||
           (c >= QLatin1Char('a') && c <= QLatin1Char('f')) ||
           (c >= QLatin1Char('A') && c <= QLatin1Char('F'));
}

} // namespace

IniReader::IniReader(const QString &file) : m_document(readDocument(file, m_error)) {}

QString IniReader::string(const QString &section, const QString &key,
                          const QString &defaultValue) const
{
    if (!m_document)
        return defaultValue;
    const auto value = m_document->value(section, key);
    return value && !value->isEmpty() ? *value : defaultValue;
}

QStringList IniReader::sectionNames() const
{
    return m_document ? m_document->sectionNames() : QStringList();
}

QString ReadIniString(const QString &file, const QString &section, const QString &key,
                      const QString &defaultValue)
{
    return IniReader(file).string(section, key, defaultValue);
}

bool ReadIniBool(const QString &file, const QString &section, const QString &key, bool defaultValue)
{
    if (!QFileInfo(file).isFile())
        return defaultValue;
    QString text = ReadIniString(file, section, key, QString());
    if (text.size() > 2 && text.startsWith(QLatin1String("0x"), Qt::CaseInsensitive))
        text = QLatin1Char('$') + text.mid(2);
    bool ok = false;
    if (text.startsWith(QLatin1Char('$'))) {
        // Hexadecimal: digits only, up to the 32 bits of an integer
        // ($FFFFFFFF is -1, which is yes).
        const QStringView digits = QStringView(text).mid(1);
        const bool hexDigits =
            !digits.isEmpty() &&
            std::all_of(digits.begin(), digits.end(), [](QChar c) { return isHexDigit(c); });
        const uint value = hexDigits ? digits.toUInt(&ok, 16) : 0;
        return ok ? value != 0 : defaultValue;
    }
    const int value = text.toInt(&ok, 10);
    return ok ? value != 0 : defaultValue;
}

WriteResult updateIniFile(const QString &file, const std::function<void(IniDocument &)> &edit)
{
    IniDocument document;
    QString error;
    if (auto existing = readDocument(file, error))
        document = std::move(*existing);
    else if (!error.isEmpty())
        return WriteResult{false, error};
    edit(document);
    return writeFileAtomically(file, document.toBytes());
}

WriteResult WriteIniStrings(const QString &file, const QString &section, const IniEntries &entries,
                            const QStringList &removedKeys)
{
    return updateIniFile(file, [&](IniDocument &document) {
        for (const auto &[key, value] : entries)
            document.setValue(section, key, oneLineValue(value));
        for (const QString &key : removedKeys)
            document.removeValue(section, key);
    });
}

WriteResult WriteIniString(const QString &file, const QString &section, const QString &key,
                           const QString &value)
{
    return WriteIniStrings(file, section, {{key, value}});
}

} // namespace zolvaric
