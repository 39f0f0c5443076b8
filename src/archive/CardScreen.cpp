#include "archive/CardScreen.h"

#include "archive/ArchiveFile.h"
#include "archive/AttachFolderDialog.h"
#include "framework/Dialogs.h"

#include <QApplication>
#include <QComboBox>
#include <QHBoxLayout>
#include <QToolButton>
#include <QVBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextDocument>

#include <cstring>

namespace CardText {
QString saved() { return QStringLiteral("Le modifiche apportate alla scheda corrente sono state salvate in archivio."); }
QString inserted() { return QStringLiteral("La scheda corrente è stata inserita in archivio."); }
QString empty() { return QStringLiteral("L'archivio non contiene nessuna scheda."); }
QString duplicateWarning()
{
    return QStringLiteral("Attenzione: la duplicazione di una scheda può avvenire soltanto dopo che "
                          "questa è stata inserita in archivio.");
}
QString duplicated()
{
    return QStringLiteral("E' ora possibile apportare le proprie modifiche alla scheda corrente.\n\r\n\r"
                          "Al termine premere Salva per inserire la scheda in archivio.");
}
QString changedElsewhere()
{
    return QStringLiteral("Attenzione: dopo che la scheda corrente è stata caricata, qualcun altro l'ha "
                          "modificata in archivio.\n\r\n\r"
                          "\"Salva la mia scheda\" sostituisce in archivio quelle modifiche con la scheda "
                          "che si sta salvando.\n\r"
                          "\"Ricarica dall'archivio\" mostra la scheda com'è ora in archivio: le modifiche "
                          "non salvate andranno perse.\n\r"
                          "\"Annulla\" non salva nulla e lascia la scheda com'è sullo schermo, per "
                          "confrontarla o copiarne i dati.");
}
QStringList changedElsewhereAnswers()
{
    return {QStringLiteral("Salva la mia scheda"), QStringLiteral("Ricarica dall'archivio"), QStringLiteral("Annulla")};
}
}

namespace WidgetText {
QString get(const QWidget *w)
{
    if (auto *e = qobject_cast<const QLineEdit *>(w))
        return e->text();
    if (auto *c = qobject_cast<const QComboBox *>(w))
        return c->currentText();
    if (auto *l = qobject_cast<const QLabel *>(w))
        return l->text();
    if (auto *p = qobject_cast<const QPlainTextEdit *>(w)) {
        // The text as typed: toPlainText() would turn a non-breaking space into a blank.
        QString text = p->document()->toRawText();
        text.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
        text.replace(QChar::LineSeparator, QLatin1Char('\n'));
        return text;
    }
    return QString();
}
void set(QWidget *w, const QString &text)
{
    if (auto *e = qobject_cast<QLineEdit *>(w)) {
        // A stored value is shown whole, even one a full field holds beyond the typing limit;
        // the next card brings the limit back, so no other card is typed past it.
        QVariant limit = e->property("typingLimit");
        if (!limit.isValid() && text.size() > e->maxLength())
            e->setProperty("typingLimit", limit = e->maxLength());
        if (limit.isValid())
            e->setMaxLength(qMax(limit.toInt(), int(text.size())));
        e->setText(text);
        e->setCursorPosition(0);
    } else if (auto *c = qobject_cast<QComboBox *>(w)) {
        c->setCurrentIndex(-1);
        c->setEditText(text);
    } else if (auto *l = qobject_cast<QLabel *>(w)) {
        l->setTextFormat(Qt::PlainText);   // a card's text is never markup
        l->setText(text);
    } else if (auto *p = qobject_cast<QPlainTextEdit *>(w)) {
        p->setPlainText(text);
    }
}
}

