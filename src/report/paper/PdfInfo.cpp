#include "PdfInfo.h"

#include "base/Error.h"

#include <QByteArrayView>

#include <optional>

namespace zolvaric {

namespace {

bool isPdfSpace(char c)
{
    return c == ' ' || c == '\n' || c == '\r' || c == '\t' || c == '\f' || c == '\0';
}

// Reads the unsigned integer at `at`, after white space; moves `at` past it.
std::optional<qint64> readNumber(QByteArrayView text, qsizetype &at)
{
    while (at < text.size() && isPdfSpace(text[at]))
        ++at;
    const qsizetype start = at;
    qint64 value = 0;
    while (at < text.size() && text[at] >= '0' && text[at] <= '9' && at - start < 15)
        value = value * 10 + (text[at++] - '0');
    if (at == start)
        return std::nullopt;
    return value;
}

// The value after a key of the trailer's dictionary: where it starts.
std::optional<qsizetype> valueOf(QByteArrayView dictionary, QByteArrayView key)
{
    for (qsizetype at = dictionary.indexOf(key); at >= 0; at = dictionary.indexOf(key, at + 1)) {
        const qsizetype end = at + key.size();
        // "/Info" must not match "/InfoX".
        if (end < dictionary.size() && !isPdfSpace(dictionary[end]) && dictionary[end] != '[' &&
            dictionary[end] != '<' && dictionary[end] != '/')
            continue;
        return end;
    }
    return std::nullopt;
}

struct Reference
{
    qint64 object;
    qint64 generation;
};

std::optional<Reference> referenceOf(QByteArrayView dictionary, QByteArrayView key)
{
    auto at = valueOf(dictionary, key);
    if (!at)
        return std::nullopt;
    const auto object = readNumber(dictionary, *at);
    const auto generation = readNumber(dictionary, *at);
    while (*at < dictionary.size() && isPdfSpace(dictionary[*at]))
        ++*at;
    if (!object || !generation || *at >= dictionary.size() || dictionary[*at] != 'R')
        return std::nullopt;
    return Reference{*object, *generation};
}

[[noreturn]] void unreadable()
{
    throw Error(QStringLiteral("Die erzeugte PDF-Datei hat keinen lesbaren Trailer; "
                               "ihre Dokumenteigenschaften lassen sich nicht setzen."));
}

QByteArray twoDigits(int value)
{
    return QByteArray::number(value).rightJustified(2, '0');
}

// D:YYYYMMDDHHmmSS+HH'mm', the PDF's date form.
QByteArray pdfDate(const QDateTime &time)
{
    const int offset = time.offsetFromUtc() / 60;
    const QByteArray zone = (offset < 0 ? "-" : "+") + twoDigits(qAbs(offset) / 60) + '\'' +
                            twoDigits(qAbs(offset) % 60) + '\'';
    return "(D:" + time.toString(QStringLiteral("yyyyMMddHHmmss")).toLatin1() + zone + ')';
}

} // namespace

QByteArray pdfTextString(const QString &text)
{
    QByteArray hex = "<FEFF";
    for (const QChar c : text)
        hex += QByteArray::number(c.unicode(), 16).rightJustified(4, '0').toUpper();
    return hex + '>';
}

QByteArray withPdfInfo(const QByteArray &pdf, const PdfInfo &info)
{
    const qsizetype startxref = pdf.lastIndexOf("startxref");
    const qsizetype trailer = pdf.lastIndexOf("trailer", startxref);
    if (startxref < 0 || trailer < 0)
        unreadable();
    qsizetype at = startxref + 9;
    const auto previousXref = readNumber(pdf, at);
    const QByteArrayView dictionary = QByteArrayView(pdf).sliced(trailer, startxref - trailer);
    const auto sizeAt = valueOf(dictionary, "/Size");
    qsizetype sizeFrom = sizeAt.value_or(0);
    const auto size = sizeAt ? readNumber(dictionary, sizeFrom) : std::nullopt;
    const auto root = referenceOf(dictionary, "/Root");
    if (!previousXref || *previousXref >= trailer || !size || !root)
        unreadable();
    // The Info object is replaced where there is one, else added.
    const Reference infoObject = referenceOf(dictionary, "/Info").value_or(Reference{*size, 0});
    const qint64 newSize = qMax(*size, infoObject.object + 1);

    QByteArray update = pdf;
    if (!update.endsWith('\n'))
        update += '\n';
    const qsizetype infoOffset = update.size();
    update += QByteArray::number(infoObject.object) + ' ' +
              QByteArray::number(infoObject.generation) + " obj\n<<\n/Title " +
              pdfTextString(info.title);
    if (!info.author.isEmpty())
        update += "\n/Author " + pdfTextString(info.author);
    update +=
        "\n/Creator " + pdfTextString(info.creator) + "\n/Producer " + pdfTextString(info.producer);
    if (info.created.isValid())
        update += "\n/CreationDate " + pdfDate(info.created);
    update += "\n>>\nendobj\n";

    const qsizetype xrefOffset = update.size();
    // Each entry is exactly 20 bytes, its line end included.
    update += "xref\n" + QByteArray::number(infoObject.object) + " 1\n" +
              QByteArray::number(infoOffset).rightJustified(10, '0') + ' ' +
              QByteArray::number(infoObject.generation).rightJustified(5, '0') + " n \n";
    update += "trailer\n<<\n/Size " + QByteArray::number(newSize) + "\n/Root " +
              QByteArray::number(root->object) + ' ' + QByteArray::number(root->generation) +
              " R\n/Info " + QByteArray::number(infoObject.object) + ' ' +
              QByteArray::number(infoObject.generation) + " R\n";
    if (const auto id = valueOf(dictionary, "/ID")) {
        const qsizetype open = dictionary.indexOf('[', *id);
        const qsizetype close = dictionary.indexOf(']', open);
        if (open >= 0 && close > open)
            update += "/ID " + dictionary.sliced(open, close - open + 1).toByteArray() + '\n';
    }
    update += "/Prev " + QByteArray::number(*previousXref) + "\n>>\nstartxref\n" +
              QByteArray::number(xrefOffset) + "\n%%EOF\n";
    return update;
}

} // namespace zolvaric
