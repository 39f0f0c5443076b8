#include "shell/ModuleMenu.h"

#include "shell/MenuStyle.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace {
using MenuStyle::ExitRed;
using MenuStyle::Slate;
using MenuStyle::smallPicture;
using Pictures::title;
}

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
