#include "PaperReport.h"

#include "PdfInfo.h"
#include "TemplateNesting.h"
#include "TemplateResources.h"

#include "base/Cp1252.h"
#include "base/Error.h"
#include "calc/Calculation.h"
#include "calc/Offer.h"
#include "report/HtmlReport.h"
#include "report/ReportProgress.h"

#include <QAbstractTextDocumentLayout>
#include <QBuffer>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>
#include <QPainter>
#include <QPdfWriter>
#include <QPixmap>
#include <QSet>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextLayout>
#include <QUrl>

#include <algorithm>
#include <cmath>
#include <set>

namespace zolvaric {

namespace {

// The layout's unit is the CSS pixel, 1/96 inch: a template's "px" mean on
// paper what they mean in the browser, whatever the screen.
constexpr qreal kLayoutDpi = 96;
constexpr qreal kMarginMm = 20;
// The foot of the printable area that holds the page number.
constexpr qreal kFooterMm = 9;
constexpr qreal kPdfDpi = 1200;

qreal fromMm(qreal mm)
{
    return mm / 25.4 * kLayoutDpi;
}

const QSizeF kPrintable(fromMm(210 - 2 * kMarginMm), fromMm(297 - 2 * kMarginMm));
const qreal kBodyHeight = kPrintable.height() - fromMm(kFooterMm);

int pageOf(qreal y)
{
    return static_cast<int>(std::floor(y / kBodyHeight));
}

// Where a page break goes: before a heading or a table. Returns false when
// it is there already.
bool setBreakBefore(QTextBlock block, bool on)
{
    QTextBlockFormat format = block.blockFormat();
    const auto policy = on ? QTextFormat::PageBreak_AlwaysBefore : QTextFormat::PageBreak_Auto;
    if (format.pageBreakPolicy() == policy)
        return false;
    format.setPageBreakPolicy(policy);
    QTextCursor(block).setBlockFormat(format);
    return true;
}

bool setBreakBefore(QTextFrame *frame, bool on)
{
    QTextFrameFormat format = frame->frameFormat();
    const auto policy = on ? QTextFormat::PageBreak_AlwaysBefore : QTextFormat::PageBreak_Auto;
    if (format.pageBreakPolicy() == policy)
        return false;
    format.setPageBreakPolicy(policy);
    frame->setFrameFormat(format);
    return true;
}

// A picture the template names but that is not there, or that may not be
// read, is left out: Qt would print its "missing file" icon (where Qt Widgets
// is loaded), no office's logo. Returns false when there is none (left).
bool dropMissingPicture(QTextDocument &document, const QSet<QString> &refused)
{
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (!fragment.charFormat().isImageFormat())
                continue;
            const QUrl name(fragment.charFormat().toImageFormat().name());
            const QVariant picture = document.resource(QTextDocument::ImageResource, name);
            bool shown = !refused.contains(name.toString()) &&
                         (picture.canConvert<QImage>() || picture.canConvert<QPixmap>());
            if (picture.typeId() == QMetaType::QByteArray) {
                QByteArray bytes = picture.toByteArray();
                QBuffer buffer(&bytes);
                shown = QImageReader(&buffer).canRead();
            }
            if (!shown) {
                QTextCursor cursor(&document);
                cursor.setPosition(fragment.position());
                cursor.setPosition(fragment.position() + fragment.length(),
                                   QTextCursor::KeepAnchor);
                cursor.removeSelectedText();
                return true;
            }
        }
    }
    return false;
}

// What is kept on one page where it fits: a table of the main text, and a
// paragraph with a background, whose colour would otherwise start at the
// foot of one page.
bool keptWhole(const QTextFrame *frame, const QTextBlock &block)
{
    return frame || block.blockFormat().background().style() != Qt::NoBrush;
}

