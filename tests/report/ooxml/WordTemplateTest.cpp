#include "DocxFixture.h"
#include "RunTests.h"
#include "TestFiles.h"

#include "base/RegionalSettings.h"
#include "calc/Offer.h"
#include "report/ooxml/OfferBlocks.h"
#include "report/ooxml/WordApplication.h"

#include <QRegularExpression>
#include <QTemporaryDir>

using namespace wordtest;
using namespace zolvaric;

namespace {

// Every placeholder a report fills in the default template; the rows name
// their phases each, so the older \LP8Text\ is not among them, and the
// long basis caption has no place in it.
QStringList reportPlaceholders()
{
    QStringList names{"StammFirma",
                      "StammZusatz",
                      "StammStrasse",
                      "StammPLZ",
                      "StammOrt",
                      "StammTelefon",
                      "Stammfax",
                      "StammEmail",
                      "StammInternet",
                      "Projektbez",
                      "Projektnr",
                      "Projektleiter",
                      "Bauvorhaben",
                      "Bauort",
                      "Bauherrname",
                      "Bauherrstrasse",
                      "BauherrPLZ",
                      "BauherrOrt",
                      "BauherrTelefon",
                      "HOAINorm",
                      "Honorartyp",
                      "Honorarzone",
                      "Honorarsatz",
                      "Honorartafel",
                      "anrechenbareKosten",
                      "K1",
                      "H1V",
                      "H1B",
                      "H1",
                      "K2",
                      "H2V",
                      "H2B",
                      "H2",
                      "D1",
                      "D2",
                      "D3",
                      "Grundhonorar"};
    for (const char *pattern : {"LP%1Bezeichnung", "LP%1HOAI", "LP%1", "LP%1EUR"})
        for (int phase = 1; phase <= 9; ++phase)
            names.append(QString::fromLatin1(pattern).arg(phase));
    names += QStringList{"LPSumme",
                         "LPSummeEUR",
                         "ZuschlagAnrechenbareKosten",
                         "ZuAnrKostProz",
                         "ZuschlagAnrechenbareKostenEUR",
                         "Zeithonorar",
                         "besondereLeistungen",
                         "besondereLeistungenZeit",
                         "ZuProz",
                         "Umbauzuschlag",
                         "NKProz",
                         "Nebenkosten",
                         "NKZwi",
                         "Nettohonorar",
                         "MwSt",
                         "MwStEUR",
                         "Bruttohonorar",
                         "Hinweise",
                         "HonorarsatzProzent",
                         "Bewertungspunkte",
                         "anrechenbareKostenKurz"};
    return names;
}

} // namespace

// The default Word template as it is built beside the program.
class WordTemplateTest : public QObject
{
    Q_OBJECT

    QString m_template;
    QTemporaryDir m_dir;

private slots:
    void initTestCase()
    {
#ifdef ZOLVARIC_WORD_TEMPLATE
        m_template = QStringLiteral(ZOLVARIC_WORD_TEMPLATE);
#else
        QSKIP("the Word template is not part of this build");
#endif
        QVERIFY2(QFileInfo::exists(m_template), qPrintable(m_template));
        QCOMPARE(reportPlaceholders().size(), 94);
    }

    // A template, with every placeholder whole in one run (in the main text
    // or the first page's header), which the report's own steps find.
    void everyPlaceholderFound()
    {
        const auto files = unzipFiles(readBytes(m_template));
        QVERIFY(files.value(QStringLiteral("[Content_Types].xml"))
                    .contains(TemplateContentType.toUtf8()));
        const QByteArray parts = files.value(QStringLiteral("word/document.xml")) +
                                 files.value(QStringLiteral("word/header1.xml"));
        WordEnvironment environment;
        environment.tempFolder = m_dir.path();
        WordClient word(createWordApplication(environment));
        word.addDocument(m_template);
        for (const QString &name : reportPlaceholders()) {
            const QString text = u'\\' + name + u'\\';
            QVERIFY2(parts.contains('>' + text.toUtf8() + '<'), qPrintable(text));
            word.homeKey();
            bool found = word.findNext(text, 0);
            if (!found) {
                word.seekView(9);
                found = word.findNext(text, 0);
                word.seekView(0);
            }
            QVERIFY2(found, qPrintable(text));
        }
    }

    // Expanded for an offer of two calculations and filled in, LibreOffice
    // reads it without complaint and no placeholder or marker is left.
    void filledTemplateReadsBack()
    {
        ZOLVARIC_REQUIRE_SOFFICE(soffice);
        const RegionalSettings settings = RegionalSettings::german();
        QList<QList<PlaceholderValue>> parts;
        for (const char *title : {"[Teil 1]", "[Teil 2]"}) {
            PartSummary part;
            part.title = QLatin1String(title);
            parts.append(partPlaceholders(part, settings));
        }
        const std::optional<QByteArray> expanded =
            expandOfferBlocks(readBytes(m_template), m_template, parts);
        QVERIFY(expanded);
        const QString offerTemplate = m_dir.filePath(QStringLiteral("angebot.dotx"));
        writeBytes(offerTemplate, *expanded);
        WordEnvironment environment;
        environment.tempFolder = m_dir.path();
        WordClient word(createWordApplication(environment));
        word.addDocument(offerTemplate);
        for (const QString &name : reportPlaceholders())
            word.replaceEverywhere(u'\\' + name + u'\\', QStringLiteral("[%1]").arg(name));
        for (const PlaceholderValue &total : offerTotalPlaceholders(OfferTotals(), settings))
            word.replaceEverywhere(total.text, QStringLiteral("[Angebot]"));
        const QString output = m_dir.filePath(QStringLiteral("angebot.docx"));
        word.saveAs(output);
        QString log;
        const QString text = convertWithSoffice(soffice, output, QStringLiteral("txt:Text"),
                                                QStringLiteral("txt"), m_dir.path(), &log);
        QVERIFY2(!text.isEmpty(), qPrintable(log));
        const QString plain = QString::fromUtf8(readBytes(text));
        QVERIFY(plain.contains(QStringLiteral("Honorarangebot")));
        QVERIFY(plain.contains(QStringLiteral("[Bruttohonorar]")));
        QVERIFY(plain.contains(QStringLiteral("[Teil 2]")));
        QCOMPARE(plain.count(QStringLiteral("[Angebot]")), 3);
        QVERIFY2(!plain.contains(QRegularExpression(QStringLiteral(R"(\\[A-Za-z0-9.]+\\)"))),
                 qPrintable(plain));
        const QString html = convertWithSoffice(soffice, output, QStringLiteral("html"),
                                                QStringLiteral("html"), m_dir.path(), &log);
        QVERIFY2(!html.isEmpty(), qPrintable(log));
        QVERIFY(readBytes(html).contains("[StammFirma]"));
    }

    void templateConverts()
    {
        ZOLVARIC_REQUIRE_SOFFICE(soffice);
        QString log;
        const QString text = convertWithSoffice(soffice, m_template, QStringLiteral("txt:Text"),
                                                QStringLiteral("txt"), m_dir.path(), &log);
        QVERIFY2(!text.isEmpty(), qPrintable(log));
        QVERIFY2(!log.contains(QStringLiteral("Error"), Qt::CaseInsensitive), qPrintable(log));
        QVERIFY(readBytes(text).contains("\\Nettohonorar\\"));
    }
};

ZOLVARIC_TEST_RUNNER(WordTemplateTest)

#include "WordTemplateTest.moc"
