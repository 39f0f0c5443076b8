#include "archive/AttachFolderDialog.h"

#include "archive/FindScreen.h"
#include "framework/BoxBehaviour.h"
#include "framework/Documents.h"
#include "framework/Routines.h"
#include "framework/WorkWindow.h"

#include <QApplication>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

struct Owner {
    const char *tag;
    const char *screen;
};
// Which card screen each tag writes back to.
constexpr Owner Owners[] = {
    {"istruttori", "TfrmIstruttori"}, {"orari", "TfrmOrari"},   {"turni", "TfrmTurni"},
    {"settimanale", "TfrmSettimanale"}, {"referti", "TfrmReferti"}, {"lavori", "TfrmLavori"},
};

QString slotName(const char *kind, int slot)
{
    return QStringLiteral("%1%2").arg(QLatin1String(kind)).arg(slot, 2, 10, QLatin1Char('0'));
}

const char *const Ordinal[] = {"", "1°", "2°", "3°"};

// The screen a tag names: the caller when it is that screen, else the one alive by that name.
QWidget *ownerOf(const QString &tag, QWidget *caller)
{
    QString name;
    for (const Owner &o : Owners)
        if (tag == QLatin1String(o.tag))
            name = QLatin1String(o.screen);
    if (name.isEmpty())
        return nullptr;
    if (caller && caller->window()->objectName() == name)
        return caller->window();
    for (QWidget *w : QApplication::topLevelWidgets())
        if (w->objectName() == name)
            return w;
    return nullptr;
}

}

AttachFolderDialog::AttachFolderDialog(QWidget *parent)
    : QDialog(parent)
{
    DialogFrame::setup(this, QStringLiteral("TfrmAllegaCartella"), QStringLiteral(" Allega file"), QSize(634, 534));
    auto *v = new QVBoxLayout(this);
    v->setContentsMargins(16, 12, 16, 12);
    v->setSpacing(6);
    for (const char *line : {"Selezionare i file da allegare alla scheda corrente servendosi del pulsante Sfoglia.",
                             "Quindi fare clic su Applica e chiudi e poi sul pulsante Salva per salvare le modifiche.",
                             "Per aprire un file è sufficiente premere il pulsante Apri."})
        v->addWidget(new QLabel(QString::fromUtf8(line), this));

    QList<QWidget *> chain;
    for (int slot = 1; slot <= 3; ++slot) {
        auto *box = new QGroupBox(this);
        auto *grid = new QGridLayout(box);
        grid->setContentsMargins(10, 6, 10, 8);
        grid->setVerticalSpacing(3);
        const QString ordinal = QString::fromUtf8(Ordinal[slot]);
        grid->addWidget(new QLabel(QStringLiteral("Percorso %1 file allegato:").arg(ordinal), box), 0, 0, 1, 4);
        auto *file = new QLineEdit(box);
        file->setObjectName(slotName("txtFile", slot));
        file->setReadOnly(true);
        // Only "Sfoglia..." fills it: the keyboard passes it by.
        file->setFocusPolicy(Qt::ClickFocus);
        grid->addWidget(file, 1, 0);
        QToolButton *clear = Pictures::command(box, slotName("imgCancella", slot), QString(), QStringLiteral("X"),
                                               QColor(0xb0, 0x3a, 0x2e), 18);
        clear->setToolButtonStyle(Qt::ToolButtonIconOnly);
        clear->setToolTip(QStringLiteral("Elimina il percorso del file allegato."));
        clear->setAccessibleName(QStringLiteral("Elimina il %1 file allegato").arg(ordinal));
        grid->addWidget(clear, 1, 1);
        auto *browse = new QPushButton(QStringLiteral("Sfoglia..."), box);
        browse->setObjectName(slotName("btnSfoglia", slot));
        grid->addWidget(browse, 1, 2);
        auto *open = new QPushButton(QStringLiteral("Apri"), box);
        open->setObjectName(slotName("btnApri", slot));
        open->setEnabled(false);
        grid->addWidget(open, 1, 3);
        auto *descCaption = new QLabel(QStringLiteral("Descrizione %1 file allegato:").arg(ordinal), box);
        grid->addWidget(descCaption, 2, 0, 1, 4);
        auto *desc = new QLineEdit(box);
        descCaption->setBuddy(desc);
        desc->setObjectName(slotName("txtDesc", slot));
        grid->addWidget(desc, 3, 0, 1, 4);
        grid->setColumnStretch(0, 1);
        v->addWidget(box);
        Box::setup(desc);
        chain << browse << desc;

        connect(file, &QLineEdit::textChanged, open,
                [open](const QString &text) { open->setEnabled(!text.trimmed().isEmpty()); });
        connect(clear, &QToolButton::clicked, file, &QLineEdit::clear);
        connect(browse, &QPushButton::clicked, this, [this, slot] { this->browse(slot); });
        connect(open, &QPushButton::clicked, this, [this, slot] { openFile(slot); });
    }
    v->addStretch();
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    auto *apply = new QPushButton(QStringLiteral("Applica e chiudi"), this);
    apply->setObjectName(QStringLiteral("btnApplica"));
    auto *cancel = new QPushButton(QStringLiteral("Annulla"), this);
    cancel->setObjectName(QStringLiteral("btnAnnulla"));
    buttons->addWidget(apply);
    buttons->addWidget(cancel);
    v->addLayout(buttons);
    connect(apply, &QPushButton::clicked, this, &AttachFolderDialog::apply);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    // Enter in a description goes on to the next slot's "Sfoglia...", the last to "Applica e chiudi".
    for (int i = 1; i < chain.size(); i += 2)
        Box::enterTo(chain.at(i), i + 1 < chain.size() ? chain.at(i + 1) : apply);

    m_memory = new QLabel(this);
    m_memory->setObjectName(QStringLiteral("lblMemory"));
    m_memory->hide();
}