// One step of keeping things whole: the first table or coloured paragraph
// that runs over a page break although it fits on a page moves to the next
// page, and so does a heading left at the foot of a page without what
// follows it; a heading right before a moved part moves with it. Returns
// false when nothing moved.
bool moveOneOverBreak(QTextDocument &document, std::set<int> &tooTall)
{
    QAbstractTextDocumentLayout *layout = document.documentLayout();
    QTextBlock heading; // the last heading, while nothing but empty lines follow it
    qreal headingTop = 0;
    for (QTextFrame::iterator it = document.rootFrame()->begin(); !it.atEnd(); ++it) {
        QTextFrame *frame = it.currentFrame();
        const QTextBlock block = it.currentBlock();
        if (!frame && block.text().isEmpty())
            continue;
        const auto box = [&] {
            return frame ? layout->frameBoundingRect(frame) : layout->blockBoundingRect(block);
        };
        const auto split = [&](const QRectF &rect) {
            return pageOf(rect.top()) != pageOf(rect.bottom() - 1);
        };
        const QRectF before = box();
        const int position = frame ? frame->firstPosition() : block.position();
        if (keptWhole(frame, block) && !tooTall.count(position) && split(before)) {
            const auto moveBreak = [&](bool on) {
                if (heading.isValid())
                    return setBreakBefore(heading, on);
                return frame ? setBreakBefore(frame, on) : setBreakBefore(block, on);
            };
            const bool moved = moveBreak(true);
            if (!moved || split(box())) {
                // Taller than a page: it runs on over the break as it must.
                tooTall.insert(position);
                if (moved)
                    moveBreak(false);
            }
            return true;
        }
        if (heading.isValid() && pageOf(before.top()) > pageOf(headingTop) &&
            setBreakBefore(heading, true))
            return true;
        heading = !frame && block.blockFormat().headingLevel() > 0 ? block : QTextBlock();
        headingTop = before.top();
    }
    return false;
}

void keepWhole(QTextDocument &document)
{
    std::set<int> tooTall; // by the position where each starts
    // Each move can only push what follows further down; a page of tables
    // and headings is checked again from the top after each move.
    for (int step = 0; step < 10000 && moveOneOverBreak(document, tooTall); ++step) {
    }
}

QFont defaultFont()
{
    QFont font;
    font.setFamilies({QStringLiteral("Arial"), QStringLiteral("Liberation Sans"),
                      QStringLiteral("DejaVu Sans")});
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(10);
    return font;
}

ReportProgress &noProgress()
{
    static NoReportProgress none;
    return none;
}

} // namespace

// The page's pictures and style sheets come from beside the template only
// (templateResource); inline data as Qt reads it. What is refused gets a
// stand-in, not nothing: Qt would then open the name itself, without limit.
class TemplateDocument : public QTextDocument
{
public:
    explicit TemplateDocument(QString folder) : m_folder(std::move(folder)) {}

    // The names refused so far, whose pictures are to be left out.
    const QSet<QString> &refused() const { return m_refused; }

protected:
    QVariant loadResource(int type, const QUrl &name) override
    {
        if (name.scheme() == QLatin1String("data"))
            return QTextDocument::loadResource(type, name);
        QVariant bytes = templateResource(m_folder, name);
        if (bytes.isValid())
            return bytes;
        m_refused.insert(name.toString());
        if (type == QTextDocument::ImageResource) {
            QImage blank(1, 1, QImage::Format_ARGB32);
            blank.fill(Qt::transparent);
            return blank;
        }
        return QString();
    }

private:
    QString m_folder;
    QSet<QString> m_refused;
};

struct PaperReport::Layout
{
    // The layout's paint device: it fixes the resolution fonts are laid out
    // at, so pages do not depend on the screen.
    QImage metrics{1, 1, QImage::Format_RGB32};
    TemplateDocument text;
    QString title;
    QString author;
    int pages = 0;

    Layout(const QString &html, const QString &folder) : text(folder)
    {
        const int dotsPerMeter = qRound(kLayoutDpi / 0.0254);
        metrics.setDotsPerMeterX(dotsPerMeter);
        metrics.setDotsPerMeterY(dotsPerMeter);
        text.documentLayout()->setPaintDevice(&metrics);
        text.setUseDesignMetrics(true);
        text.setDocumentMargin(0);
        text.setDefaultFont(defaultFont());
        // Words break at their ends only, as in the browser; Qt's default
        // breaks anywhere, which makes its table columns narrower than a
        // word and splits "Honorarzone" into "Honorarzon" and "e".
        QTextOption option = text.defaultTextOption();
        option.setWrapMode(QTextOption::WordWrap);
        text.setDefaultTextOption(option);
        // No base address: the names reach templateResource as the template
        // wrote them, which resolves them below the template's folder.
        text.setPageSize(QSizeF(kPrintable.width(), kBodyHeight));
        // The template's rules for print apply, as in the browser's print.
        text.setMetaInformation(QTextDocument::CssMedia, QStringLiteral("print"));
        text.setHtml(html);
        while (dropMissingPicture(text, text.refused())) {
        }
        keepWhole(text);
        pages = text.pageCount();
    }
};

