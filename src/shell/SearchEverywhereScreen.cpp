#include "shell/SearchEverywhereScreen.h"

#include "archive/ArchiveFile.h"
#include "archive/CardScreen.h"
#include "archive/FindScreen.h"
#include "archive/ResultList.h"
#include "framework/BoxBehaviour.h"
#include "framework/BusyCursor.h"
#include "framework/Dialogs.h"
#include "framework/WorkWindow.h"
#include "settings/ProgramFolder.h"
#include "shell/YearMenu.h"

#include <QAccessible>
#include <QApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace {
// The archives in the order of the main menu.
int kindOrder(const QString &kind)
{
    static const QStringList order = {QStringLiteral("lavoratori"), QStringLiteral("orari"), QStringLiteral("turni"),
                                       QStringLiteral("settimanale"), QStringLiteral("progetti"), QStringLiteral("lavori")};
    return int(order.indexOf(kind));
}

// The screen showing cards of an archive kind.
WorkWindow *screenOf(const QString &kind)
{
    static const QHash<QString, QString> tags = {
        {QStringLiteral("lavoratori"), QStringLiteral("istruttori")}, {QStringLiteral("orari"), QStringLiteral("orari")},
        {QStringLiteral("turni"), QStringLiteral("registro")}, {QStringLiteral("settimanale"), QStringLiteral("settimanale")},
        {QStringLiteral("progetti"), QStringLiteral("referti")}, {QStringLiteral("lavori"), QStringLiteral("lavori")}};
    return Navigation::screen(tags.value(kind));
}

// A field's caption on its card, as a screen reader says it; the field's name otherwise.
QString captionOf(const QString &kind, const QString &field)
{
    WorkWindow *screen = screenOf(kind);
    if (!screen)
        return field;
    screen->ensureBuilt();
    QWidget *box = screen->findChild<QWidget *>(QStringLiteral("txt") + field);
    QAccessibleInterface *a = box ? QAccessible::queryAccessibleInterface(box) : nullptr;
    QString caption = a ? a->text(QAccessible::Name).trimmed() : QString();
    if (caption.endsWith(QLatin1Char(':')))
        caption.chop(1);
    return caption.isEmpty() ? field : caption.trimmed();
}

QString column(const QString &text, int width)
{
    return text.size() > width ? text.left(width - 1) + QChar(0x2026) : text.leftJustified(width);
}
}

SearchEverywhereScreen::SearchEverywhereScreen(QWidget *parent)
    : QDialog(parent)
{
    DialogFrame::setup(this, QStringLiteral("TfrmCercaOvunque"), QStringLiteral(" Cerca in tutti gli archivi"),
                       QSize(980, 600));
    auto *v = new QVBoxLayout(this);
    v->setContentsMargins(0, 12, 0, 0);
    auto *row = new QHBoxLayout;
    row->setContentsMargins(14, 0, 14, 0);
    auto *caption = new QLabel(QStringLiteral("Testo da cercare in tutti gli archivi:"), this);
    m_text = new QLineEdit(this);
    m_text->setObjectName(QStringLiteral("txtTesto"));
    m_text->setPlaceholderText(QStringLiteral("almeno %1 caratteri").arg(SearchEverywhere::MinimumLength));
    caption->setBuddy(m_text);
    auto *go = new QPushButton(QStringLiteral("Cerca"), this);
    go->setObjectName(QStringLiteral("btnCerca"));
    go->setMinimumWidth(90);
    row->addWidget(caption);
    row->addWidget(m_text, 1);
    row->addWidget(go);
    v->addLayout(row);
    m_note = new QLabel(this);
    m_note->setObjectName(QStringLiteral("lblNota"));
    m_note->setTextFormat(Qt::PlainText);
    m_note->setWordWrap(true);
    m_note->setContentsMargins(14, 0, 14, 0);
    m_note->hide();
    v->addWidget(m_note);
    static QString remembered;
    m_results = new ResultPanel(QStringLiteral("Schede trovate in tutti gli archivi"), &remembered, true, this);
    v->addWidget(m_results, 1);
    Box::setup(m_text);
    Box::highlight(m_text);
    // Enter in the box searches, and only that: the dialog would also press its default
    // button, the list's "Trova", which on an empty list says there is nothing to look in.
    m_text->installEventFilter(this);
    go->setAutoDefault(false);
    connect(go, &QPushButton::clicked, this, &SearchEverywhereScreen::search);
    connect(m_results, &ResultPanel::picked, this, [this](const QString &line) {
        if (!line.isNull())
            openCard(m_results->list()->selectedRow());
    });
    connect(m_results, &ResultPanel::closeRequested, this, &QDialog::reject);
}