namespace {
bool isAttachCommand(const QString &name)
{
    return name == QLatin1String("cmdFile") || name == QLatin1String("btnAllega");
}
// Help commands come alive through their topic, wherever the screen is built.
bool isHelpCommand(const QString &name)
{
    return name == QLatin1String("cmdGuida") || name == QLatin1String("btnGuida");
}

CardScreen::LentCommands &lender()
{
    static CardScreen::LentCommands lent;
    return lent;
}

std::function<void()> lentAction(CardScreen *screen, const QString &command)
{
    return lender() ? lender()(screen, command) : std::function<void()>();
}
}

void CardScreen::lendCommands(LentCommands lent)
{
    lender() = std::move(lent);
}

CardScreen::CardScreen(const QString &objectName, const QString &caption, const RecordLayout &layout,
                       QWidget *parent)
    : WorkWindow(objectName, caption, parent), m_buffer(layout)
{
}

QWidget *CardScreen::buildCommandBar(const QVector<Command> &commands)
{
    auto *outer = qobject_cast<QVBoxLayout *>(content()->layout());
    if (!outer) {
        outer = new QVBoxLayout(content());
        outer->setContentsMargins(10, 6, 10, 6);
    }
    auto *bar = new QWidget(content());
    bar->setObjectName(QStringLiteral("panComandi"));
    auto *row = new QHBoxLayout(bar);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(2);
    for (const Command &c : commands) {
        if (!c.name) {
            row->addWidget(createPositionLabel(bar));
            continue;
        }
        QToolButton *b = addCommand(bar, QLatin1String(c.name), QString::fromUtf8(c.text), QString::fromUtf8(c.hint),
                                    QString::fromUtf8(c.glyph), c.colour);
        if (c.action)
            connect(b, &QToolButton::clicked, this, c.action);
        // The export and the print and preview commands come from the output room.
        else if (std::function<void()> lent = lentAction(this, QLatin1String(c.name)))
            connect(b, &QToolButton::clicked, this, lent);
        // Every card screen's attachment command opens the same dialog, for the screen's own tag.
        else if (isAttachCommand(b->objectName()))
            connect(b, &QToolButton::clicked, this, [this] { AttachFolderDialog::open(this, AttachFolderDialog::tagFor(objectName())); });
        row->addWidget(b);
    }
    row->addStretch();
    for (const char *name : {"cmdEsci", "btnEsci"})
        if (auto *exit = bar->findChild<QToolButton *>(QLatin1String(name)))
            connect(exit, &QToolButton::clicked, this, &QWidget::close);
    outer->addWidget(bar);
    auto *line = new QFrame(content());
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    outer->addWidget(line);
    return bar;
}

