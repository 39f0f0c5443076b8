#include "compensation/PaySummarySetupScreen.h"
#include "framework/ProgramFormats.h"

#include "compensation/Compensation.h"
#include "compensation/PaySummary.h"
#include "compensation/PaySummaryScreen.h"
#include "framework/BoxBehaviour.h"
#include "framework/Clock.h"
#include "framework/Dialogs.h"
#include "framework/Routines.h"
#include "settings/ProgramFolder.h"
#include "workers/WorkerFindScreen.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

namespace {

QComboBox *dropDown(QWidget *parent, const char *name, const QStringList &items, int width)
{
    auto *c = new QComboBox(parent);
    c->setObjectName(QLatin1String(name));
    c->addItems(items);
    c->setMaxVisibleItems(12);
    c->setFixedWidth(width);
    c->setCurrentIndex(-1);
    // Values come from the list only.
    Box::setup(c, {.keys = Box::Keys::None});
    return c;
}

QLabel *yearLabel(QWidget *parent, const char *name)
{
    auto *l = new QLabel(parent);
    l->setObjectName(QLatin1String(name));
    l->setMinimumWidth(50);
    QFont f = l->font();
    f.setBold(true);
    l->setFont(f);
    return l;
}

QLabel *hiddenLabel(QWidget *parent, const char *name)
{
    auto *l = new QLabel(parent);
    l->setObjectName(QLatin1String(name));
    l->hide();
    return l;
}

}

PaySummarySetupScreen::PaySummarySetupScreen(QWidget *parent)
    : WorkWindow(QStringLiteral("TfrmMenuRiepilogoPagamenti"), QStringLiteral(" Veltaro - Riepilogo compensi"), parent)
{
    applyProgramFormats();
    // A scrolling list of twelve rather than a popup as tall as the screen.
    setStyleSheet(QStringLiteral("QLineEdit, QComboBox { min-height: 24px; } QComboBox { combobox-popup: 0; }"
                                 "QComboBox QAbstractItemView::item { min-height: 22px; }"));
    auto *outer = new QVBoxLayout(content());
    outer->setContentsMargins(60, 40, 60, 24);

    outer->addWidget(Pictures::title(QStringLiteral("Riepilogo compensi"), content()), 0, Qt::AlignHCenter);
    outer->addSpacing(16);
    auto *info = new QLabel(QStringLiteral("Indicare l'anno solare e l'intervallo di tempo da riepilogare. Per limitare il "
                                           "riepilogo a un solo lavoratore indicarne il codice fiscale; lasciandolo in "
                                           "bianco il riepilogo comprende tutti i lavoratori."),
                            content());
    info->setWordWrap(true);
    info->setAlignment(Qt::AlignCenter);
    outer->addWidget(info);
    outer->addStretch(1);

    auto *form = new QWidget(content());
    form->setObjectName(QStringLiteral("panAvvio"));
    auto *grid = new QGridLayout(form);
    grid->setHorizontalSpacing(12);
    grid->setVerticalSpacing(16);

    auto *yearCaption = new QLabel(QStringLiteral("Anno solare:"), form);
    grid->addWidget(yearCaption, 0, 0, Qt::AlignRight);
    m_anno = new QLineEdit(form);
    yearCaption->setBuddy(m_anno);
    m_anno->setObjectName(QStringLiteral("txtAnno"));
    m_anno->setMaxLength(4);
    m_anno->setFixedWidth(70);
    m_anno->setAlignment(Qt::AlignCenter);
    grid->addWidget(m_anno, 0, 1, 1, 3, Qt::AlignLeft);

    auto *workerCaption = new QLabel(QStringLiteral("Codice fiscale lavoratore:"), form);
    grid->addWidget(workerCaption, 1, 0, Qt::AlignRight);
    m_tipologia = new QLineEdit(form);
    workerCaption->setBuddy(m_tipologia);
    m_tipologia->setObjectName(QStringLiteral("txtTipologia"));
    m_tipologia->setMaxLength(16);
    m_tipologia->setFixedWidth(230);
    auto *worker = new QHBoxLayout;
    worker->setSpacing(10);
    worker->addWidget(m_tipologia);
    auto *import = new QPushButton(QStringLiteral("Importa dall'anagrafica lavoratori..."), form);
    import->setObjectName(QStringLiteral("impCodFisc"));
    import->setFocusPolicy(Qt::TabFocus);
    import->setCursor(Qt::PointingHandCursor);
    setHint(import, QStringLiteral("Importa il codice fiscale dall'archivio anagrafico dei lavoratori."));
    worker->addWidget(import);
    worker->addStretch();
    grid->addLayout(worker, 1, 1, 1, 4);

    QStringList days, months;
    for (int d = 1; d <= 31; ++d)
        days << QStringLiteral("%1").arg(d, 2, 10, QLatin1Char('0'));
    for (const auto &name : Compensation::MonthNames)
        months << QString::fromLatin1(name.data(), qsizetype(name.size()));
    // One row per interval end: day, month and the year the dates lie in.
    const auto intervalRow = [&](int row, const char *caption, const char *day, const char *month, const char *year,
                                 QComboBox *&dayBox, QComboBox *&monthBox, QLabel *&yearLabelOut) {
        auto *rowCaption = new QLabel(QString::fromLatin1(caption), form);
        grid->addWidget(rowCaption, row, 0, Qt::AlignRight);
        dayBox = dropDown(form, day, days, 70);
        monthBox = dropDown(form, month, months, 140);
        rowCaption->setBuddy(dayBox);
        const QString what = QString::fromLatin1(caption).remove(QLatin1Char(':'));
        dayBox->setAccessibleName(what + QStringLiteral(", giorno"));
        monthBox->setAccessibleName(what + QStringLiteral(", mese"));
        yearLabelOut = yearLabel(form, year);
        grid->addWidget(dayBox, row, 1);
        grid->addWidget(monthBox, row, 2);
        grid->addWidget(yearLabelOut, row, 3);
    };
    intervalRow(2, "Inizio intervallo:", "txtGiornoInizio", "txtMeseInizio", "lblAnnoInizio", m_giornoInizio,
                m_meseInizio, m_annoInizio);
    intervalRow(3, "Fine intervallo:", "txtGiornoFine", "txtMeseFine", "lblAnnoFine", m_giornoFine, m_meseFine,
                m_annoFine);
    grid->setColumnStretch(4, 1);
    outer->addWidget(form, 0, Qt::AlignHCenter);
    outer->addSpacing(24);

    m_attendere = new QLabel(QStringLiteral("Caricamento riepilogo in corso. Attendere..."), content());
    m_attendere->setObjectName(QStringLiteral("lblAttendere"));
    QFont bold = m_attendere->font();
    bold.setBold(true);
    m_attendere->setFont(bold);
    m_attendere->setStyleSheet(QStringLiteral("color: #b03a2e;"));
    QSizePolicy keep = m_attendere->sizePolicy();
    keep.setRetainSizeWhenHidden(true);
    m_attendere->setSizePolicy(keep);
    m_attendere->hide();
    outer->addWidget(m_attendere, 0, Qt::AlignHCenter);
    outer->addSpacing(8);

    auto *commands = new QHBoxLayout;
    commands->setSpacing(12);
    auto *show = new QPushButton(QStringLiteral("Visualizza riepilogo"), content());
    show->setObjectName(QStringLiteral("btnVisualizza"));
    setHint(show, QStringLiteral("Visualizza il riepilogo dei compensi dell'intervallo indicato."));
    auto *exit = new QPushButton(QStringLiteral("Esci"), content());
    exit->setObjectName(QStringLiteral("btnEsci"));
    setHint(exit, QStringLiteral("Esci da questo ambiente di lavoro."));
    for (QPushButton *b : {show, exit}) {
        b->setMinimumSize(170, 34);
        b->setCursor(Qt::PointingHandCursor);
        commands->addWidget(b);
    }
    outer->addLayout(commands);
    outer->setAlignment(commands, Qt::AlignHCenter);
    outer->addStretch(2);

    m_dataInizio = hiddenLabel(content(), "lblDataInizio");
    m_dataFine = hiddenLabel(content(), "lblDataFine");
    m_file = hiddenLabel(content(), "lblFile");
    createHintLine(QString());

    Box::setup(m_anno, {.keys = Box::Keys::Digits});
    Box::setup(m_tipologia, {.capitals = true});
    Box::highlight(m_anno);
    Box::highlight(m_tipologia);
    Box::enterTo(m_anno, m_tipologia);
    Box::enterTo(m_tipologia, m_giornoInizio);
    // On through the interval to the command, which Enter then presses.
    Box::enterTo(m_giornoInizio, m_meseInizio);
    Box::enterTo(m_meseInizio, m_giornoFine);
    Box::enterTo(m_giornoFine, m_meseFine);
    Box::enterTo(m_meseFine, show);
    // Both interval dates lie in the year typed.
    connect(m_anno, &QLineEdit::textChanged, this, &PaySummarySetupScreen::followYear);
    connect(import, &QPushButton::clicked, this,
            [this] { WorkerFindScreen::open(this, QStringLiteral("riep_pagamenti")); });
    connect(show, &QPushButton::pressed, this, [this] {
        m_attendere->show();
        m_attendere->repaint();
    });
    connect(show, &QPushButton::clicked, this, &PaySummarySetupScreen::showSummary);
    connect(exit, &QPushButton::clicked, this, &QWidget::close);
}

