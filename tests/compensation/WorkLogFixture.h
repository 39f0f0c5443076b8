#pragma once
#include "worklog/WorkRecord.h"

#include <QFile>
#include <QList>
#include <QString>

// Work cards written straight into a year log, as the work screen stores them.
struct WorkCard {
    QString data;
    QString totDovuto = "10,00";
    QString attivita = "Manutenzione";
    QString codFisc = "RSSMRA80A01H501U";
    QString cognome = "Rossi";
    QString nome = "Mario";
    QString recapito = "333 1234567";
};

inline bool writeLog(const QString &path, const QList<WorkCard> &cards)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly))
        return false;
    Record r(WorkRecord::layout());
    for (const WorkCard &c : cards) {
        r.set("Data", c.data);
        r.set("TotDovuto", c.totDovuto);
        r.set("Attivita", c.attivita);
        r.set("CodFisc", c.codFisc);
        r.set("Cognome", c.cognome);
        r.set("Nome", c.nome);
        r.set("Recapito", c.recapito);
        f.write(r.bytes());
    }
    return f.error() == QFile::NoError;
}
