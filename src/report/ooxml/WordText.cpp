#include "WordText.h"

namespace zolvaric {

namespace {

// The character for a code both texts know; a null QChar for none.
QChar commonCode(QChar code)
{
    switch (code.unicode()) {
    case u'^':
        return u'^';
    case u't':
        return wordchar::Tab;
    case u'l':
        return wordchar::LineBreak;
    case u'm':
        return wordchar::PageBreak;
    case u'n':
        return wordchar::ColumnBreak;
    case u'p':
        return wordchar::ParagraphMark;
    case u's':
        return wordchar::NonBreakingSpace;
    case u'~':
        return wordchar::NonBreakingHyphen;
    case u'-':
        return wordchar::OptionalHyphen;
    default:
        return QChar();
    }
}

} // namespace

QString searchTextFromCodes(const QString &text)
{
    QString result;
    result.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar code =
            i + 1 < text.size() && text[i] == u'^' ? commonCode(text[i + 1]) : QChar();
        if (code.isNull()) {
            result += text[i];
        } else {
            result += code;
            ++i;
        }
    }
    return result;
}

QString replacementFromCodes(const QString &text, const QString &found,
                             const std::function<QString()> &clipboardText)
{
    QString result;
    result.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] != u'^' || i + 1 == text.size()) {
            result += text[i];
            continue;
        }
        const QChar next = text[i + 1];
        if (const QChar code = commonCode(next); !code.isNull())
            result += code;
        else if (next == u'&')
            result += found;
        else if (next == u'c')
            result += clipboardText ? clipboardText() : QString();
        else {
            result += text[i];
            continue;
        }
        ++i;
    }
    return result;
}

} // namespace zolvaric
