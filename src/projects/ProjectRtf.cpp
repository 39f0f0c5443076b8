#include "projects/ProjectRtf.h"

#include "archive/RecordLayout.h"
#include "archive/TextCodec.h"
#include "framework/FileReplacement.h"
#include "framework/Routines.h"

namespace ProjectRtf {

QString fileName()
{
    return QStringLiteral("Scheda_Progetto.rtf");
}

const QVector<Entry> &entries()
{
    static const QVector<Entry> list = {
        {"\\par \\pard\\f0\\fs20 Nome progetto:\\b0\\f1  \\f0 ", "Nome"},
        {"\\par \\b Codice identificativo:\\b0\\f1  \\f0 ", "Codice"},
        {"\\par \\b Ambito:\\b0\\f1  \\f0 ", "Ambito"},
        {"\\par \\b Descrizione sintetica:\\b0\\f1  \\f0 ", "Descrizione"},
        {"\\par \\b Data inizio:\\b0\\f1  \\f0 ", "DataInizio"},
        {"\\par \\b Data scadenza:\\b0\\f1  \\f0 ", "DataScade"},
        {"\\par \\b Costo preventivato:\\b0\\f1  \\f0 ", "CostoPrev"},
        {"\\par \\b Stato avanzamento:\\b0\\f1  \\f0 ", "Stato"},
        {"\\par \\b Responsabile:\\b0\\f1  \\f0 ", "Responsabile"},
        {"\\par \\b Telefono preferenziale:\\b0\\f1  \\f0 ", "Recapito"},
        {"\\par \\b Obiettivi finali:\\b0\\f1  \\f0 ", "Obiettivi"},
        {"\\par \\b Questioni in sospeso:\\b0\\f1  \\f0 ", "Questioni"},
        {"\\par \\b Fasi previste:\\b0\\f1  \\f0 ", "Fasi"},
        {"\\par \\b Membri del team e compiti assegnati:\\b0\\f1  \\f0 ", "Membri"},
        {"\\par \\b Totale partecipanti:\\b0\\f1  \\f0 ", "TotMembri"},
        {"\\par \\b Materiali e strumenti:\\b0\\f1  \\f0 ", "Materiali"},
        {"\\par \\b Tecniche di lavoro:\\b0\\f1  \\f0 ", "Tecniche"},
        {"\\par \\b Compiti espletati:\\b0\\f1  \\f0 ", "Espletate"},
        {"\\par \\b Compiti da svolgere:\\b0\\f1  \\f0 ", "Svolgere"},
        {"\\par \\b Elenco costi preventivati:\\b0\\f1  \\f0 ", "Costi"},
        {"\\par \\b Pagamenti effettuati:\\b0\\f1  \\f0 ", "Effettuati"},
        {"\\par \\b Pagamenti da effettuare:\\b0\\f1  \\f0 ", "Effettuare"},
        {"\\par \\b Totale importi versati alla data attuale:\\b0\\f1  \\f0 ", "TotCosti"},
        {"\\par \\b Annotazioni:\\b0\\f1  \\f0 ", "Annotazioni"},
    };
    return list;
}

namespace {

void appendText(QByteArray &out, const QString &text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        switch (c.unicode()) {
        case '\\': out += "\\\\"; continue;
        case '{': out += "\\{"; continue;
        case '}': out += "\\}"; continue;
        case '\r':
            if (i + 1 < text.size() && text.at(i + 1) == QLatin1Char('\n'))
                ++i;
            out += "\\line ";
            continue;
        case '\n': out += "\\line "; continue;
        default: break;
        }
        if (c.unicode() < 128) {
            out += char(c.unicode());
            continue;
        }
        const QByteArray coded = Cp1252::encode(QString(c));
        if (coded.size() == 1 && coded != "?") {
            out += coded;
            continue;
        }
        // Signed 16 bits, as readers expect; the '?' stands in for readers without Unicode.
        out += "\\u" + QByteArray::number(qint16(c.unicode())) + '?';
    }
}

}

QByteArray document(const std::function<QString(const QString &)> &value)
{
    QByteArray out;
    out += "{\\rtf1\\ansi\\ansicpg1252\\deff0\\deflang1040{\\fonttbl{\\f0\\fnil\\fcharset0 Verdana;}{\\f1\\fnil Verdana;}}";
    out += "{\\colortbl ;\\red0\\green0\\blue0;}";
    out += "\\viewkind4\\uc1\\pard\\qc\\cf1\\b\\f0\\fs24 SCHEDA RIEPILOGATIVA PROGETTO\\f1\\fs16";
    out += "\\par \\fs24 " + QByteArray(48, '_') + "\\par";
    for (const Entry &e : entries()) {
        out += e.prefix;
        appendText(out, Routines::trimmed(value(QLatin1String(e.field))));
        if (qstrcmp(e.field, "Annotazioni") == 0)
            out += "\\b";
        out += "\\par";
    }
    out += "\\par }";
    return out;
}

QByteArray document(const Record &record)
{
    return document([&](const QString &field) { return record.get(field); });
}

bool write(const QString &path, const QByteArray &bytes, QString *error)
{
    FileReplacement file(path);
    if (file.open() && file.write(bytes) && file.commit())
        return true;
    if (error)
        *error = file.errorString();
    return false;
}

QString confirmQuestion()
{
    return QStringLiteral("Questa procedura esporterà la scheda del progetto corrente in un documento in formato RTF.\r\n\r\n"
                          "Si conferma la creazione del file?");
}

QString doneQuestion()
{
    return QStringLiteral("Il file RTF è stato creato con successo.\r\n\r\nSi vuole aprire il documento?");
}

QString failedNotice()
{
    return QStringLiteral("Attenzione: il sistema non permette di esportare i dati.\n\r\n\r"
                          "Accertarsi che il documento non sia già aperto.");
}

}
