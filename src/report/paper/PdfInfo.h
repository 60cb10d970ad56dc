#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>

namespace zolvaric {

// What a PDF reader shows as the document's properties.
struct PdfInfo
{
    QString title;
    QString author; // left out when empty
    QString creator;
    QString producer;
    QDateTime created; // left out when invalid
};

// The PDF with a new Info dictionary holding `info`, appended as an
// incremental update: the original bytes and their offsets stay as they are,
// a new version of the Info object, a cross-reference section for it and a
// trailer pointing back to the old one follow. Qt 6.4's PDF writer has no
// author of its own. Throws Error when the PDF's trailer cannot be read.
QByteArray withPdfInfo(const QByteArray &pdf, const PdfInfo &info);

// A PDF text string: UTF-16BE with byte-order mark, written in hex, so that
// no character needs an escape.
QByteArray pdfTextString(const QString &text);

} // namespace zolvaric
