#include "unitInfo.h"

#include "base/Desktop.h"
#include "base/Paths.h"
#include "base/VersionInfo.h"
#include "widgets/ShadowLabel.h"

#include <QApplication>
#include <QDir>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace zolvaric {

namespace {

QString component(const QString &name, const QString &licence, const QString &address)
{
    return QStringLiteral("<p><b>%1</b><br>%2<br><a href=\"%3\">%3</a></p>")
        .arg(name, licence, address);
}

} // namespace

QString TfrmInfo::acknowledgements()
{
    return QStringLiteral("<div align=\"center\"><p>Verwendete Open-Source-Komponenten</p>"
                          "<p>____________________________________________________________</p>") +
           component(QStringLiteral("Qt 6"), QStringLiteral("GNU Lesser General Public License v3"),
                     QStringLiteral("https://www.qt.io/licensing/open-source-lgpl-obligations")) +
           component(QStringLiteral("libzip"), QStringLiteral("BSD-3-Clause-Lizenz"),
                     QStringLiteral("https://libzip.org/license/")) +
           component(QStringLiteral("pugixml"), QStringLiteral("MIT-Lizenz"),
                     QStringLiteral("https://pugixml.org/license.html")) +
           component(QStringLiteral("libjpeg-turbo"),
                     QStringLiteral("IJG-Lizenz und BSD-3-Clause-Lizenz"),
                     QStringLiteral("https://libjpeg-turbo.org/About/License")) +
           component(QStringLiteral("zlib"), QStringLiteral("zlib-Lizenz"),
                     QStringLiteral("https://zlib.net/zlib_license.html")) +
           QStringLiteral("</div>");
}

TfrmInfo::TfrmInfo(Desktop &desktop, QWidget *parent) : QDialog(parent), m_desktop(desktop)
{
    setObjectName(QStringLiteral("frmInfo"));
    setWindowFlags(Qt::Dialog | Qt::WindowCloseButtonHint);
    resize(523, 450);
    setStyleSheet(
        QStringLiteral("#frmInfo, #InfoPanel, QTextBrowser { background: rgb(240, 251, 255); }"));

    auto *panel = new QFrame;
    panel->setObjectName(QStringLiteral("InfoPanel"));
    panel->setFrameShape(QFrame::Box);
    panel->setFixedHeight(214);
    auto *panelRow = new QHBoxLayout(panel);
    panelRow->setContentsMargins(0, 0, 8, 0);
    auto *picture = new QLabel;
    picture->setObjectName(QStringLiteral("imgCoins"));
    picture->setPixmap(QPixmap(QStringLiteral(":/app/muenzen.jpg")));
    picture->setScaledContents(true);
    picture->setFixedWidth(154);
    panelRow->addWidget(picture);
    auto *texts = new QVBoxLayout;
    auto *name = new ShadowLabel(QStringLiteral("Zolvaric"), 28);
    name->setAlignment(Qt::AlignCenter);
    auto *versionCaption = new QLabel(QStringLiteral("Version"));
    versionCaption->setAlignment(Qt::AlignCenter);
    lbVersion = new QLabel;
    lbVersion->setObjectName(QStringLiteral("lbVersion"));
    lbVersion->setFont(fontOrSystem(QStringLiteral("Arial"), 10, false));
    lbVersion->setAlignment(Qt::AlignCenter);
    auto *maker = new QLabel(QStringLiteral("Quorvel-Software<br>Software für Planungsbüros<br>"
                                            "<a href=\"https://www.quorvel-software.de\">"
                                            "www.quorvel-software.de</a>"));
    maker->setAlignment(Qt::AlignCenter);
    connect(maker, &QLabel::linkActivated, this,
            [this](const QString &link) { m_desktop.ShellOpen(link, QString(), QString(), 1); });
    texts->addStretch(1);
    texts->addWidget(name);
    texts->addWidget(versionCaption);
    texts->addWidget(lbVersion);
    texts->addStretch(1);
    texts->addWidget(maker);
    texts->addStretch(1);
    panelRow->addLayout(texts, 1);

    auto *text = new QTextBrowser;
    text->setObjectName(QStringLiteral("reAcknowledgements"));
    text->setFrameShape(QFrame::NoFrame);
    text->setOpenLinks(false);
    text->setFont(fontOrSystem(QStringLiteral("Arial"), 9, false));
    text->setHtml(acknowledgements());
    text->setFixedHeight(167);
    connect(text, &QTextBrowser::anchorClicked, this, [this](const QUrl &link) {
        m_desktop.ShellOpen(link.toString(), QString(), QString(), 1);
    });

    auto *ok = new QPushButton(QStringLiteral("&OK"));
    ok->setObjectName(QStringLiteral("cmdOK"));
    ok->setFixedSize(94, 24);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 8);
    layout->addWidget(panel);
    layout->addWidget(text, 1);
    layout->addWidget(ok, 0, Qt::AlignCenter);
}

void TfrmInfo::showEvent(QShowEvent *event)
{
    setWindowTitle(QStringLiteral("Informationen über ") + QApplication::applicationName());
    lbVersion->setText(VersionInfoString(QApplication::applicationFilePath(), 2));
    QDialog::showEvent(event);
}

} // namespace zolvaric
