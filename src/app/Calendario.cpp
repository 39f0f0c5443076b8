#include "app/Calendario.h"

#include "app/Routines.h"
#include "framework/Clock.h"

#include <QCalendarWidget>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

TfrmCalendario::TfrmCalendario(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint)
{
    setObjectName(QStringLiteral("TfrmCalendario"));
    setWindowTitle(QStringLiteral(" Importazione data"));
    auto *outer = new QVBoxLayout(this);
    outer->addWidget(new QLabel(QStringLiteral("Importare una data:"), this));
    m_calendar = new QCalendarWidget(this);
    m_calendar->setObjectName(QStringLiteral("calAppuntamenti"));
    m_calendar->setFirstDayOfWeek(Qt::Monday);
    m_calendar->setLocale(QLocale(QLocale::Italian, QLocale::Italy));
    m_calendar->setSelectedDate(Clock::today());
    outer->addWidget(m_calendar);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    auto *ok = new QPushButton(QStringLiteral("Importa"), this);
    ok->setObjectName(QStringLiteral("btnImportaData"));
    ok->setDefault(true);
    auto *cancel = new QPushButton(QStringLiteral("Annulla"), this);
    cancel->setObjectName(QStringLiteral("btnAnnulla"));
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    outer->addLayout(buttons);
    m_memory = new QLabel(this);
    m_memory->setObjectName(QStringLiteral("lblMemory"));
    m_memory->hide();
    connect(ok, &QPushButton::clicked, this, &TfrmCalendario::importDate);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    setFixedSize(sizeHint());
}

void TfrmCalendario::registerTarget(const QString &tag, QLineEdit *box)
{
    targets.insert(tag, box);
}

void TfrmCalendario::importDate()
{
    // The tag is compared exactly; an unknown one writes nothing and keeps the picker open.
    QLineEdit *box = targets.value(m_memory->text());
    if (!box)
        return;
    box->setText(Routines::dateText(m_calendar->selectedDate()));
    accept();
}

void TfrmCalendario::pick(QWidget *owner, const QString &tag)
{
    TfrmCalendario picker(owner);
    picker.lblMemory()->setText(tag);
    picker.exec();
}