QWidget *CardScreen::buildStandardBar(const QStringList &names, const QHash<QString, std::function<void()>> &actions)
{
    const QColor blue(0x2f, 0x6f, 0xb5), green(0x3a, 0x8f, 0x4a), grey(0x6b, 0x75, 0x80), red(0xb0, 0x3a, 0x2e);
    const QVector<Command> all = {
        {"btnNuovo", "Nuovo", "Prepara la schermata per la registrazione di una nuova scheda.", "+", green, [this] { newCard(); }},
        {"btnDuplica", "Duplica", "Prepara la schermata per la registrazione di una nuova scheda duplicando i dati correnti.",
         "2", green, [this] { duplicate(); }},
        {"btnSalva", "Salva", "Salva la scheda corrente in archivio.", "S", green, [this] { save(); }},
        {"btnTrova", "Trova", "Trova una scheda in archivio.", "?", blue, {}},
        {"cmdPrimo", "Primo", "Visualizza la prima scheda in archivio.", "|<", blue, [this] { first(); }},
        {"cmdIndietro", "Indietro", "Visualizza la scheda precedente in archivio.", "<", blue, [this] { previous(); }},
        {"cmdAvanti", "Avanti", "Visualizza la scheda successiva in archivio.", ">", blue, [this] { next(); }},
        {"cmdUltimo", "Ultimo", "Visualizza l'ultima scheda in archivio.", ">|", blue, [this] { last(); }},
        {"btnAllega", "Allegati", "Allega file alla scheda corrente.", "@", grey, {}},
        {"btnAnteprima", "Anteprima", "Visualizza l'anteprima di stampa della scheda corrente.", "A", grey, {}},
        {"btnStampa", "Stampa", "Stampa la scheda corrente.", "P", grey, {}},
        {"btnEsporta", "Esporta", "Esporta le schede in archivio in un file di Microsoft Excel.", "XL", grey, {}},
        {"btnGuida", "Guida", "Visualizza la guida in linea.", "i", grey, {}},
        {"btnEsci", "Esci", "Esci da questa schermata di lavoro.", "X", red, {}},
    };
    QVector<Command> chosen;
    QStringList unavailable;
    for (const QString &name : names) {
        if (name.isEmpty()) {
            chosen.append({nullptr, nullptr, nullptr, nullptr, {}, {}});
            continue;
        }
        for (Command c : all) {
            if (name != QLatin1String(c.name))
                continue;
            if (actions.contains(name))
                c.action = actions.value(name);
            else if (!c.action && name != QLatin1String("btnEsci") && name != QLatin1String("btnEsporta")
                     && !isAttachCommand(name) && !isHelpCommand(name) && !lentAction(this, name))
                unavailable << name;
            chosen.append(c);
        }
    }
    QWidget *bar = buildCommandBar(chosen);
    for (const QString &name : unavailable)
        if (QWidget *w = bar->findChild<QWidget *>(name))
            Pictures::setAvailable(w, false);
    return bar;
}

QLabel *CardScreen::createPositionLabel(QWidget *parent)
{
    m_position = new QLabel(parent);
    m_position->setObjectName(QStringLiteral("lblPosizione"));
    m_position->setAlignment(Qt::AlignCenter);
    QFont f = m_position->font();
    f.setBold(true);
    f.setPointSize(f.pointSize() + 4);
    m_position->setFont(f);
    m_position->setMinimumWidth(90);
    m_position->setFrameShape(QFrame::StyledPanel);
    m_position->setFrameShadow(QFrame::Sunken);
    m_position->setStyleSheet(QStringLiteral("QLabel { background: white; padding: 4px; }"));
    m_position->setToolTip(QStringLiteral("Posizione della scheda in archivio"));
    return m_position;
}

void CardScreen::createAttachmentLabels(QWidget *parent)
{
    for (const char *kind : {"File", "Desc"})
        for (int i = 1; i <= 3; ++i) {
            auto *l = new QLabel(parent);
            l->setObjectName(QStringLiteral("lbl%1%2").arg(QLatin1String(kind)).arg(i, 2, 10, QLatin1Char('0')));
            l->hide();
        }
}

void CardScreen::bindFields()
{
    m_bindings.clear();
    const RecordLayout &layout = m_buffer.layout();
    for (int i = 0; i < layout.count(); ++i) {
        const QString name = layout.field(i).name;
        QWidget *w = findChild<QWidget *>(QStringLiteral("txt") + name);
        if (!w)
            w = findChild<QLabel *>(QStringLiteral("lbl") + name);
        if (w)
            m_bindings.append({i, w});
    }
}

qint64 CardScreen::position() const
{
    return m_position->text().trimmed().toLongLong();
}

void CardScreen::showEvent(QShowEvent *event)
{
    WorkWindow::showEvent(event);
    if (newCardOnShow() && !event->spontaneous())
        newCard();
}

void CardScreen::newCard()
{
    // Fields no control shows (a reserved area) start as zero bytes on a new card.
    m_buffer.bytes().fill('\0');
    for (const Binding &b : m_bindings)
        WidgetText::set(b.widget, QString());
    m_position->clear();
    m_loaded.clear();
    setDefaults();
    if (QWidget *f = firstField())
        f->setFocus(Qt::OtherFocusReason);
}

