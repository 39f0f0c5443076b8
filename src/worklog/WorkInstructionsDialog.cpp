#include "worklog/WorkInstructionsDialog.h"

#include "archive/FindScreen.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

WorkInstructionsDialog::WorkInstructionsDialog(QWidget *parent)
    : QDialog(parent)
{
    DialogFrame::setup(this, QStringLiteral("TfrmIstruzioni"), QStringLiteral(" Istruzioni per l'uso"), QSize(600, 400));
    auto *v = new QVBoxLayout(this);
    v->setContentsMargins(16, 12, 16, 12);
    const char *steps[] = {
        "Premere <b>Nuovo</b> per preparare una scheda vuota: la data è già quella di oggi.",
        "Premere <b>Importa dall'anagrafica lavoratori...</b> e scegliere il lavoratore: cognome, nome, codice fiscale "
        "e recapiti si riempiono da soli.",
        "Per un'altra data fare clic sulla casella della data e premere un tasto: si apre il calendario.",
        "Indicare la sede operativa e l'attività svolta.",
        "Scegliere l'ora di inizio e di fine e premere <b>Calcola</b> accanto al totale ore.",
        "Scrivere il compenso orario e premere <b>Calcola</b> accanto al totale dovuto.",
        "Se la prestazione fa parte di un progetto, importarne i dati; aggiungere postazione, materiali e note, e "
        "spuntare <b>Lavoro incompleto</b> se l'attività non è finita.",
        "Premere <b>Salva</b>. Per un turno spezzato premere poi <b>Duplica</b>, cambiare data e orari e salvare di nuovo.",
    };
    QString html = QStringLiteral("<h3 style='color:#2f4f6f'>Come registrare una prestazione lavorativa</h3><ol>");
    for (const char *s : steps)
        html += QStringLiteral("<li style='margin-bottom:6px'>%1</li>").arg(QString::fromUtf8(s));
    html += QStringLiteral("</ol>");
    auto *body = new QLabel(html, this);
    body->setObjectName(QStringLiteral("imgCorpo"));
    body->setTextFormat(Qt::RichText);
    body->setWordWrap(true);
    body->setAlignment(Qt::AlignTop | Qt::AlignLeft);
    body->setStyleSheet(QStringLiteral("QLabel { background: white; border: 1px solid #9aa4ae; padding: 10px; }"));
    v->addWidget(body, 1);
    auto *row = new QHBoxLayout;
    row->addStretch();
    row->addWidget(DialogFrame::closeButton(this));
    v->addLayout(row);
}

void WorkInstructionsDialog::open(QWidget *parent)
{
    WorkInstructionsDialog dialog(parent);
    DialogFrame::centre(&dialog);
    dialog.findChild<QPushButton *>(QStringLiteral("btnChiudi"))->setFocus();
    dialog.exec();
}