PaperReport::PaperReport(const Offer &offer, const QString &templatePath, ReportProgress &progress)
{
    const QByteArray page = renderHtmlReport(offer, readHtmlTemplate(templatePath), progress);
    const QString html = decodeCp1252(page);
    checkTemplateNesting(html);
    m_layout = std::make_unique<Layout>(html, QFileInfo(templatePath).absolutePath());
    m_layout->title = offerDocumentTitle(offer.calculation());
    m_layout->author = offer.calculation().sheet().edStammFirma.text().trimmed();
}

PaperReport::PaperReport(const Offer &offer, const QString &templatePath)
    : PaperReport(offer, templatePath, noProgress())
{
}

PaperReport::PaperReport(PaperReport &&) noexcept = default;
PaperReport &PaperReport::operator=(PaperReport &&) noexcept = default;
PaperReport::~PaperReport() = default;

int PaperReport::pageCount() const
{
    return m_layout->pages;
}

const QString &PaperReport::title() const
{
    return m_layout->title;
}

const QString &PaperReport::author() const
{
    return m_layout->author;
}

QString PaperReport::creator()
{
    return QStringLiteral("Zolvaric " ZOLVARIC_VERSION_TEXT);
}

QPageLayout PaperReport::pageLayout()
{
    return QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                       QMarginsF(kMarginMm, kMarginMm, kMarginMm, kMarginMm),
                       QPageLayout::Millimeter);
}

void PaperReport::paintPageNumber(QPainter &painter, qreal scale, int page) const
{
    // Laid out at the layout's resolution like the text, so that the
    // painter's scale takes both to the device alike.
    QFont font(m_layout->text.defaultFont(), &m_layout->metrics);
    font.setPointSizeF(8);
    QTextLayout line(QStringLiteral("Seite %1 von %2").arg(page).arg(m_layout->pages), font,
                     &m_layout->metrics);
    line.beginLayout();
    QTextLine text = line.createLine();
    line.endLayout();
    painter.save();
    painter.scale(scale, scale);
    painter.setPen(QColor(0x5b, 0x67, 0x70));
    line.draw(&painter, QPointF(kPrintable.width() - text.naturalTextWidth(),
                                kPrintable.height() - text.height()));
    painter.restore();
}

bool PaperReport::paint(QPagedPaintDevice &device, int fromPage, int toPage) const
{
    if (!device.setPageLayout(pageLayout())) {
        // A printer that cannot print that close to the edge keeps its own
        // margins; the pages are scaled to its area below.
        device.setPageSize(QPageSize(QPageSize::A4));
    }
    const int first = qBound(1, fromPage, m_layout->pages);
    const int last = toPage < 1 ? m_layout->pages : qBound(first, toPage, m_layout->pages);
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    const qreal scale =
        std::min({device.logicalDpiX() / kLayoutDpi, device.logicalDpiY() / kLayoutDpi,
                  device.width() / kPrintable.width(), device.height() / kPrintable.height()});
    QAbstractTextDocumentLayout *layout = m_layout->text.documentLayout();
    const QRectF body(QPointF(0, 0), QSizeF(kPrintable.width(), kBodyHeight));
    for (int page = first; page <= last; ++page) {
        if (page > first && !device.newPage())
            return false;
        painter.save();
        painter.scale(scale, scale);
        painter.setClipRect(body);
        const qreal top = (page - 1) * kBodyHeight;
        painter.translate(0, -top);
        QAbstractTextDocumentLayout::PaintContext context;
        context.clip = body.translated(0, top);
        context.palette.setColor(QPalette::Text, Qt::black);
        layout->draw(&painter, context);
        painter.restore();

        paintPageNumber(painter, scale, page);
    }
    return painter.end();
}

QByteArray PaperReport::toPdf() const
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setResolution(static_cast<int>(kPdfDpi));
        writer.setTitle(m_layout->title);
        writer.setCreator(creator());
        if (!paint(writer))
            throw Error(QStringLiteral("Die PDF-Datei kann nicht erzeugt werden."));
    }
    return withPdfInfo(buffer.data(), {m_layout->title, m_layout->author, creator(),
                                       QStringLiteral("Qt ") + QLatin1String(qVersion()),
                                       QDateTime::currentDateTime()});
}

QString offerDocumentTitle(const Calculation &calculation)
{
    const CalculationSheet &sheet = calculation.sheet();
    for (const QString &name : {sheet.edProjektbez.text(), sheet.edProjektnr.text()}) {
        if (!name.trimmed().isEmpty())
            return name.trimmed();
    }
    return QStringLiteral("Honorarangebot");
}

} // namespace zolvaric
