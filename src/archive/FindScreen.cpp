#include "archive/FindScreen.h"
#include "framework/ProgramFormats.h"

#include "archive/ResultList.h"
#include "framework/BoxBehaviour.h"
#include "framework/BusyCursor.h"
#include "framework/Dialogs.h"
#include "framework/Routines.h"

#include <QApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QShowEvent>
#include <QStackedLayout>
#include <QTimer>
#include <QVBoxLayout>

#include <cstring>

namespace PickModes {

namespace {
QHash<QString, QHash<QString, PickAction>> &table()
{
    static QHash<QString, QHash<QString, PickAction>> modes;
    return modes;
}
}

void add(const QString &findScreen, const QString &mode, PickAction action)
{
    table()[findScreen].insert(mode, std::move(action));
}

PickAction action(const QString &findScreen, const QString &mode)
{
    return table().value(findScreen).value(mode);
}

bool handOver(const QString &path, const RecordLayout &layout, const Find::LineBuilder &line,
              const QString &picked, const PickAction &action)
{
    Record record(layout);
    return Find::pick(path, layout, line, picked, [&](qint64 n, const char *bytes) {
        std::memcpy(record.bytes().data(), bytes, size_t(layout.size()));
        action(record, n);
    });
}

QWidget *screen(const QString &objectName)
{
    // The screen on view is the one that opened the find screen.
    QWidget *hidden = nullptr;
    for (QWidget *w : QApplication::topLevelWidgets())
        if (w->objectName() == objectName) {
            if (w->isVisible())
                return w;
            hidden = w;
        }
    return hidden;
}

}

namespace DialogFrame {

void setup(QDialog *dialog, const QString &objectName, const QString &caption, const QSize &size)
{
    applyProgramFormats();
    dialog->setObjectName(objectName);
    dialog->setWindowTitle(caption);
    dialog->setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint
                           | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    dialog->setModal(true);
    // On a small screen the dialog takes what there is, frame included; its lists scroll.
    QSize fitted = size;
    if (QScreen *s = dialog->screen())
        fitted = size.boundedTo(s->availableGeometry().size() - QSize(16, 40));
    dialog->setFixedSize(fitted);
}

QPushButton *confirmation(QDialog *dialog, const QString &title, const QStringList &lines, const QString &action)
{
    auto *v = new QVBoxLayout(dialog);
    v->setContentsMargins(24, title.isEmpty() ? 18 : 16, 24, 16);
    v->setSpacing(2);
    if (!title.isEmpty()) {
        auto *heading = new QLabel(title, dialog);
        heading->setObjectName(QStringLiteral("lblTitolo"));
        QFont big = heading->font();
        big.setBold(true);
        big.setPointSizeF(big.pointSizeF() + 2);
        heading->setFont(big);
        heading->setAlignment(Qt::AlignCenter);
        v->addWidget(heading);
        v->addSpacing(10);
    }
    for (const QString &line : lines) {
        auto *l = new QLabel(line, dialog);
        l->setAlignment(Qt::AlignCenter);
        v->addWidget(l);
    }
    v->addStretch();
    auto *row = new QHBoxLayout;
    auto *go = new QPushButton(action, dialog);
    go->setObjectName(QStringLiteral("btnStampa"));
    auto *cancel = new QPushButton(QStringLiteral("Annulla"), dialog);
    cancel->setObjectName(QStringLiteral("btnAnnulla"));
    row->addStretch();
    row->addWidget(go);
    row->addWidget(cancel);
    row->addStretch();
    v->addLayout(row);
    go->setDefault(true);
    go->setFocus();
    QObject::connect(cancel, &QPushButton::clicked, dialog, &QDialog::reject);
    return go;
}

void centre(QWidget *dialog)
{
    if (QScreen *s = dialog->screen()) {
        const QRect screen = s->availableGeometry();
        QRect r(QPoint(), dialog->frameGeometry().size());
        r.moveCenter(screen.center());
        // Never past the top left corner, where the title bar and the first controls are.
        dialog->move(qMax(r.left(), screen.left()), qMax(r.top(), screen.top()));
    }
}

QPushButton *closeButton(QDialog *dialog)
{
    auto *close = new QPushButton(QStringLiteral("Chiudi"), dialog);
    close->setObjectName(QStringLiteral("btnChiudi"));
    close->setDefault(true);
    QObject::connect(close, &QPushButton::clicked, dialog, &QDialog::accept);
    return close;
}

}

