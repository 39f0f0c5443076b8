#include "shell/MainMenu.h"

#include "framework/BoxBehaviour.h"
#include "framework/Clock.h"
#include "framework/Desktop.h"
#include "framework/Dialogs.h"
#include "framework/Keyboard.h"
#include "framework/Routines.h"
#include "settings/Backup.h"
#include "settings/ProgramFolder.h"
#include "shell/InfoDialogs.h"
#include "shell/MenuStyle.h"
#include "shell/SearchEverywhereScreen.h"
#include "shell/StartBackup.h"
#include "workers/WorkerFind.h"
#include "workers/WorkerFindScreen.h"
#include "workers/WorkerRecord.h"

#include <QGridLayout>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QShortcut>
#include <QShowEvent>
#include <QToolButton>
#include <QVBoxLayout>
#include <utility>

namespace {
using MenuStyle::ExitRed;
using MenuStyle::focusInSight;
using MenuStyle::Slate;
using MenuStyle::smallPicture;
using Pictures::title;
}

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
    // The shortest text is said under the box, and in red when Enter came too early.
    const QString rule = QStringLiteral("Indicare almeno %1 caratteri da cercare.").arg(SearchEverywhere::MinimumLength);
    auto *searchNote = new QLabel(rule, content());
    searchNote->setObjectName(QStringLiteral("lblCercaOvunque"));
    searchNote->setTextFormat(Qt::PlainText);
    searchNote->setStyleSheet(QStringLiteral("color: #5a6470;"));
    searchBox->setAccessibleDescription(rule);
    outer->addWidget(searchNote, 0, Qt::AlignHCenter);
    connect(searchBox, &QLineEdit::textChanged, searchNote,
            [searchNote] { searchNote->setStyleSheet(QStringLiteral("color: #5a6470;")); });
    Box::setup(searchBox);
    Box::highlight(searchBox);
    auto *shortcut = new QShortcut(QKeySequence::Find, this);
    connect(shortcut, &QShortcut::activated, searchBox, [searchBox] {
        searchBox->setFocus(Qt::ShortcutFocusReason);
        searchBox->selectAll();
    });
    const auto searchAll = [this, searchBox, searchNote] {
        if (searchBox->text().size() < SearchEverywhere::MinimumLength) {
            searchNote->setStyleSheet(QStringLiteral("color: #b03a2e; font-weight: bold;"));
            searchBox->setFocus(Qt::OtherFocusReason);
            return;
        }
        SearchEverywhereScreen::open(this, searchBox->text());
    };
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
    m_facts->setTextFormat(Qt::PlainText);
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
    QStringList facts = Backup::folderFacts();
    if (!m_backupLine.isEmpty())
        facts.last() = m_backupLine;
    m_facts->setText(facts.join(QLatin1Char('\n')));
}

void MainMenu::follow(StartBackup *backup)
{
    connect(backup, &StartBackup::progress, this, [this](qint64 done, qint64 total) {
        const QLocale italian(QLocale::Italian, QLocale::Italy);
        const auto size = [&](qint64 bytes) { return italian.formattedDataSize(bytes, 1, QLocale::DataSizeSIFormat); };
        // Each archive is copied and then read back: the bytes of the folder are half the work.
        m_backupLine = QStringLiteral("Copia di sicurezza in corso: %1% (%2 di %3)")
                           .arg(total > 0 ? done * 100 / total : 100)
                           .arg(size(done / 2), size(total / 2));
        showFolderFacts();
    });
    connect(backup, &StartBackup::finished, this, [this](const Backup::Outcome &outcome) {
        m_backupLine.clear();
        showFolderFacts();
        if (outcome.status != Backup::Outcome::Made || outcome.notCopied.isEmpty())
            return;
        QStringList files;
        for (const Backup::NotCopied &n : outcome.notCopied)
            files << n.file;
        m_backupLine = QStringList(m_facts->text().split(QLatin1Char('\n'))).last()
            + QStringLiteral(", senza %1 (non leggibile)").arg(files.join(QStringLiteral(", ")));
        showFolderFacts();
    });
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
    if (SummaryScreen::openModal(registry, WorkerFindScreen::contractsDue()) != QDialog::Accepted)
        registry->close();
}
