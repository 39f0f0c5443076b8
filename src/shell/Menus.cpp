#include "shell/Menus.h"

#include "shell/InfoDialogs.h"
#include "settings/Backup.h"
#include "settings/ProgramFolder.h"
#include "framework/Routines.h"
#include "shell/ScreenRegistry.h"
#include "shell/SearchEverywhereScreen.h"
#include "framework/BoxBehaviour.h"
#include "framework/Clock.h"
#include "framework/Desktop.h"
#include "framework/Dialogs.h"
#include "framework/Keyboard.h"
#include "workers/WorkerFindScreen.h"
#include "workers/WorkerFind.h"
#include "workers/WorkerRecord.h"

#include <QGridLayout>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>
#include <QShowEvent>
#include <QToolButton>
#include <QVBoxLayout>

#include <utility>

namespace {
void focusInSight(QWidget *w)
{
    if (!w)
        return;
    Keyboard::focusByKeyboard(w);
    w->setFocus(Qt::TabFocusReason);
}
}

namespace {
const QColor Slate(0x46, 0x5a, 0x6e);

// A small picture with its caption under it; disabled ones belong to screens still to come.
QToolButton *smallPicture(QWidget *parent, const char *name, const char *text, const char *glyph, const QColor &colour,
                          bool enabled = true)
{
    QToolButton *b = Pictures::command(parent, QLatin1String(name), QString::fromUtf8(text), QString::fromUtf8(glyph), colour);
    Pictures::setAvailable(b, enabled);
    return b;
}

const QColor ExitRed(0xb0, 0x3a, 0x2e);

using Pictures::title;
}

// ---- main menu ----

