#include "shell/YearMenu.h"

#include "framework/BoxBehaviour.h"
#include "framework/Clock.h"
#include "framework/Dialogs.h"
#include "framework/Routines.h"
#include "settings/ProgramFolder.h"

#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>

namespace {

struct Definition {
    YearMenu::Kind kind;
    const char *objectName;
    const char *caption;
    const char *info;
    const char *helpTopic;
    QVector<YearMenu::Entry> entries;
};

const QVector<Definition> &definitions()
{
    static const QVector<Definition> all{
        {YearMenu::Kind::ShiftCalendar, "TfrmMenuRegistro", " Veltaro - Calendario turni",
         "In questo ambiente è possibile effettuare una programmazione dei turni di lavoro in base "
         "a un calendario giornaliero oppure settimanale.",
         "Applicazione Calendario turni.",
         {{"txtAnnoFatture", "Programmazione turni giornaliera:", "btnApriFatture", ".ore", "registro",
           " Veltaro - Programmazione turni anno "},
          {"txtAnnoSet", "Programmazione turni settimanale:", "btnApriAnnoSet", ".set", "settimanale",
           " Veltaro - Programmazione turni anno "}}},
        {YearMenu::Kind::Projects, "TfrmMenuReferti", " Veltaro - Archivio progetti",
         "In questo ambiente è possibile archiviare i progetti pianificati dalla propria azienda.",
         "Applicazione Archivio progetti.",
         {{"txtAnnoPreventivi", "Archivio progetti:", "btnApriPreventivi", ".prg", "referti",
           " Veltaro - Archivio progetti anno "}}},
        {YearMenu::Kind::WorkLog, "TfrmMenuLavori", " Veltaro - Registrazione lavori",
         "In questo ambiente è possibile registrare le attività lavorative svolte dai dipendenti "
         "della propria azienda.",
         "Applicazione Registrazione lavori.",
         {{"txtAnnoPreventivi", "Registrazione lavori:", "btnApriPreventivi", ".lav", "lavori",
           " Veltaro - Registrazione lavori anno "}}},
    };
    return all;
}

const Definition &definition(YearMenu::Kind kind)
{
    for (const Definition &d : definitions())
        if (d.kind == kind)
            return d;
    Q_UNREACHABLE();
}

}

YearMenu::YearMenu(Kind kind, QWidget *parent)
    : ModuleMenu(QLatin1String(definition(kind).objectName), QString::fromUtf8(definition(kind).caption), parent),
      m_entries(definition(kind).entries)
{
    QWidget *body = buildFrame(QString::fromUtf8(definition(kind).info), QString::fromUtf8(definition(kind).helpTopic));
    auto *grid = new QGridLayout(body);
    grid->setHorizontalSpacing(14);
    grid->setVerticalSpacing(18);
    int row = 0;
    for (const Entry &e : m_entries) {
        grid->addWidget(new QLabel(QString::fromUtf8(e.label), body), row, 0);
        auto *yearCaption = new QLabel(QStringLiteral("Anno:"), body);
        grid->addWidget(yearCaption, row, 1);
        auto *year = new QLineEdit(body);
        yearCaption->setBuddy(year);
        // The caption alone would say "Anno" on every line.
        year->setAccessibleName(QString::fromUtf8(e.label).remove(QLatin1Char(':')) + QStringLiteral(", anno"));
        year->setObjectName(QLatin1String(e.box));
        year->setMaxLength(4);
        year->setFixedWidth(70);
        year->setAlignment(Qt::AlignCenter);
        grid->addWidget(year, row, 2);
        auto *open = new QPushButton(QStringLiteral("Apri"), body);
        open->setObjectName(QLatin1String(e.button));
        open->setCursor(Qt::PointingHandCursor);
        grid->addWidget(open, row, 3);
        Box::setup(year, {.keys = Box::Keys::Digits});
        Box::highlight(year);
        Box::enterTo(year, open);
        connect(open, &QPushButton::clicked, this, [this, e] { openYear(e); });
        ++row;
    }
}

void YearMenu::showEvent(QShowEvent *event)
{
    ModuleMenu::showEvent(event);
    if (event->spontaneous())
        return;
    const QString year = QString::number(Clock::today().year()).rightJustified(4, QLatin1Char('0'));
    for (const Entry &e : m_entries)
        findChild<QLineEdit *>(QLatin1String(e.box))->setText(year);
    m_memory->setText(QStringLiteral("avvio"));
    findChild<QLineEdit *>(QLatin1String(m_entries.first().box))->setFocus();
}

void YearMenu::openYear(const Entry &entry)
{
    QLineEdit *box = findChild<QLineEdit *>(QLatin1String(entry.box));
    const QString text = box->text();
    // The year becomes part of a file name: four digits and nothing else, however it got there.
    if (text.size() != 4 || !Routines::isDigits(text)) {
        Dialogs::warning(this, QStringLiteral("Attenzione: indicare l'anno solare utilizzando quattro cifre."));
        box->setFocus();
        return;
    }
    aimScreen(entry, text.trimmed());
    m_memory->setText(QLatin1String(entry.tag));
    close();
}

void YearMenu::aimScreen(const Entry &entry, const QString &year)
{
    if (WorkWindow *target = Navigation::screen(QLatin1String(entry.tag))) {
        if (auto *file = target->findChild<QLabel *>(QStringLiteral("lblFile")))
            file->setText(ProgramFolder::file(year + QLatin1String(entry.extension)));
        target->setWindowTitle(QString::fromUtf8(entry.caption) + year);
    }
}

WorkWindow *YearMenu::openArchive(const QString &path)
{
    const QFileInfo info(path);
    for (const Definition &d : definitions())
        for (const Entry &e : d.entries)
            if (QLatin1Char('.') + info.suffix().toLower() == QLatin1String(e.extension)) {
                aimScreen(e, info.completeBaseName());
                WorkWindow *target = Navigation::screen(QLatin1String(e.tag));
                if (target)
                    target->open();
                return target;
            }
    return nullptr;
}