void CardScreen::loadFromBuffer()
{
    for (const Binding &b : m_bindings)
        WidgetText::set(b.widget, m_buffer.get(b.field));
    loadSpecial(m_buffer);
    Record untouched = m_buffer;
    storeTo(untouched);
    m_untouched = untouched.bytes();
}

void CardScreen::storeToBuffer()
{
    storeTo(m_buffer);
}

void CardScreen::storeTo(Record &record)
{
    for (const Binding &b : m_bindings)
        record.set(b.field, WidgetText::get(b.widget));
    storeSpecial(record);
}

// A card saved without an edit writes back exactly what it was read from: a box may show a
// stored text slightly otherwise than its bytes hold it (blanks trimmed, line breaks, a
// non-breaking space, a field another program filled to its last byte), and showing it must
// never be enough to change it.
void CardScreen::keepUntouchedFields()
{
    const int size = m_buffer.layout().size();
    if (m_loaded.size() != size || m_untouched.size() != size)
        return;
    QByteArray &bytes = m_buffer.bytes();
    for (const RecordLayout::Field &f : m_buffer.layout().fields()) {
        const int length = f.width + 1;
        if (QByteArrayView(bytes).sliced(f.offset, length) == QByteArrayView(m_untouched).sliced(f.offset, length))
            std::memcpy(bytes.data() + f.offset, m_loaded.constData() + f.offset, size_t(length));
    }
}

void CardScreen::loadCard(qint64 n, const Record &record)
{
    ensureBuilt();
    m_buffer.bytes() = record.bytes();
    m_loaded = record.bytes();
    loadFromBuffer();
    m_position->setText(QString::number(n));
}

void CardScreen::accessFailed()
{
    Dialogs::error(this, Dialogs::archiveAccessText());
}

void CardScreen::saveFailed()
{
    if (saveFailureIsNotice())
        Dialogs::notice(this, Dialogs::archiveAccessText());
    else
        accessFailed();
}

bool CardScreen::readAt(ArchiveFile &archive, qint64 n)
{
    QByteArray bytes;
    if (!archive.readRecord(n, bytes))
        return false;
    m_buffer.bytes() = bytes;
    m_loaded = bytes;
    loadFromBuffer();
    m_position->setText(QString::number(n));
    return true;
}

void CardScreen::save()
{
    // The box still being typed in is left first, as Tab would leave it, so its rules (an
    // amount pasted and not yet read) hold for what is stored; the focus then goes back.
    if (QWidget *typing = QApplication::focusWidget(); typing && isAncestorOf(typing)) {
        typing->clearFocus();
        typing->setFocus(Qt::OtherFocusReason);
    }
    if (!checkSave())
        return;
    ArchiveFile archive(archivePath(), m_buffer.layout().size());
    if (!archive.openOrCreate())
        return saveFailed();
    const qint64 n = position();
    storeToBuffer();
    const QByteArray stored = m_buffer.bytes();
    if (n > 0) {
        keepUntouchedFields();
        if (!overwrite(archive, n))
            return;
        // The card reached the disk before overwrite() returned; a failing close cannot take
        // it back, and calling the save failed would have the user type it in once more.
        archive.close();
        m_loaded = m_buffer.bytes();
        m_untouched = stored;
        m_position->setText(QString::number(n));
        Dialogs::information(this, CardText::saved());
    } else {
        const qint64 added = archive.appendRecord(m_buffer.bytes());
        if (added == 0)
            return saveFailed();
        // Already on the disk: a save reported failed here would be inserted twice.
        archive.close();
        m_loaded = m_buffer.bytes();
        m_untouched = stored;
        m_position->setText(QString::number(added));
        Dialogs::information(this, CardText::inserted());
    }
}