QLineEdit *AttachFolderDialog::path(int slot) const
{
    return findChild<QLineEdit *>(slotName("txtFile", slot));
}

QLineEdit *AttachFolderDialog::description(int slot) const
{
    return findChild<QLineEdit *>(slotName("txtDesc", slot));
}

QString AttachFolderDialog::tagFor(const QString &screenName)
{
    for (const Owner &o : Owners)
        if (screenName == QLatin1String(o.screen))
            return QLatin1String(o.tag);
    return QString();
}

void AttachFolderDialog::open(QWidget *screen, const QString &tag)
{
    auto *d = new AttachFolderDialog(screen);
    d->m_memory->setText(tag);
    for (int slot = 1; slot <= 3; ++slot) {
        if (auto *l = screen->findChild<QLabel *>(slotName("lblFile", slot)))
            d->path(slot)->setText(Routines::trimmed(l->text()));
        if (auto *l = screen->findChild<QLabel *>(slotName("lblDesc", slot)))
            d->description(slot)->setText(Routines::trimmed(l->text()));
        d->path(slot)->setCursorPosition(0);
        d->description(slot)->setCursorPosition(0);
    }
    DialogFrame::centre(d);
    d->findChild<QPushButton *>(slotName("btnSfoglia", 1))->setFocus();
    d->exec();
    delete d;
}

void AttachFolderDialog::browse(int slot)
{
    QString picked = path(slot)->text();
    if (Documents::chooseFile(this, QStringLiteral("Selezionare il file da allegare:"), picked)) {
        path(slot)->setText(picked);
        path(slot)->setCursorPosition(0);
    }
}

void AttachFolderDialog::openFile(int slot)
{
    Documents::open(this, path(slot)->text());
}

void AttachFolderDialog::apply()
{
    QWidget *screen = ownerOf(m_memory->text().trimmed(), parentWidget());
    if (!screen)
        return;
    for (int slot = 1; slot <= 3; ++slot) {
        if (auto *l = screen->findChild<QLabel *>(slotName("lblFile", slot)))
            l->setText(Routines::trimmed(path(slot)->text()));
        if (auto *l = screen->findChild<QLabel *>(slotName("lblDesc", slot)))
            l->setText(Routines::trimmed(description(slot)->text()));
    }
    accept();
}