MainMenu::MainMenu(QWidget *parent)
    : WorkWindow(QStringLiteral("TfrmAvvio"), QStringLiteral("Veltaro"), parent)
{
    auto *outer = new QVBoxLayout(content());
    outer->setContentsMargins(40, 30, 40, 20);
    auto *head = title(QStringLiteral("Veltaro"), content());
    outer->addWidget(head, 0, Qt::AlignHCenter);
    auto *sub = new QLabel(QStringLiteral("Gestione del personale e delle attività lavorative"), content());
    outer->addWidget(sub, 0, Qt::AlignHCenter);
    outer->addStretch(1);

    auto *grid = new QGridLayout;
    grid->setHorizontalSpacing(40);
    grid->setVerticalSpacing(24);
    struct Item {
        const char *img, *btn, *text, *glyph;
        QColor colour;
        const char *tag;
    };
    const Item items[] = {
        {"imgLavoratori", "btnLavoratori", "Anagrafica lavoratori", "AL", QColor(0x2f, 0x6f, 0xb5), "istruttori"},
        {"imgImpostaOrari", "btnImpostaOrari", "Impostazione orari", "IO", QColor(0x3a, 0x8f, 0x4a), "orari"},
        {"imgCalendario", "btnCalendario", "Calendario turni", "CT", QColor(0x8e, 0x5b, 0xb0), "menu_registro"},
        {"imgProgetti", "btnProgetti", "Archivio progetti", "AP", QColor(0xd0, 0x7a, 0x1e), "menu_referti"},
        {"imgLavori", "btnLavori", "Registrazione lavori", "RL", QColor(0xb0, 0x3a, 0x2e), "menu_lavori"},
        {"imgCompensi", "btnCompensi", "Riepilogo compensi", "€", QColor(0x1e, 0x88, 0x8a), "menu_pagamenti"},
    };
    int i = 0;
    for (const Item &it : items) {
        auto *img = new QToolButton(content());
        img->setObjectName(QLatin1String(it.img));
        img->setIcon(Pictures::tile(QString::fromUtf8(it.glyph), it.colour, 64));
        img->setAccessibleName(QString::fromUtf8(it.text));
        img->setIconSize(QSize(72, 72));
        img->setAutoRaise(true);
        img->setCursor(Qt::PointingHandCursor);
        auto *btn = new QPushButton(QString::fromUtf8(it.text), content());
        btn->setObjectName(QLatin1String(it.btn));
        btn->setMinimumSize(220, 40);
        btn->setCursor(Qt::PointingHandCursor);
        const QString tag = QLatin1String(it.tag);
        const auto go = [tag] {
            if (WorkWindow *w = Navigation::screen(tag))
                w->open();
        };
        connect(img, &QToolButton::clicked, this, go);
        connect(btn, &QPushButton::clicked, this, go);
        auto *cell = new QHBoxLayout;
        cell->setSpacing(12);
        cell->addWidget(img);
        cell->addWidget(btn);
        grid->addLayout(cell, i / 2, i % 2);
        ++i;
    }
    outer->addLayout(grid);
    outer->setAlignment(grid, Qt::AlignHCenter);
    outer->addSpacing(24);

    // One search over every archive; Ctrl+F reaches it from anywhere on the menu.
    auto *searchRow = new QHBoxLayout;
    searchRow->setSpacing(8);
    auto *searchBox = new QLineEdit(content());
    searchBox->setObjectName(QStringLiteral("txtCercaOvunque"));
    searchBox->setPlaceholderText(QStringLiteral("Cerca in tutti gli archivi"));
    searchBox->setAccessibleName(QStringLiteral("Cerca in tutti gli archivi"));
    searchBox->setToolTip(QStringLiteral("Cerca un nome, un codice o un altro testo in tutte le schede di tutti gli "
                                         "archivi (Ctrl+F)."));
    searchBox->setMinimumWidth(360);
    auto *searchButton = new QPushButton(QStringLiteral("Cerca"), content());
    searchButton->setObjectName(QStringLiteral("btnCercaOvunque"));
    searchButton->setMinimumWidth(90);
    searchRow->addStretch();
    searchRow->addWidget(searchBox);
    searchRow->addWidget(searchButton);
    searchRow->addStretch();
    outer->addLayout(searchRow);
    Box::setup(searchBox);
    Box::highlight(searchBox);
    auto *shortcut = new QShortcut(QKeySequence::Find, this);
    connect(shortcut, &QShortcut::activated, searchBox, [searchBox] {
        searchBox->setFocus(Qt::ShortcutFocusReason);
        searchBox->selectAll();
    });
    const auto searchAll = [this, searchBox] { SearchEverywhereScreen::open(this, searchBox->text()); };
    connect(searchButton, &QPushButton::clicked, this, searchAll);
    // Enter searches at once.
    connect(searchBox, &QLineEdit::returnPressed, this, searchAll);
    outer->addSpacing(12);
    m_contracts = new QPushButton(content());
    m_contracts->setObjectName(QStringLiteral("btnScadenze"));
    m_contracts->setAccessibleName(QStringLiteral("Contratti in scadenza o scaduti"));
    m_contracts->setFlat(true);
    // Reads as a link, and shows it has the focus when reached with Tab.
    m_contracts->setStyleSheet(QStringLiteral("QPushButton { color: #1f4f8a; text-decoration: underline; border: 1px solid "
                                              "transparent; padding: 4px 10px; } QPushButton:focus { border: 1px dotted "
                                              "#1f4f8a; }"));
    m_contracts->setCursor(Qt::PointingHandCursor);
    m_contracts->hide();
    connect(m_contracts, &QPushButton::clicked, this, &MainMenu::openContracts);
    outer->addWidget(m_contracts, 0, Qt::AlignHCenter);
    outer->addStretch(2);
    m_facts = new QLabel(content());
    m_facts->setObjectName(QStringLiteral("lblCartellaDati"));
    m_facts->setStyleSheet(QStringLiteral("color: #5a6470;"));
    m_facts->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_facts->setWordWrap(true);
    outer->addWidget(m_facts);

    auto *foot = new QHBoxLayout;
    struct Small {
        const char *name, *text, *glyph;
    };
    // imgGuida opens its topic like every help picture.
    for (const Small &s : {Small{"imgGuida", "Guida", "?"}, Small{"imgInfo", "Informazioni", "i"},
                           Small{"imgCopyright", "Riconoscimenti", "©"}, Small{"icoSito", "Sito web", "W"}})
        foot->addWidget(smallPicture(content(), s.name, s.text, s.glyph, Slate));
    connect(findChild<QToolButton *>(QStringLiteral("imgInfo")), &QToolButton::clicked, this, [this] { AboutDialog::open(this); });
    connect(findChild<QToolButton *>(QStringLiteral("imgCopyright")), &QToolButton::clicked, this,
            [this] { SplashDialog::open(this); });
    connect(findChild<QToolButton *>(QStringLiteral("icoSito")), &QToolButton::clicked, this,
            [] { Desktop::Open(Vendor::webAddress()); });
    foot->addStretch();
    auto *exit = smallPicture(content(), "imgEsci", "Esci", "X", ExitRed);
    connect(exit, &QToolButton::clicked, this, &QWidget::close);
    foot->addWidget(exit);
    outer->addLayout(foot);
}

