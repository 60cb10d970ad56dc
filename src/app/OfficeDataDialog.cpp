#include "OfficeDataDialog.h"

#include "calc/CalculationSheet.h"
#include "widgets/FieldBindings.h"
#include "widgets/TextFieldEdits.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace zolvaric {

OfficeDataDialog::OfficeDataDialog(CalculationSheet &sheet, const QString &settingsFile,
                                   QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("frmBriefdaten"));
    setWindowTitle(QStringLiteral("Briefdaten des Büros"));
    auto *layout = new QVBoxLayout(this);
    auto *form = new QFormLayout;
    layout->addLayout(form);
    const auto add = [&](const QString &label, TextField &field) {
        auto *edit = new TextEdit(field);
        edit->setMinimumWidth(320);
        form->addRow(label, edit);
        return edit;
    };
    add(QStringLiteral("&Steuernummer :"), sheet.edStammSteuernummer);
    add(QStringLiteral("&USt-IdNr. :"), sheet.edStammUStIdNr);
    add(QStringLiteral("&IBAN :"), sheet.edStammIBAN);
    add(QStringLiteral("&BIC :"), sheet.edStammBIC);
    add(QStringLiteral("Ban&k :"), sheet.edStammBank);
    add(QStringLiteral("Ka&mmer / Mitgliedsnr. :"), sheet.edStammKammer);
    add(QStringLiteral("Ansprech&partner :"), sheet.edStammAnsprechpartner);
    add(QStringLiteral("Unter&zeichner :"), sheet.edStammUnterzeichner);
    add(QStringLiteral("&Funktion :"), sheet.edStammUnterzeichnerFunktion);

    // A logo beside the settings file is named relative to it, so that the
    // settings can move with their folder.
    auto *logoLine = new QHBoxLayout;
    auto *logo = new TextEdit(sheet.edStammLogo);
    auto *browse = new QPushButton(QStringLiteral("&Durchsuchen …"));
    logoLine->addWidget(logo, 1);
    logoLine->addWidget(browse);
    auto *logoCaption = new QLabel(QStringLiteral("&Logo (Bilddatei) :"));
    logoCaption->setBuddy(logo);
    form->addRow(logoCaption, logoLine);
    const QDir settingsFolder = QFileInfo(settingsFile).dir();
    connect(browse, &QPushButton::clicked, this, [this, logo, settingsFolder, &sheet] {
        const QString chosen = QFileDialog::getOpenFileName(
            this, QStringLiteral("Logo wählen"), settingsFolder.path(),
            QStringLiteral("Bilder (*.png *.jpg *.jpeg *.gif *.bmp *.svg)"));
        if (chosen.isEmpty())
            return;
        const QString relative = settingsFolder.relativeFilePath(chosen);
        sheet.edStammLogo.setText(
            QDir::toNativeSeparators(relative.startsWith(QLatin1String("..")) ? chosen : relative));
        logo->setFocus();
    });

    auto *weeks =
        add(QStringLiteral("&Gültigkeit der Angebote (Wochen) :"), sheet.edStammGueltigkeitWochen);
    weeks->setValidator(new QIntValidator(1, 520, weeks));
    weeks->setPlaceholderText(QStringLiteral("4"));
    auto *terms = new TextBlockEdit(sheet.edStammZahlungsbedingungen);
    terms->setPlaceholderText(
        QStringLiteral("leer: Abschlagszahlungen nach § 15 HOAI und § 632a BGB"));
    terms->setFixedHeight(4 * terms->fontMetrics().lineSpacing() + 12);
    form->addRow(QStringLiteral("&Zahlungsbedingungen :"), terms);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close);
    buttons->button(QDialogButtonBox::Close)->setText(QStringLiteral("S&chließen"));
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::accept);
    layout->addWidget(buttons);
}

} // namespace zolvaric
