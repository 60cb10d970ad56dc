#pragma once

#include <QByteArray>
#include <QPageLayout>
#include <QString>

#include <memory>

class QPagedPaintDevice;
class QPainter;

namespace zolvaric {

class Calculation;
class Offer;
class ReportProgress;

// The fee offer on paper: the page the HTML report makes from the office's
// template (same placeholders, same escaping), laid out on A4 pages with
// 20 mm margins and "Seite n von m" at the foot of each. A table that fits
// on a page is not split, a heading stays with what follows it. Pictures and
// style sheets are read only from below the template's folder, as regular
// files of a bounded size (templateResource); others are left out. The layout is made
// once, at a fixed resolution: a PDF, the print and the print preview show
// the same pages. Needs a QGuiApplication (fonts).
class PaperReport
{
public:
    // Throws Error with a German message when the template cannot be read or
    // its blocks do not pair up (TemplateBlockError).
    PaperReport(const Offer &offer, const QString &templatePath, ReportProgress &progress);
    PaperReport(const Offer &offer, const QString &templatePath);
    PaperReport(PaperReport &&) noexcept;
    PaperReport &operator=(PaperReport &&) noexcept;
    ~PaperReport();

    int pageCount() const;

    // Sets A4 with 20 mm margins on the device (so a printer the user chose
    // gets the same layout), then paints pages fromPage to toPage (from 1; 0
    // for the first or the last page), each page after the first on a new
    // sheet. A device whose printable area is smaller gets the pages scaled
    // down to fit. False when the device cannot be painted on.
    bool paint(QPagedPaintDevice &device, int fromPage = 0, int toPage = 0) const;

    // The whole report as PDF: real text (selectable, searchable), fonts
    // embedded, title, author and creator set. Throws Error when it cannot
    // be made.
    QByteArray toPdf() const;

    // The document properties: the project's name (else its number, else
    // "Honorarangebot"), the office's name, "Zolvaric <version>".
    const QString &title() const;
    const QString &author() const;
    static QString creator();

    static QPageLayout pageLayout();

private:
    void paintPageNumber(QPainter &painter, qreal scale, int page) const;

    struct Layout;
    std::unique_ptr<Layout> m_layout;
};

// The offer's name as its documents carry it: the project's name, else its
// number, else "Honorarangebot".
QString offerDocumentTitle(const Calculation &calculation);

} // namespace zolvaric