void MainMenu::whenClosed()
{
    emit quitRequested();
}

void MainMenu::showEvent(QShowEvent *event)
{
    WorkWindow::showEvent(event);
    if (event->spontaneous())
        return;
    showFolderFacts();
    countContracts();
    // Opened or come back to, the menu shows its focus on its first entry, so the same keys
    // always lead to the same place.
    focusInSight(findChild<QWidget *>(QStringLiteral("btnLavoratori")));
}

void MainMenu::showFolderFacts()
{
    m_facts->setText(Backup::folderFacts().join(QLatin1Char('\n')));
}

void MainMenu::countContracts()
{
    // The archive may sit on a slow network share: the menu answers at once and the count
    // follows. Asked again while counting, it counts once more when done, as the archive
    // may have changed meanwhile.
    m_recount = !m_counting.start(
        this,
        [path = ProgramFolder::file(WorkerRecord::fileName()), today = Clock::today()] {
            return WorkerFind::countDue(path, today);
        },
        [this](const WorkerFind::DueCount &count) {
            if (std::exchange(m_recount, false)) {
                countContracts();
                return;
            }
            QString text;
            if (!count.ok)
                text = QStringLiteral("Contratti in scadenza o scaduti: l'archivio dei lavoratori non è leggibile");
            else if (count.due == 0)
                text = QStringLiteral("Nessun contratto in scadenza o scaduto");
            else if (count.due == 1)
                text = QStringLiteral("1 contratto in scadenza o scaduto");
            else
                text = QStringLiteral("%1 contratti in scadenza o scaduti").arg(count.due);
            m_contracts->setText(text);
            m_contracts->setIcon(count.due > 0 || !count.ok ? Pictures::tile(QStringLiteral("!"), QColor(0xc0, 0x6a, 0x10), 20)
                                                            : QIcon());
            m_contracts->show();
        });
}

void MainMenu::openContracts()
{
    // The summary loads a picked card into the registry screen, so that screen is opened
    // under it; closing the summary without a pick comes back here.
    WorkWindow *registry = Navigation::screen(QStringLiteral("istruttori"));
    if (!registry)
        return;
    registry->open();
    ContractsDueScreen summary(registry);
    if (summary.exec() != QDialog::Accepted)
        registry->close();
}

// ---- menus by tag ----