namespace {
QLabel *hiddenLabel(QWidget *parent, const QString &name, const QString &text)
{
    auto *l = new QLabel(text, parent);
    l->setObjectName(name);
    l->hide();
    return l;
}
}

FindScreen::FindScreen(FindDefinition definition, QWidget *parent)
    : QDialog(parent), m_def(std::move(definition))
{
    DialogFrame::setup(this, m_def.objectName, m_def.caption, QSize(862, 560));
    m_stack = new QStackedLayout(this);
    m_filterPanel = buildFilterPanel();
    m_stack->addWidget(m_filterPanel);
    m_results = new ResultPanel(m_def.listTitle, m_def.remembered, true, this);
    m_stack->addWidget(m_results);
    m_stack->setCurrentWidget(m_filterPanel);
    connect(m_results, &ResultPanel::picked, this, &FindScreen::pick);
    connect(m_results, &ResultPanel::closeRequested, this, &QDialog::reject);
}

void FindScreen::openModal(QWidget *parent, FindDefinition definition, const QString &mode, const QString &archivePath)
{
    FindScreen screen(std::move(definition), parent);
    if (!archivePath.isEmpty())
        screen.setArchivePath(archivePath);
    screen.setMode(mode);
    screen.exec();
}

QWidget *FindScreen::buildFilterPanel()
{
    auto *panel = new QWidget(this);
    panel->setObjectName(QStringLiteral("panAvvio"));
    auto *v = new QVBoxLayout(panel);
    v->setContentsMargins(24, 18, 24, 16);
    v->setSpacing(4);
    for (const char *text : {"Immettere nei campi prescelti una o più parole consecutive presenti nelle schede da "
                             "trovare e premere il pulsante Cerca.",
                             "Lasciare in bianco tutti gli altri campi.",
                             "Per ogni ricerca è possibile utilizzare uno o più campi contemporaneamente."})
        v->addWidget(new QLabel(QString::fromUtf8(text), panel));
    v->addSpacing(14);

    auto *grid = new QGridLayout;
    grid->setHorizontalSpacing(12);
    grid->setVerticalSpacing(9);
    grid->setColumnMinimumWidth(0, 210);
    QList<QWidget *> chain;
    for (const Find::FilterBox &f : m_def.filters) {
        auto *box = new QLineEdit(panel);
        box->setObjectName(f.box);
        box->setMinimumWidth(480);
        auto *label = new QLabel(f.label, panel);
        label->setBuddy(box);
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        const int row = int(m_boxes.size());
        grid->addWidget(label, row, 0);
        grid->addWidget(box, row, 1, Qt::AlignLeft);
        Box::setup(box);
        Box::highlight(box);
        m_boxes.append(box);
        chain.append(box);
    }
    grid->setColumnStretch(2, 1);
    Box::chain(chain);
    v->addLayout(grid);
    v->addStretch();

    auto *bottom = new QHBoxLayout;
    m_wait = new QLabel(QStringLiteral("Ricerca schede in corso. Attendere..."), panel);
    m_wait->setObjectName(QStringLiteral("lblAttendere"));
    QFont bold = m_wait->font();
    bold.setBold(true);
    m_wait->setFont(bold);
    m_wait->setStyleSheet(QStringLiteral("color: #b03a2e;"));
    QSizePolicy keep = m_wait->sizePolicy();
    keep.setRetainSizeWhenHidden(true);
    m_wait->setSizePolicy(keep);
    m_wait->hide();
    bottom->addWidget(m_wait);
    bottom->addStretch();
    auto *find = new QPushButton(QStringLiteral("Cerca"), panel);
    find->setObjectName(QStringLiteral("btnCerca"));
    auto *close = new QPushButton(QStringLiteral("Chiudi"), panel);
    close->setObjectName(QStringLiteral("btnAnnulla"));
    for (QPushButton *b : {find, close}) {
        b->setMinimumWidth(90);
        bottom->addWidget(b);
    }
    v->addLayout(bottom);

    m_countFilters = hiddenLabel(panel, QStringLiteral("lblConta"), QStringLiteral("0"));
    m_memory = hiddenLabel(panel, QStringLiteral("lblMemory"), QString());

    connect(find, &QPushButton::pressed, this, [this] {
        m_wait->show();
        m_wait->repaint();
    });
    connect(find, &QPushButton::clicked, this, &FindScreen::search);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    return panel;
}

