#pragma once

#include <QList>
#include <QString>
#include <QStringView>

namespace zolvaric {

// One line of a text and the line end that closed it ("\r\n", "\n", "\r",
// or empty for a last line without one).
struct TextLine
{
    QStringView text;
    QStringView end;
};

// The lines of a text as files written on any system have them: CR LF, a
// lone LF and a lone CR all end a line. A line end at the very end starts no
// further line. The views point into the text.
QList<TextLine> splitTextLines(QStringView text);

// A text of several lines as one line of an INI file: each line end (CR LF,
// LF or CR) becomes "\n" and each backslash "\\"; linesOfOneLineText reads it back, where a
// backslash before any other character stays as it is.
QString oneLineText(QStringView text);
QString linesOfOneLineText(QStringView line);

} // namespace zolvaric
