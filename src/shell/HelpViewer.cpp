#include "shell/HelpViewer.h"

#include "shell/LinkText.h"

#include "archive/FindScreen.h"
#include "framework/Documents.h"
#include "framework/WorkWindow.h"
#include "settings/ProgramFolder.h"
#include "shell/HelpTopics.h"

#include <QAbstractButton>
#include <QHBoxLayout>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

HelpViewer::HelpViewer(QWidget *parent)
    : QDialog(parent)
{
    DialogFrame::setup(this, QStringLiteral("TfrmGuida"), QStringLiteral(" Guida all'utilizzo del software"),
                       QSize(640, 520));
    auto *v = new QVBoxLayout(this);
    v->setContentsMargins(16, 12, 16, 12);
    m_title = Pictures::title(QStringLiteral("Argomento della guida."), this);
    m_title->setObjectName(QStringLiteral("lblTitolo"));
    QFont f = m_title->font();
    f.setPointSize(qMax(f.pointSize() - 6, 11));
    m_title->setFont(f);
    m_title->setWordWrap(true);
    v->addWidget(m_title);
    m_text = new QPlainTextEdit(this);
    m_text->setObjectName(QStringLiteral("txtGuida"));
    m_text->setReadOnly(true);
    m_text->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    v->addWidget(m_text, 1);

    auto *row = new QHBoxLayout;
    QToolButton *pdf = Pictures::command(this, QStringLiteral("imgPDF"), QString(), QStringLiteral("PDF"),
                                         QColor(0xb0, 0x3a, 0x2e), 28);
    pdf->setToolButtonStyle(Qt::ToolButtonIconOnly);
    auto *link = new LinkText(QStringLiteral("lnkWeb"), QStringLiteral("Visualizza guida in formato PDF"), this);
    link->attachPicture(pdf);
    link->setAction([this] { Documents::open(this, ProgramFolder::deliveredFile(QStringLiteral("Guida.pdf"))); });
    row->addWidget(pdf);
    row->addWidget(link);
    row->addStretch();
    row->addWidget(DialogFrame::closeButton(this));
    v->addLayout(row);
}

void HelpViewer::setTopic(const QString &title, const QString &text)
{
    m_title->setText(title);
    // Paragraphs come with Windows line ends; the viewer wants plain ones.
    m_text->setPlainText(QString(text).replace(QLatin1String("\r\n"), QLatin1String("\n")));
}

void HelpViewer::openTopic(QWidget *parent, const QString &title)
{
    auto *d = new HelpViewer(parent);
    d->setTopic(title, HelpTopics::find(title).text());
    DialogFrame::centre(d);
    d->findChild<QPushButton *>(QStringLiteral("btnChiudi"))->setFocus();
    d->exec();
    delete d;
}

void HelpViewer::wire(QWidget *root)
{
    const QString own = HelpTopics::forScreen(root->objectName());
    for (QAbstractButton *b : root->findChildren<QAbstractButton *>()) {
        if (b->property("helpWired").toBool())
            continue;
        QString topic = b->property("helpTopic").toString();
        const QString name = b->objectName();
        if (topic.isEmpty()
            && (name == QLatin1String("cmdGuida") || name == QLatin1String("btnGuida") || name == QLatin1String("imgGuida")))
            topic = own;
        if (topic.isEmpty())
            continue;
        b->setProperty("helpTopic", topic);
        b->setProperty("helpWired", true);
        Pictures::setAvailable(b, true);
        connect(b, &QAbstractButton::clicked, b, [b] { openTopic(b->window(), b->property("helpTopic").toString()); });
    }
}