void FindScreen::setMode(const QString &tag)
{
    m_memory->setText(tag);
}

QString FindScreen::mode() const
{
    return Routines::trimmed(m_memory->text());
}

QString FindScreen::archivePath() const
{
    if (!m_path.isEmpty())
        return m_path;
    return m_def.archivePath ? m_def.archivePath() : QString();
}

void FindScreen::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (event->spontaneous())
        return;
    DialogFrame::centre(this);
    m_results->reset();
    if (!m_boxes.isEmpty())
        m_boxes.first()->setFocus(Qt::OtherFocusReason);
}

void FindScreen::search()
{
    QVector<Find::Filter> filters;
    int inUse = 0;
    for (qsizetype i = 0; i < m_boxes.size(); ++i) {
        const QString text = m_boxes.at(i)->text();
        if (!Routines::trimmed(text).isEmpty())
            ++inUse;
        filters.append({m_def.layout->indexOf(m_def.filters.at(i).field), text});
    }
    m_countFilters->setText(QString::number(inUse));

    const Find::Listing found =
        BusyCursor::during([&] { return Find::search(archivePath(), *m_def.layout, filters, m_def.line); });
    if (!found.ok) {
        m_wait->hide();
        Dialogs::notice(this, Dialogs::archiveAccessText());
        return;
    }
    m_results->setLines(found.lines, true);
    m_stack->setCurrentWidget(m_results);
    m_results->searchBox()->clear();
    m_results->focusResults();
}

void FindScreen::pick(const QString &line)
{
    const PickAction action = PickModes::action(objectName(), mode());
    // Whatever fails, the screen closes; what was handed over stays handed over.
    if (!line.isNull() && action)
        PickModes::handOver(archivePath(), *m_def.layout, m_def.line, line, action);
    accept();
}

void FindScreen::done(int result)
{
    m_results->list()->clearLines();
    m_wait->hide();
    QDialog::done(result);
}

SummaryScreen::SummaryScreen(SummaryDefinition definition, QWidget *parent)
    : QDialog(parent), m_def(std::move(definition))
{
    DialogFrame::setup(this, m_def.objectName, m_def.caption, QSize(862, 560));
    auto *v = new QVBoxLayout(this);
    v->setContentsMargins(0, 0, 0, 0);
    m_results = new ResultPanel(m_def.listTitle, m_def.remembered, false, this);
    if (m_def.keepInView > 0)
        m_results->list()->keepInView(m_def.keepInView, m_def.narrowable);
    v->addWidget(m_results);
    connect(m_results, &ResultPanel::picked, this, [this](const QString &line) {
        if (!line.isNull())
            m_def.pick(line);
        accept();
    });
    connect(m_results, &ResultPanel::closeRequested, this, &QDialog::reject);
}

int SummaryScreen::openModal(QWidget *parent, SummaryDefinition definition)
{
    SummaryScreen screen(std::move(definition), parent);
    return screen.exec();
}

void SummaryScreen::build()
{
    const Find::Listing found = BusyCursor::during(m_def.list);
    m_results->setLines(found.lines, true);
    // The lines listed stay; what kept others out is said once the list is on view, so that an
    // archive that could not be read is never taken for one with nothing to list.
    QStringList notices;
    if (!found.ok)
        notices << Dialogs::archiveAccessText();
    if (found.unreadable > 0 && m_def.unreadableNotice)
        notices << m_def.unreadableNotice(found.unreadable);
    if (!notices.isEmpty())
        QTimer::singleShot(0, this, [this, notices] {
            for (const QString &text : notices)
                Dialogs::notice(this, text);
        });
}

void SummaryScreen::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (event->spontaneous())
        return;
    DialogFrame::centre(this);
    m_results->reset();
    build();
    m_results->focusResults();
}

void SummaryScreen::done(int result)
{
    m_results->list()->clearLines();
    QDialog::done(result);
}