QWidget *ModuleMenu::buildFrame(const QString &info, const QString &helpTopic)
{
    auto *outer = new QVBoxLayout(content());
    outer->setContentsMargins(60, 40, 60, 30);
    outer->addWidget(title(windowTitle().trimmed().section(QStringLiteral(" - "), 1), content()), 0, Qt::AlignHCenter);
    auto *infoLabel = new QLabel(info, content());
    infoLabel->setWordWrap(true);
    infoLabel->setAlignment(Qt::AlignCenter);
    outer->addSpacing(16);
    outer->addWidget(infoLabel);
    outer->addStretch(1);
    auto *body = new QWidget(content());
    outer->addWidget(body, 0, Qt::AlignHCenter);
    outer->addStretch(2);
    auto *foot = new QHBoxLayout;
    auto *help = smallPicture(content(), "imgGuida", "Guida", "?", Slate);
    help->setProperty("helpTopic", helpTopic);
    foot->addWidget(help);
    foot->addStretch();
    auto *exit = smallPicture(content(), "imgEsci", "Esci", "X", ExitRed);
    connect(exit, &QToolButton::clicked, this, &QWidget::close);
    foot->addWidget(exit);
    outer->addLayout(foot);
    m_memory = new QLabel(QStringLiteral("avvio"), content());
    m_memory->setObjectName(QStringLiteral("lblMemory"));
    m_memory->hide();
    return body;
}

void ModuleMenu::whenClosed()
{
    const QString tag = m_memory->text().trimmed();
    WorkWindow *target = tag == QLatin1String("avvio") ? Navigation::mainMenu() : Navigation::screen(tag);
    if (target)
        target->open();
}

YearMenu::YearMenu(const QString &objectName, const QString &caption, const QString &info,
                   const QString &helpTopic, const QVector<Entry> &entries, QWidget *parent)
    : ModuleMenu(objectName, caption, parent), m_entries(entries)
{
    QWidget *body = buildFrame(info, helpTopic);
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
    const ScreenRegistry &screens = ScreenRegistry::get();
    for (const YearMenu *menu : std::initializer_list<const YearMenu *>{screens.shiftCalendarMenu, screens.projectMenu,
                                                                         screens.workLogMenu})
        for (const Entry &e : menu->m_entries)
            if (QLatin1Char('.') + info.suffix().toLower() == QLatin1String(e.extension)) {
                aimScreen(e, info.completeBaseName());
                WorkWindow *target = Navigation::screen(QLatin1String(e.tag));
                if (target)
                    target->open();
                return target;
            }
    return nullptr;
}

ShiftCalendarMenu::ShiftCalendarMenu(QWidget *parent)
    : YearMenu(QStringLiteral("TfrmMenuRegistro"), QStringLiteral(" Veltaro - Calendario turni"),
               QStringLiteral("In questo ambiente è possibile effettuare una programmazione dei turni di lavoro in base "
                              "a un calendario giornaliero oppure settimanale."),
               QStringLiteral("Applicazione Calendario turni."),
               {{"txtAnnoFatture", "Programmazione turni giornaliera:", "btnApriFatture", ".ore", "registro",
                 " Veltaro - Programmazione turni anno "},
                {"txtAnnoSet", "Programmazione turni settimanale:", "btnApriAnnoSet", ".set", "settimanale",
                 " Veltaro - Programmazione turni anno "}},
               parent)
{
}

ProjectArchiveMenu::ProjectArchiveMenu(QWidget *parent)
    : YearMenu(QStringLiteral("TfrmMenuReferti"), QStringLiteral(" Veltaro - Archivio progetti"),
               QStringLiteral("In questo ambiente è possibile archiviare i progetti pianificati dalla propria azienda."),
               QStringLiteral("Applicazione Archivio progetti."),
               {{"txtAnnoPreventivi", "Archivio progetti:", "btnApriPreventivi", ".prg", "referti",
                 " Veltaro - Archivio progetti anno "}},
               parent)
{
}

WorkLogMenu::WorkLogMenu(QWidget *parent)
    : YearMenu(QStringLiteral("TfrmMenuLavori"), QStringLiteral(" Veltaro - Registrazione lavori"),
               QStringLiteral("In questo ambiente è possibile registrare le attività lavorative svolte dai dipendenti "
                              "della propria azienda."),
               QStringLiteral("Applicazione Registrazione lavori."),
               {{"txtAnnoPreventivi", "Registrazione lavori:", "btnApriPreventivi", ".lav", "lavori",
                 " Veltaro - Registrazione lavori anno "}},
               parent)
{
}

