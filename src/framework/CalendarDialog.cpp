#include "framework/CalendarDialog.h"

#include "framework/Clock.h"
#include "framework/Routines.h"

#include <QAbstractItemView>
#include <QCalendarWidget>
#include <QKeyEvent>
#include <QSpinBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

CalendarDialog::CalendarDialog(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint)
{
    setObjectName(QStringLiteral("TfrmCalendario"));
    setWindowTitle(QStringLiteral(" Importazione data"));
    auto *outer = new QVBoxLayout(this);
    outer->addWidget(new QLabel(QStringLiteral("Importare una data:"), this));
    m_calendar = new QCalendarWidget(this);
    m_calendar->setObjectName(QStringLiteral("calAppuntamenti"));
    // The calendar's own parts, named for a screen reader.
    if (auto *days = m_calendar->findChild<QWidget *>(QStringLiteral("qt_calendar_calendarview")))
        days->setAccessibleName(QStringLiteral("Giorni del mese"));
    if (auto *year = m_calendar->findChild<QWidget *>(QStringLiteral("qt_calendar_yearedit")))
        year->setAccessibleName(QStringLiteral("Anno"));
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
    connect(ok, &QPushButton::clicked, this, &CalendarDialog::importDate);
    // Enter or a double-click on a day takes that day.
    connect(m_calendar, &QCalendarWidget::activated, this, &CalendarDialog::importDate);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    setFixedSize(sizeHint());
    // Enter in the calendar's own year field only moves the calendar to that year; left to
    // itself it would reach the dialog and import the date still selected.
    for (QSpinBox *year : m_calendar->findChildren<QSpinBox *>())
        year->installEventFilter(this);
}

bool CalendarDialog::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            // Leaving the field ends its editing, and the calendar takes the year.
            if (auto *view = m_calendar->findChild<QAbstractItemView *>())
                view->setFocus(Qt::OtherFocusReason);
            else
                m_calendar->setFocus(Qt::OtherFocusReason);
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void CalendarDialog::registerTarget(const QString &tag, QLineEdit *box)
{
    targets.insert(tag, box);
}

void CalendarDialog::importDate()
{
    // The tag is compared exactly; an unknown one writes nothing and keeps the picker open.
    QLineEdit *box = targets.value(m_memory->text());
    if (!box)
        return;
    box->setText(Routines::dateText(m_calendar->selectedDate()));
    accept();
}

void CalendarDialog::pick(QWidget *owner, const QString &tag)
{
    CalendarDialog picker(owner);
    picker.lblMemory()->setText(tag);
    picker.exec();
}