// Writes the stored card n unless someone else has written it since it was loaded; then the
// user chooses between overwriting that change and reloading the card. False when nothing
// more is to be done (the card was reloaded, or the archive failed and was reported).
bool CardScreen::overwrite(ArchiveFile &archive, qint64 n)
{
    if (m_loaded.size() != m_buffer.layout().size()) {
        // Nothing to compare with: written as it stands.
        if (archive.writeRecord(n, m_buffer.bytes()))
            return true;
        saveFailed();
        return false;
    }
    QByteArray expected = m_loaded;
    for (;;) {
        QByteArray found;
        switch (archive.overwriteIfUnchanged(n, m_buffer.bytes(), expected, found)) {
        case ArchiveFile::Overwrite::Written:
            return true;
        case ArchiveFile::Overwrite::Failed:
            saveFailed();
            return false;
        case ArchiveFile::Overwrite::Changed:
            break;
        }
        // No lock is held while the user thinks it over; an overwrite replaces only the
        // version that was there when asked, and a further change asks again. A hurried Enter
        // cancels: neither the other computer's change nor the edits on screen are lost.
        switch (Dialogs::choice(this, CardText::changedElsewhere(), CardText::changedElsewhereAnswers(), 2)) {
        case 0:
            expected = found;
            continue;
        case 1:
            archive.close();
            m_buffer.bytes() = found;
            m_loaded = found;
            loadFromBuffer();
            m_position->setText(QString::number(n));
            return false;
        default:
            archive.close();
            return false;
        }
    }
}

void CardScreen::showEnd(bool last)
{
    ArchiveFile archive(archivePath(), m_buffer.layout().size());
    if (!archive.openOrCreate())
        return accessFailed();
    const qint64 count = archive.recordCount();
    if (count < 0)
        return accessFailed();
    if (count == 0) {
        archive.close();
        return Dialogs::information(this, CardText::empty());
    }
    if (!readAt(archive, last ? count : 1) || !archive.close())
        return accessFailed();
}

void CardScreen::first()
{
    showEnd(false);
}

void CardScreen::last()
{
    showEnd(true);
}

void CardScreen::next()
{
    ArchiveFile archive(archivePath(), m_buffer.layout().size());
    if (!archive.openOrCreate())
        return accessFailed();
    const qint64 count = archive.recordCount();
    if (count < 0)
        return accessFailed();
    const qint64 p = position();
    if (count == 0) {
        m_position->clear();
        archive.close();
        return Dialogs::information(this, CardText::empty());
    }
    if (p >= count) {
        archive.close();
        return;
    }
    if (!readAt(archive, p + 1) || !archive.close())
        return accessFailed();
}

void CardScreen::previous()
{
    ArchiveFile archive(archivePath(), m_buffer.layout().size());
    if (!archive.openOrCreate())
        return accessFailed();
    if (m_position->text().trimmed() == QLatin1String("1")) {
        archive.close();
        return;
    }
    const qint64 count = archive.recordCount();
    if (count < 0)
        return accessFailed();
    if (count == 0) {
        archive.close();
        return Dialogs::information(this, CardText::empty());
    }
    const qint64 p = position();
    // A position past the end (the file was replaced meanwhile) shows the last card.
    const qint64 target = p <= 0 ? 1 : qMin(p - 1, count);
    if (!readAt(archive, target) || !archive.close())
        return accessFailed();
}

void CardScreen::duplicate()
{
    if (m_position->text().trimmed().isEmpty())
        return Dialogs::warning(this, CardText::duplicateWarning());
    for (QLabel *l : findChildren<QLabel *>())
        if (l->objectName().contains(QRegularExpression(QStringLiteral("^lbl(File|Desc)0[1-3]$"))))
            l->clear();
    m_position->clear();
    m_buffer.bytes().fill('\0');
    duplicateAlso();
    ArchiveFile archive(archivePath(), m_buffer.layout().size());
    if (!archive.openOrCreate() || !archive.close())
        return accessFailed();
    if (QWidget *f = duplicateFocus())
        f->setFocus(Qt::OtherFocusReason);
    Dialogs::information(this, CardText::duplicated());
}