PaymentsMenu::PaymentsMenu(QWidget *parent)
    : ModuleMenu(QStringLiteral("TfrmMenuPagamenti"), QStringLiteral(" Veltaro - Riepilogo compensi"), parent)
{
    QWidget *body = buildFrame(
        QStringLiteral("Questo ambiente consente di visualizzare riepiloghi dei compensi per intervalli di tempo e "
                       "grafici statistici tridimensionali delle rimunerazioni mensili."),
        QStringLiteral("Riepilogo compensi e statistiche rimunerazioni mensili."));
    auto *grid = new QGridLayout(body);
    grid->setHorizontalSpacing(18);
    grid->setVerticalSpacing(18);
    struct Choice {
        const char *text, *button, *picture, *glyph, *tag;
    };
    int row = 0;
    for (const Choice &c : {Choice{"Riepilogo compensi", "btnRiepiloghi", "icoLibri", "€", "riepiloghi"},
                            Choice{"Statistiche rimunerazioni mensili", "btnStatistiche", "icoDVD", "%", "statistiche"}}) {
        auto *pic = new QToolButton(body);
        pic->setObjectName(QLatin1String(c.picture));
        pic->setIcon(Pictures::tile(QString::fromUtf8(c.glyph), QColor(0x1e, 0x88, 0x8a), 48));
        pic->setAccessibleName(QString::fromUtf8(c.text));
        pic->setIconSize(QSize(48, 48));
        pic->setAutoRaise(true);
        pic->setCursor(Qt::PointingHandCursor);
        auto *b = new QPushButton(QStringLiteral("Apri"), body);
        b->setObjectName(QLatin1String(c.button));
        b->setCursor(Qt::PointingHandCursor);
        grid->addWidget(pic, row, 0);
        grid->addWidget(new QLabel(QString::fromUtf8(c.text), body), row, 1);
        grid->addWidget(b, row, 2);
        const QString tag = QLatin1String(c.tag);
        const auto go = [this, tag] {
            m_memory->setText(tag);
            close();
        };
        connect(b, &QPushButton::clicked, this, go);
        connect(pic, &QToolButton::clicked, this, go);
        ++row;
    }
}

void PaymentsMenu::showEvent(QShowEvent *event)
{
    ModuleMenu::showEvent(event);
    if (!event->spontaneous()) {
        m_memory->setText(QStringLiteral("avvio"));
        focusInSight(findChild<QWidget *>(QStringLiteral("btnRiepiloghi")));
    }
}

// ---- modules still to come ----

PendingModule::PendingModule(const QString &objectName, const QString &caption, QWidget *parent)
    : WorkWindow(objectName, caption, parent)
{
    auto *outer = new QVBoxLayout(content());
    outer->setContentsMargins(40, 40, 40, 30);
    m_shown = title(caption.trimmed(), content());
    outer->addWidget(m_shown, 0, Qt::AlignHCenter);
    outer->addStretch();
    auto *text = new QLabel(QStringLiteral("Questa parte del programma sarà disponibile in una prossima versione."),
                            content());
    outer->addWidget(text, 0, Qt::AlignHCenter);
    m_file = new QLabel(content());
    m_file->setObjectName(QStringLiteral("lblFile"));
    m_file->hide();
    outer->addStretch();
    auto *exit = smallPicture(content(), "cmdEsci", "Esci", "X", ExitRed);
    connect(exit, &QToolButton::clicked, this, &QWidget::close);
    outer->addWidget(exit, 0, Qt::AlignRight);
    createHintLine(QString());
    setHint(exit, QStringLiteral("Esci da questa schermata di lavoro."));
}

void PendingModule::showEvent(QShowEvent *event)
{
    WorkWindow::showEvent(event);
    m_shown->setText(windowTitle().trimmed());
}
