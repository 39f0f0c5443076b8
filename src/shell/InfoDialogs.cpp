#include "shell/InfoDialogs.h"

#include "archive/FindScreen.h"
#include "framework/Desktop.h"
#include "framework/WorkWindow.h"
#include "settings/Backup.h"
#include "settings/ProgramFolder.h"
#include "shell/LinkText.h"

#include <QDir>
#include <functional>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace Vendor {
QString name() { return QStringLiteral("Veltaro Software"); }
QString webAddress() { return QStringLiteral("https://www.veltaro.it"); }
QString email() { return QStringLiteral("assistenza@veltaro.it"); }
QString mailCommand()
{
    return QStringLiteral("mailto:") + email() + QStringLiteral("?subject=") + QStringLiteral("Software Veltaro")
        + QStringLiteral("&body=")
        + QStringLiteral("Salve, desidererei avere le seguenti informazioni sul software in oggetto:");
}
}

namespace {
const QColor Slate(0x46, 0x5a, 0x6e);

// The product's name as its logo: the picture and the name beside it.
QWidget *logo(QWidget *parent)
{
    auto *w = new QWidget(parent);
    auto *row = new QHBoxLayout(w);
    row->setContentsMargins(0, 0, 0, 0);
    auto *pic = new QLabel(w);
    pic->setObjectName(QStringLiteral("imgLogo"));
    pic->setPixmap(Pictures::tile(QStringLiteral("V"), QColor(0x2f, 0x6f, 0xb5)).pixmap(56, 56));
    row->addWidget(pic);
    auto *name = Pictures::title(QStringLiteral("Veltaro"), w);
    row->addWidget(name);
    row->addStretch();
    return w;
}

// A link text with its picture before it, on one line, the close button at the end.
QHBoxLayout *linkRow(QDialog *d, const char *picture, const QString &glyph, const QString &text,
                     std::function<void()> action)
{
    auto *row = new QHBoxLayout;
    QToolButton *pic = Pictures::command(d, QLatin1String(picture), QString(), glyph, Slate, 24);
    pic->setToolButtonStyle(Qt::ToolButtonIconOnly);
    auto *link = new LinkText(QStringLiteral("lnkWeb"), text, d);
    link->setAction(std::move(action));
    link->attachPicture(pic);
    row->addWidget(pic);
    row->addWidget(link);
    row->addStretch();
    row->addWidget(DialogFrame::closeButton(d));
    return row;
}

void showModal(QDialog *d, bool onOwner)
{
    if (onOwner && d->parentWidget()) {
        QRect r(QPoint(), d->frameGeometry().size());
        r.moveCenter(d->parentWidget()->window()->frameGeometry().center());
        d->move(r.topLeft());
    } else {
        DialogFrame::centre(d);
    }
    d->findChild<QPushButton *>(QStringLiteral("btnChiudi"))->setFocus();
    d->exec();
    delete d;
}
}

AboutDialog::AboutDialog(QWidget *parent)
    : QDialog(parent)
{
    DialogFrame::setup(this, QStringLiteral("TfrmInfo"), QStringLiteral(" Informazioni su Veltaro"), QSize(520, 340));
    auto *v = new QVBoxLayout(this);
    v->setContentsMargins(20, 16, 20, 14);
    v->addWidget(logo(this));
    auto *row = new QHBoxLayout;
    auto *pic = new QLabel(this);
    pic->setObjectName(QStringLiteral("imgInformazioni"));
    pic->setPixmap(Pictures::tile(QStringLiteral("i"), Slate).pixmap(40, 40));
    pic->setAlignment(Qt::AlignTop);
    row->addWidget(pic);
    auto *text = new QLabel(
        QStringLiteral("Gestione del personale e delle attività lavorative: anagrafica dei lavoratori, orari, turni, "
                       "progetti, registro dei lavori e riepiloghi dei compensi.\n\n"
                       "Per informazioni o assistenza scrivere a %1.")
            .arg(Vendor::email()),
        this);
    text->setWordWrap(true);
    row->addWidget(text, 1);
    v->addLayout(row);
    v->addSpacing(10);
    // Where the archives and their backups are, and why there.
    auto *folder = new QLabel(Backup::folderFacts().join(QLatin1Char('\n')), this);
    folder->setObjectName(QStringLiteral("lblCartella"));
    folder->setTextFormat(Qt::PlainText);
    folder->setWordWrap(true);
    folder->setTextInteractionFlags(Qt::TextSelectableByMouse);
    v->addWidget(folder);
    v->addStretch();
    v->addLayout(linkRow(this, "imgEmail", QStringLiteral("@"), Vendor::email(),
                         [] { Desktop::Open(QLatin1Char('"') + Vendor::mailCommand() + QLatin1Char('"')); }));
}

void AboutDialog::open(QWidget *parent)
{
    showModal(new AboutDialog(parent), false);
}

SplashDialog::SplashDialog(QWidget *parent)
    : QDialog(parent)
{
    DialogFrame::setup(this, QStringLiteral("TfrmSplash"), QStringLiteral("Veltaro - ") + Vendor::name(), QSize(480, 260));
    auto *v = new QVBoxLayout(this);
    v->setContentsMargins(20, 16, 20, 14);
    v->addWidget(logo(this));
    auto *credits = new QLabel(QStringLiteral("Realizzato da %1.\n\nRealizzato con Qt, distribuito sotto licenza LGPL.")
                                   .arg(Vendor::name()),
                               this);
    credits->setWordWrap(true);
    v->addWidget(credits);
    v->addStretch();
    v->addLayout(linkRow(this, "imgWeb", QStringLiteral("W"), Vendor::webAddress(), [] { Desktop::Open(Vendor::webAddress()); }));
}

void SplashDialog::open(QWidget *parent)
{
    showModal(new SplashDialog(parent), true);
}
