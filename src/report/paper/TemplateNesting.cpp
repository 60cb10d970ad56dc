#include "TemplateNesting.h"

#include "base/Error.h"

#include <QString>

#include <algorithm>
#include <array>

namespace zolvaric {

namespace {

bool isLetter(QChar c)
{
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9');
}

// Empty elements and those whose end tag may be left out.
bool nests(QStringView name)
{
    static const std::array<QStringView, 30> flat = {
        u"area",  u"base",     u"br",    u"col",    u"embed", u"hr",      u"img",   u"input",
        u"link",  u"meta",     u"param", u"source", u"track", u"wbr",     u"p",     u"li",
        u"td",    u"th",       u"tr",    u"dt",     u"dd",    u"option",  u"thead", u"tbody",
        u"tfoot", u"colgroup", u"html",  u"head",   u"body",  u"optgroup"};
    return std::none_of(flat.begin(), flat.end(), [name](QStringView each) {
        return name.compare(each, Qt::CaseInsensitive) == 0;
    });
}

[[noreturn]] void refuse()
{
    throw Error(QStringLiteral("Die Vorlage ist zu groß oder beschädigt."));
}

} // namespace

void checkTemplateNesting(QStringView html)
{
    int depth = 0;
    int tables = 0;
    const qsizetype size = html.size();
    for (qsizetype i = 0; i < size; ++i) {
        if (html[i] != u'<' || i + 1 >= size)
            continue;
        qsizetype start = i + 1;
        const bool closing = html[start] == u'/';
        if (closing)
            ++start;
        qsizetype end = start;
        while (end < size && isLetter(html[end]))
            ++end;
        if (end == start)
            continue; // a comment, a declaration or a lone '<'
        const QStringView name = html.sliced(start, end - start);
        const qsizetype close = html.indexOf(u'>', end);
        if (close < 0)
            break;
        const bool selfClosing = html[close - 1] == u'/';
        i = close;
        if (selfClosing || !nests(name))
            continue;
        const bool table = name.compare(u"table", Qt::CaseInsensitive) == 0;
        if (closing) {
            depth = std::max(0, depth - 1);
            if (table)
                tables = std::max(0, tables - 1);
            continue;
        }
        if (++depth > kMaxElementNesting || (table && ++tables > kMaxTableNesting))
            refuse();
    }
}

} // namespace zolvaric