void SearchEverywhereScreen::open(QWidget *parent, const QString &text)
{
    SearchEverywhereScreen screen(parent);
    screen.m_text->setText(text);
    // Searched before the window shows, so that it opens with the focus on what was found;
    // a text too short opens it saying why nothing was searched.
    if (!text.isEmpty())
        screen.search();
    else
        screen.m_text->setFocus();
    screen.exec();
}

void SearchEverywhereScreen::search()
{
    const QString text = m_text->text();
    if (text.size() < SearchEverywhere::MinimumLength) {
        m_note->setText(QStringLiteral("Indicare almeno %1 caratteri da cercare.").arg(SearchEverywhere::MinimumLength));
        m_note->setStyleSheet(QString());
        m_note->show();
        m_text->setFocus();
        return;
    }
    m_found = BusyCursor::during([&] { return SearchEverywhere::search(ProgramFolder::path(), text); });
    // By archive as the main menu lists them, the newest year first, then by card.
    m_rows.clear();
    for (int i = 0; i < m_found.hits.size(); ++i)
        m_rows << i;
    std::stable_sort(m_rows.begin(), m_rows.end(), [this](int a, int b) {
        const auto &ha = m_found.hits.at(a), &hb = m_found.hits.at(b);
        const auto &aa = m_found.archives.at(ha.archive), &ab = m_found.archives.at(hb.archive);
        const int ka = kindOrder(QLatin1String(aa.kind->name)), kb = kindOrder(QLatin1String(ab.kind->name));
        if (ka != kb)
            return ka < kb;
        if (aa.year != ab.year)
            return aa.year > ab.year;
        return ha.card < hb.card;
    });
    QHash<QString, QString> captions;
    QStringList lines;
    for (int i : std::as_const(m_rows)) {
        const SearchEverywhere::Hit &h = m_found.hits.at(i);
        const SearchEverywhere::Archive &a = m_found.archives.at(h.archive);
        const QString key = QLatin1String(a.kind->name) + QLatin1Char('/') + h.field;
        if (!captions.contains(key))
            captions.insert(key, captionOf(QLatin1String(a.kind->name), h.field));
        lines << column(a.title, 22) + QLatin1Char(' ') + column(QStringLiteral("n. %1").arg(h.card), 9)
                     + QLatin1Char(' ') + column(captions.value(key), 28) + QLatin1Char(' ') + h.line;
    }
    m_results->setLines(lines, true);
    QStringList notes;
    if (!m_found.ok)
        notes << QStringLiteral("Attenzione: la ricerca si è fermata perché un archivio non si può leggere (%1).")
                     .arg(m_found.error);
    if (const QString damaged = SearchEverywhere::damagedNotice(m_found); !damaged.isEmpty())
        notes << damaged;
    if (lines.isEmpty() && notes.isEmpty())
        notes << QStringLiteral("Il testo \"%1\" non compare in nessuna scheda.").arg(text);
    m_note->setText(notes.join(QLatin1Char('\n')));
    m_note->setStyleSheet(notes.isEmpty() || lines.isEmpty() ? QString() : QStringLiteral("color: #b03a2e;"));
    m_note->setVisible(!notes.isEmpty());
    m_results->reset();
    m_results->focusResults();
}

bool SearchEverywhereScreen::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_text && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            search();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void SearchEverywhereScreen::openCard(int row)
{
    if (row < 0 || row >= m_rows.size())
        return;
    const SearchEverywhere::Hit hit = m_found.hits.at(m_rows.at(row));
    const SearchEverywhere::Archive archive = m_found.archives.at(hit.archive);
    const QString kind = QLatin1String(archive.kind->name);
    accept();
    WorkWindow *target = archive.year > 0 ? YearMenu::openArchive(archive.path) : screenOf(kind);
    if (target && archive.year == 0)
        target->open();
    auto *card = qobject_cast<CardScreen *>(target);
    if (!card)
        return;
    Record record(archive.kind->layout());
    ArchiveFile file(archive.path, record.layout().size());
    if (!file.openForReading() || !file.readRecord(hit.card, record.bytes())) {
        Dialogs::warning(card, QStringLiteral("Attenzione: la scheda non si può leggere dall'archivio %1 (%2).")
                                   .arg(archive.fileName, file.errorText()));
        return;
    }
    card->loadCard(hit.card, record);
}
