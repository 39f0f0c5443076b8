#include "shell/PaymentsMenu.h"

#include "shell/MenuStyle.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QShowEvent>
#include <QToolButton>

namespace {
using MenuStyle::focusInSight;
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
