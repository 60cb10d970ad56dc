#include "unitPunkte.h"

#include "calc/ZonePoints.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QTimer>
#include <QVBoxLayout>

namespace zolvaric {

namespace {

QLabel *wrapped(const QString &text)
{
    auto *label = new QLabel(text);
    label->setWordWrap(true);
    return label;
}

// A criterion's points: the whole value is selected when the box gets the
// focus, so a typed value replaces it; a value beyond the criterion's range
// becomes its limit with a beep instead of vanishing.
class PointSpinBox : public QSpinBox
{
public:
    using QSpinBox::QSpinBox;

protected:
    void focusInEvent(QFocusEvent *event) override
    {
        QSpinBox::focusInEvent(event);
        // After the click that brought the focus has placed the cursor.
        QTimer::singleShot(0, this, &QSpinBox::selectAll);
    }

    QValidator::State validate(QString &input, int &position) const override
    {
        bool number = false;
        const int typed = locale().toInt(input.trimmed(), &number);
        // Below the minimum only where no further digit could reach it.
        const bool belowForGood =
            typed < minimum() && (typed <= 0 || qint64(typed) * 10 > maximum());
        if (number && (typed > maximum() || belowForGood)) {
            QApplication::beep();
            input = textFromValue(typed > maximum() ? maximum() : minimum());
            position = static_cast<int>(input.size());
            return QValidator::Acceptable;
        }
        return QSpinBox::validate(input, position);
    }
};

// "Honorarzone 1: bis 10 Punkte · 2: 11 bis 18 · …", as the law lists them.
QString zoneTable(const PointSystem &system)
{
    QStringList zones;
    for (int zone = 1; zone <= static_cast<int>(system.zoneUpper.size()); ++zone) {
        const auto [lowest, highest] = system.zoneRange(zone);
        zones << (zone == 1 ? QStringLiteral("Honorarzone 1: bis %1 Punkte").arg(highest)
                            : QStringLiteral("%1: %2 bis %3").arg(zone).arg(lowest).arg(highest));
    }
    return zones.join(QStringLiteral(" · "));
}

} // namespace

TfrmPunkte::TfrmPunkte(const PointSystem &system, const WorkScope &scope, const QList<int> &points,
                       QWidget *parent)
    : QDialog(parent), m_system(system)
{
    setObjectName(QStringLiteral("frmPunkte"));
    setWindowTitle(QStringLiteral("Honorarzone nach Bewertungspunkten"));
    setWindowFlags(Qt::Dialog | Qt::WindowCloseButtonHint);
    auto *layout = new QVBoxLayout(this);

    auto *title = new QLabel(
        QStringLiteral("%1 – %2 HOAI %3").arg(scope.kind, system.reference, scope.edition));
    title->setObjectName(QStringLiteral("lbPunkteTitel"));
    QFont bold = title->font();
    bold.setBold(true);
    title->setFont(bold);
    layout->addWidget(title);
    auto *rule = wrapped(QStringLiteral("„%1“ Die Punkte entscheiden nur in diesem Zweifelsfall; "
                                        "die Objektliste ist daneben zu berücksichtigen.")
                             .arg(system.rule));
    rule->setObjectName(QStringLiteral("lbPunkteRegel"));
    layout->addWidget(rule);

    auto *grid = new QGridLayout;
    grid->setColumnStretch(1, 1);
    grid->addWidget(new QLabel(QStringLiteral("Bewertungsmerkmal")), 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("höchstens")), 0, 2);
    grid->addWidget(new QLabel(QStringLiteral("Punkte")), 0, 3);
    for (int i = 0; i < static_cast<int>(system.criteria.size()); ++i) {
        const PointCriterion &criterion = system.criteria[static_cast<std::size_t>(i)];
        auto *spin = new PointSpinBox;
        spin->setObjectName(QStringLiteral("spinPunkte%1").arg(i + 1));
        spin->setRange(criterion.minimum, criterion.maximum);
        spin->setValue(qMax(criterion.minimum, points.value(i)));
        connect(spin, &QSpinBox::valueChanged, this, &TfrmPunkte::showSum);
        m_spins << spin;
        grid->addWidget(new QLabel(QStringLiteral("%1.").arg(i + 1)), i + 1, 0);
        grid->addWidget(wrapped(criterion.text), i + 1, 1);
        auto *maximum = new QLabel(QString::number(criterion.maximum));
        maximum->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        grid->addWidget(maximum, i + 1, 2);
        grid->addWidget(spin, i + 1, 3);
    }
    layout->addLayout(grid);

    lbSumme = new QLabel;
    lbSumme->setObjectName(QStringLiteral("lbPunkteSumme"));
    lbSumme->setFont(bold);
    lbZone = new QLabel;
    lbZone->setObjectName(QStringLiteral("lbPunkteZone"));
    lbZone->setFont(bold);
    auto *result = new QHBoxLayout;
    result->addWidget(lbSumme);
    result->addStretch(1);
    result->addWidget(lbZone);
    layout->addLayout(result);
    layout->addWidget(wrapped(zoneTable(system)));

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("OK"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Abbrechen"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    setMinimumWidth(560);
    showSum();
}

QList<int> TfrmPunkte::points() const
{
    QList<int> values;
    for (const QSpinBox *spin : m_spins)
        values << spin->value();
    return values;
}

void TfrmPunkte::showSum()
{
    const int sum = pointSum(points());
    const int zone = m_system.zoneOf(sum);
    const auto [lowest, highest] = m_system.zoneRange(zone);
    lbSumme->setText(
        QStringLiteral("Summe: %1 von %2 Punkten").arg(sum).arg(m_system.zoneUpper.back()));
    lbZone->setText(
        QStringLiteral("Honorarzone %1 (%2 bis %3 Punkte)").arg(zone).arg(lowest).arg(highest));
}

} // namespace zolvaric