void PaySummarySetupScreen::showEvent(QShowEvent *event)
{
    WorkWindow::showEvent(event);
    if (event->spontaneous())
        return;
    for (QComboBox *c : {m_giornoInizio, m_meseInizio, m_giornoFine, m_meseFine})
        c->setCurrentIndex(-1);
    m_tipologia->clear();
    m_anno->setText(QString::number(Clock::today().year()).rightJustified(4, QLatin1Char('0')));
    followYear();
    m_attendere->hide();
    m_tipologia->setFocus();
}

void PaySummarySetupScreen::followYear()
{
    const QString year = Routines::trimmed(m_anno->text());
    m_annoInizio->setText(year);
    m_annoFine->setText(year);
}

void PaySummarySetupScreen::showSummary()
{
    m_dataInizio->clear();
    m_dataFine->clear();
    const QString anno = m_anno->text();
    // The year becomes part of a file name: four digits only, however the text got there.
    const PaySummary::Checked checked = PaySummary::check({Routines::isDigits(anno) ? anno : QString(),
                                                           m_giornoInizio->currentText(), m_meseInizio->currentText(),
                                                           m_giornoFine->currentText(), m_meseFine->currentText()});
    m_dataInizio->setText(checked.dataInizio);
    m_dataFine->setText(checked.dataFine);
    if (const auto &refusal = checked.refusal) {
        m_attendere->hide();
        if (refusal->kind == PaySummary::Refusal::Warning)
            Dialogs::warning(this, refusal->text);
        else
            Dialogs::notice(this, refusal->text);
        if (!refusal->focus.isEmpty())
            if (QWidget *w = findChild<QWidget *>(refusal->focus))
                w->setFocus();
        return;
    }
    m_file->setText(ProgramFolder::file(checked.fileName));

    PaySummaryScreen summary({Routines::trimmed(m_file->text()), m_tipologia->text(), m_dataInizio->text(),
                               m_dataFine->text(), checked.start, checked.end},
                              this);
    summary.exec();
    m_attendere->hide();
}
