#include "app/HelpTopics.h"

#include "app/PasswordFile.h"

namespace HelpTopics {

namespace {

QVector<Topic> build()
{
    const QString password = QString::fromLatin1(PasswordFile::InitialPassword);
    return {
        {generalTitle(),
         {QStringLiteral("Veltaro aiuta un'azienda o un'associazione a tenere in ordine i dati del proprio personale e "
                         "del lavoro svolto: l'anagrafica dei lavoratori, gli orari di lavoro, i turni giornalieri e "
                         "settimanali, i progetti, il registro delle prestazioni lavorative e i compensi che ne derivano."),
          QStringLiteral("Con la Registrazione lavori si annota, anno per anno, ogni prestazione di un lavoratore: il "
                         "giorno, l'ora di inizio e di fine, le ore lavorate, il compenso orario e il compenso giornaliero "
                         "dovuto, che il programma calcola da sé. Per un turno spezzato è sufficiente duplicare la scheda "
                         "con il pulsante Duplica e cambiare gli orari. Le prestazioni non completate si segnano come "
                         "lavoro incompleto e si ritrovano nel relativo riepilogo."),
          QStringLiteral("L'Anagrafica lavoratori raccoglie i dati personali, i recapiti, il documento d'identità, i dati "
                         "bancari e le date del contratto di ciascun lavoratore. Il codice fiscale, la partita IVA, l'IBAN "
                         "e il numero della carta di pagamento possono essere controllati con i pulsanti accanto alle "
                         "caselle, e un riepilogo elenca i contratti in scadenza o già scaduti."),
          QStringLiteral("L'Archivio progetti conserva, anno per anno, i progetti dell'azienda con le loro fasi, i costi, i "
                         "responsabili e l'avanzamento. Il Calendario turni permette di programmare turni giornalieri e "
                         "settimanali, importando gli orari già impostati nell'Impostazione orari e i nomi dei lavoratori "
                         "dall'anagrafica."),
          QStringLiteral("Il Riepilogo compensi somma quanto dovuto ai lavoratori in un intervallo di tempo, per un solo "
                         "lavoratore o per tutti, e le statistiche mostrano in un grafico i compensi di ogni mese "
                         "dell'anno. Ciascun archivio può essere esportato in un file di Microsoft Excel."),
          QStringLiteral("Tutti i dati si trovano nella cartella del programma. Il programma può essere usato da più "
                         "computer di una rete locale che condividono la stessa cartella, e può essere avviato da un "
                         "supporto rimovibile, come una chiavetta USB. Per fare una copia di sicurezza dei dati è "
                         "sufficiente copiare l'intera cartella del programma."),
          QStringLiteral("L'accesso al programma è protetto da una password, unica per tutti gli utenti. Al primo accesso "
                         "dopo l'installazione la password è %1: si consiglia di cambiarla subito con il pulsante Cambia "
                         "Password della finestra di accesso.")
              .arg(password)}},
        {QStringLiteral("Applicazione Anagrafica lavoratori."),
         {QStringLiteral("Questa schermata conserva una scheda per ogni lavoratore: dati anagrafici, residenza, recapiti "
                         "telefonici ed e-mail, titolo di studio e qualifiche, documento d'identità, dati bancari e della "
                         "carta di pagamento, date di decorrenza e di scadenza del contratto con i giorni di preavviso, "
                         "compenso pattuito e rate."),
          QStringLiteral("Nuovo prepara una scheda vuota; Salva inserisce la scheda in archivio o registra le modifiche di "
                         "una scheda già presente. Per salvare occorrono cognome, nome, le due date del contratto e i giorni "
                         "di preavviso. Le frecce mostrano la prima, la precedente, la successiva e l'ultima scheda; il "
                         "numero al centro è la posizione della scheda in archivio."),
          QStringLiteral("Trova cerca i lavoratori anche con una parte del dato: basta scrivere le prime lettere del "
                         "cognome o una parte del codice fiscale. Scadenze elenca i contratti in scadenza o già scaduti."),
          QStringLiteral("I pulsanti Controlla verificano codice fiscale, partita IVA, IBAN e carta di pagamento; il "
                         "pulsante accanto all'e-mail prepara un nuovo messaggio per il lavoratore."),
          QStringLiteral("Allegati collega alla scheda fino a tre file, per esempio il contratto firmato o la copia del "
                         "documento, ciascuno con una descrizione; dopo Applica e chiudi premere Salva. La scheda può "
                         "inoltre essere stampata, vista in anteprima ed esportata con l'intero archivio in Microsoft "
                         "Excel.")}},
        {QStringLiteral("Applicazione Impostazione orari."),
         {QStringLiteral("Qui si preparano gli orari di lavoro tipo: ogni scheda ha un nome, il periodo e la sede a cui si "
                         "riferisce, le disposizioni e fino a dodici fasce orarie, ciascuna con inizio, fine e attività."),
          QStringLiteral("Gli orari impostati qui si importano poi nei turni giornalieri e settimanali del Calendario "
                         "turni, senza doverli scrivere ogni volta."),
          QStringLiteral("Nuovo, Duplica e Salva funzionano come in ogni archivio del programma: Duplica copia la scheda "
                         "corrente in una nuova scheda, senza allegati, da modificare e salvare. Per salvare occorre il nome "
                         "dell'orario. Trova cerca gli orari anche con una parte del nome, della sede o di un'attività; le "
                         "frecce scorrono l'archivio."),
          QStringLiteral("Allegati collega fino a tre file alla scheda; Stampa stampa l'orario ed Esporta crea un file di "
                         "Microsoft Excel con tutto l'archivio.")}},
        {QStringLiteral("Applicazione Calendario turni."),
         {QStringLiteral("Il Calendario turni programma i turni di lavoro per anno, in due forme: la tabella giornaliera, "
                         "con dodici fasce orarie per un giorno e il lavoratore di ciascuna fascia, e la tabella "
                         "settimanale, con i lavoratori di ogni fascia per ciascun giorno dalla domenica al sabato."),
          QStringLiteral("Si sceglie l'anno nel menu e si preme Apri accanto al tipo di tabella. Le date si scelgono dal "
                         "calendario facendo clic sulla casella e premendo un tasto."),
          QStringLiteral("Il pulsante accanto al nome importa un orario tipo dall'Impostazione orari, che riempie fasce e "
                         "attività; nella tabella giornaliera i pulsanti accanto alle fasce importano il nome di un "
                         "lavoratore dall'anagrafica."),
          QStringLiteral("Nuovo, Duplica, Salva, Trova e le frecce funzionano come negli altri archivi; Trova accetta anche "
                         "parti del nome, della data o di un lavoratore. Allegati collega fino a tre file; le tabelle "
                         "possono essere viste in anteprima e stampate, e quelle giornaliere esportate in Microsoft "
                         "Excel.")}},
        {QStringLiteral("Applicazione Archivio progetti."),
         {QStringLiteral("L'Archivio progetti conserva, per ciascun anno, i progetti pianificati dall'azienda: "
                         "descrizione, obiettivi, gruppo di lavoro e responsabili, materiali, registro delle attività, "
                         "costi, date di inizio e di scadenza e stato di avanzamento."),
          QStringLiteral("Si sceglie l'anno nel menu e si preme Apri. Nuovo, Duplica e Salva funzionano come negli altri "
                         "archivi; Trova cerca i progetti anche con una parte del nome o del codice; le frecce scorrono "
                         "l'archivio. Il responsabile si importa dall'anagrafica dei lavoratori."),
          QStringLiteral("Un riepilogo elenca i progetti scaduti e non ancora ultimati. La scheda di un progetto può essere "
                         "salvata come documento RTF, l'archivio esportato in Microsoft Excel, e a ogni scheda possono "
                         "essere allegati fino a tre file.")}},
        {QStringLiteral("Applicazione Registrazione lavori."),
         {QStringLiteral("La Registrazione lavori annota le prestazioni dei lavoratori, una scheda per prestazione, in un "
                         "archivio per ciascun anno: il lavoratore, la data, la sede, l'attività, l'orario, il progetto a "
                         "cui appartiene e le note."),
          QStringLiteral("Il lavoratore si importa dall'anagrafica; la data si sceglie dal calendario o con il pulsante "
                         "Oggi. Scelti l'ora di inizio e di fine, Calcola riporta le ore lavorate e, indicato il compenso "
                         "orario, il totale dovuto. Per salvare occorrono data, cognome, nome, codice fiscale e attività."),
          QStringLiteral("Per un turno spezzato si salva la prima parte, si preme Duplica, si scelgono la nuova data e i "
                         "nuovi orari e si salva di nuovo. La casella Lavoro incompleto segnala le attività da finire, che "
                         "compaiono nel riepilogo dei lavori incompleti."),
          QStringLiteral("Trova cerca le prestazioni anche con parti del nome o del codice fiscale; le frecce scorrono "
                         "l'archivio. Allegati collega fino a tre file, per esempio la documentazione della giornata; la "
                         "scheda può essere stampata e l'archivio esportato in Microsoft Excel. Il pulsante Istruzioni "
                         "riassume i passi della registrazione.")}},
        {QStringLiteral("Riepilogo compensi e statistiche rimunerazioni mensili."),
         {QStringLiteral("Questo ambiente ricava dal registro lavori quanto spetta ai lavoratori."),
          QStringLiteral("Riepilogo compensi elenca le prestazioni di un intervallo di tempo, per un lavoratore o per "
                         "tutti, con il totale dovuto. Statistiche rimunerazioni mensili mostra in un grafico i compensi di "
                         "ogni mese di un anno."),
          QStringLiteral("Premere Apri accanto alla voce desiderata; Esci riporta al menu principale.")}},
        {QStringLiteral("Applicazione Riepilogo compensi."),
         {QStringLiteral("Il riepilogo elenca i compensi registrati nel registro lavori in un intervallo di date: per un "
                         "lavoratore, indicandone il codice fiscale, o per tutti, lasciandolo vuoto."),
          QStringLiteral("Ogni riga mostra l'attività, la data, il nome del lavoratore, il codice fiscale, il telefono "
                         "preferenziale e il compenso giornaliero; in fondo compare il totale dell'intervallo."),
          QStringLiteral("La casella Trova cerca un testo nell'elenco; Stampa riepilogo lo stampa.")}},
        {QStringLiteral("Grafici statistici rimunerazioni mensili."),
         {QStringLiteral("Le statistiche mostrano i compensi registrati in ciascun mese dell'anno scelto, arrotondati "
                         "all'euro, in un grafico a torta o a barre tridimensionali."),
          QStringLiteral("Indicare l'anno e premere Apri per vedere il grafico. I pulsanti in calce passano da un tipo di "
                         "grafico all'altro, e Stampa grafico stampa quello visualizzato.")}},
        {QStringLiteral("Esportazione archivio lavoratori in Microsoft Excel."),
         {QStringLiteral("Questa schermata mostra in una tabella tutte le schede dell'anagrafica lavoratori, nelle colonne "
                         "del file che verrà creato."),
          QStringLiteral("Esporta scrive il file Anagrafica_Lavoratori.xls nella cartella del programma e lo apre con "
                         "Microsoft Excel o con il foglio di calcolo installato sul computer.")}},
        {QStringLiteral("Esportazione archivio orari di lavoro in Microsoft Excel."),
         {QStringLiteral("Questa schermata mostra in una tabella tutti gli orari di lavoro impostati, nelle colonne del "
                         "file che verrà creato."),
          QStringLiteral("Esporta scrive il file Orari_Lavoro.xls nella cartella del programma e lo apre con il foglio di "
                         "calcolo installato sul computer.")}},
        {QStringLiteral("Esportazione archivio turni di lavoro in Microsoft Excel."),
         {QStringLiteral("Questa schermata mostra in una tabella tutte le tabelle dei turni giornalieri dell'anno, nelle "
                         "colonne del file che verrà creato."),
          QStringLiteral("Esporta scrive il file Turni_Lavoro.xls nella cartella del programma e lo apre con il foglio di "
                         "calcolo installato sul computer.")}},
        {QStringLiteral("Esportazione archivio progetti in Microsoft Excel."),
         {QStringLiteral("Questa schermata mostra in una tabella tutti i progetti dell'anno, nelle colonne del file che "
                         "verrà creato."),
          QStringLiteral("Esporta scrive il file Progetti.xls nella cartella del programma e lo apre con il foglio di "
                         "calcolo installato sul computer.")}},
        {QStringLiteral("Esportazione registro lavori in Microsoft Excel."),
         {QStringLiteral("Questa schermata mostra in una tabella tutte le prestazioni registrate nell'anno, nelle colonne "
                         "del file che verrà creato."),
          QStringLiteral("Esporta scrive il file Lavori.xls nella cartella del programma e lo apre con il foglio di calcolo "
                         "installato sul computer.")}},
        {QStringLiteral("Cartelle condivise, programma a riga di comando e schede non conteggiate."),
         {QStringLiteral("Quando più computer lavorano sulla stessa cartella di rete, ogni archivio viene aperto solo per "
                         "il tempo di un'operazione, così nessun archivio resta bloccato per gli altri. Conviene che ciascuno "
                         "lavori sulle proprie schede e che, prima di modificarne una, la riapra con le frecce per vederne "
                         "lo stato più recente."),
          QStringLiteral("Accanto al programma si trova veltaro-cli, un programma a riga di comando che legge gli stessi "
                         "archivi senza aprire finestre: verifica un archivio, controlla un codice fiscale, una partita "
                         "IVA, un IBAN o una carta, cerca schede, elenca i contratti in scadenza, calcola il riepilogo "
                         "compensi e le statistiche mensili. Scrivere veltaro-cli --help per l'elenco dei comandi."),
          QStringLiteral("Riepiloghi e statistiche sommano solo le schede con una data e un importo validi. Le schede che "
                         "non possono essere conteggiate, per esempio con una data scritta male, vengono segnalate con il "
                         "loro numero, così da poterle ritrovare e correggere: nessuna scheda viene modificata o "
                         "scartata dall'archivio."),
          QStringLiteral("Se un archivio termina con una scheda incompleta, per esempio dopo un'interruzione di "
                         "corrente durante il salvataggio, quella parte finale viene ignorata e il salvataggio successivo "
                         "la sostituisce; tutte le schede precedenti restano intatte.")}},
    };
}

}

QString Topic::text() const
{
    return paragraphs.join(QStringLiteral("\r\n\r\n"));
}

QString generalTitle()
{
    return QStringLiteral("Uno sguardo a Veltaro.");
}

const QVector<Topic> &all()
{
    static const QVector<Topic> topics = build();
    return topics;
}

Topic find(const QString &title)
{
    for (const Topic &t : all())
        if (t.title == title)
            return t;
    return {};
}

QString forScreen(const QString &screenName)
{
    static const struct {
        const char *screen, *title;
    } screens[] = {
        {"TfrmAvvio", "Uno sguardo a Veltaro."},
        {"TfrmIstruttori", "Applicazione Anagrafica lavoratori."},
        {"TfrmOrari", "Applicazione Impostazione orari."},
        {"TfrmMenuRegistro", "Applicazione Calendario turni."},
        {"TfrmTurni", "Applicazione Calendario turni."},
        {"TfrmSettimanale", "Applicazione Calendario turni."},
        {"TfrmMenuReferti", "Applicazione Archivio progetti."},
        {"TfrmReferti", "Applicazione Archivio progetti."},
        {"TfrmMenuLavori", "Applicazione Registrazione lavori."},
        {"TfrmLavori", "Applicazione Registrazione lavori."},
        {"TfrmMenuPagamenti", "Riepilogo compensi e statistiche rimunerazioni mensili."},
        {"TfrmMenuRiepilogoPagamenti", "Applicazione Riepilogo compensi."},
        {"TfrmRiepPagamenti", "Applicazione Riepilogo compensi."},
        {"TfrmStatistiche", "Grafici statistici rimunerazioni mensili."},
        {"TfrmExpIstruttori", "Esportazione archivio lavoratori in Microsoft Excel."},
        {"TfrmExpOrari", "Esportazione archivio orari di lavoro in Microsoft Excel."},
        {"TfrmExpTurni", "Esportazione archivio turni di lavoro in Microsoft Excel."},
        {"TfrmExpReferti", "Esportazione archivio progetti in Microsoft Excel."},
        {"TfrmExpLavori", "Esportazione registro lavori in Microsoft Excel."},
    };
    for (const auto &s : screens)
        if (screenName == QLatin1String(s.screen))
            return QString::fromUtf8(s.title);
    return QString();
}

}
