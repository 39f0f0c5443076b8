#include "shell/HelpTopics.h"

#include "settings/PasswordFile.h"

namespace HelpTopics {

namespace {

QVector<Topic> build()
{
    const QString password = QString::fromLatin1(PasswordFile::InitialPassword);
    const auto exportTopic = [](const char *title, const char *what, const char *file) {
        return Topic{QString::fromUtf8(title),
                     {QStringLiteral("Questa schermata mostra in una tabella %1, una riga per scheda, nelle stesse colonne "
                                     "del file che verrà creato. La tabella serve solo da controllo: non si può modificare.")
                          .arg(QString::fromUtf8(what)),
                      QStringLiteral("Il pulsante Esporta scrive il file %1 nella cartella dei dati, quella indicata in "
                                     "fondo al menu principale; un file esportato in precedenza con lo stesso nome viene "
                                     "sostituito. Prima di scriverlo il programma chiede conferma.")
                          .arg(QString::fromUtf8(file)),
                      QStringLiteral("A file scritto il programma chiede se aprirlo. Rispondendo Sì il file si apre con "
                                     "Microsoft Excel o con il foglio di calcolo installato sul computer: da lì conviene "
                                     "salvarlo subito con \"Salva con nome\", con il nome e nella cartella che si preferisce, "
                                     "perché la prossima esportazione dello stesso archivio lo sostituirà. Rispondendo No il "
                                     "file resta nella cartella dei dati e si può aprire in seguito."),
                      QStringLiteral("Se sul computer nessun programma è impostato per aprire i file di Excel, il programma "
                                     "lo dice e indica dove si trova il file, così da poterlo aprire a mano.")}};
    };
    return {
        {generalTitle(),
         {QStringLiteral("Veltaro aiuta un'azienda o un'associazione a tenere in ordine i dati del proprio personale e "
                         "del lavoro svolto: l'anagrafica dei lavoratori, gli orari di lavoro tipo, i turni giornalieri e "
                         "settimanali, i progetti, il registro delle prestazioni lavorative e i compensi che ne derivano. "
                         "Dal menu principale si apre ciascun ambiente; chiudendo un ambiente si torna al menu."),
          QStringLiteral("Con la Registrazione lavori si annota, anno per anno, ogni prestazione di un lavoratore: il "
                         "giorno, l'ora di inizio e di fine, le ore lavorate, il compenso orario e il compenso giornaliero "
                         "dovuto, che il programma calcola da sé. Per un turno spezzato si salva la scheda della prima "
                         "parte e si preme Duplica: la copia ha la data del lavoro vuota, quindi si scrivono di nuovo la "
                         "data e i nuovi orari prima di salvare. Le prestazioni non completate si segnano come "
                         "lavoro incompleto e si ritrovano nel relativo riepilogo."),
          QStringLiteral("L'Anagrafica lavoratori raccoglie i dati personali, i recapiti, il documento d'identità, i dati "
                         "bancari e le date del contratto di ciascun lavoratore. Il codice fiscale, la partita IVA, l'IBAN "
                         "e il numero della carta di pagamento possono essere controllati con i pulsanti accanto alle "
                         "caselle, e un riepilogo elenca i contratti in scadenza o già scaduti; il menu principale dice "
                         "quanti sono."),
          QStringLiteral("L'Archivio progetti conserva, anno per anno, i progetti con le loro fasi, i partecipanti, i "
                         "costi, i responsabili e l'avanzamento. Il Calendario turni programma turni giornalieri e "
                         "settimanali, importando gli orari tipo preparati nell'Impostazione orari e i nomi dei "
                         "lavoratori dall'anagrafica."),
          QStringLiteral("Il Riepilogo compensi somma quanto dovuto ai lavoratori in un intervallo di tempo, per un solo "
                         "lavoratore o per tutti, e le statistiche mostrano in un grafico i compensi di ogni mese "
                         "dell'anno. Ogni archivio può essere esportato in un file di Microsoft Excel, e le schede possono "
                         "essere stampate o viste in anteprima."),
          QStringLiteral("Tutti i dati si trovano nella cartella dei dati, indicata in fondo al menu principale: è la "
                         "cartella del programma quando il programma è avviato da un supporto rimovibile, come una "
                         "chiavetta USB, o da una cartella condivisa in rete, la cartella personale dell'utente quando il programma è installato sul "
                         "computer, oppure la cartella indicata all'avvio con --cartella. Più computer di una rete locale "
                         "possono lavorare sulla stessa cartella condivisa."),
          QStringLiteral("A ogni avvio in cui un archivio è cambiato il programma copia da sé tutti gli archivi nella "
                         "cartella Backup, dentro la cartella dei dati, anch'essa indicata nel menu principale, e conserva le ultime "
                         "dieci copie. Per una copia di sicurezza in più, per esempio su un disco esterno, basta copiare "
                         "l'intera cartella dei dati a programma chiuso."),
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
                         "numero al centro è la posizione della scheda in archivio. Gli importi si scrivono con la virgola "
                         "per i decimali; il punto delle migliaia si può omettere."),
          QStringLiteral("Trova cerca i lavoratori anche con una parte del dato: basta scrivere le prime lettere del "
                         "cognome o una parte del codice fiscale, e si possono riempire più caselle insieme. L'elenco "
                         "trovato si può stampare; un doppio clic o Invio su una riga carica la scheda. Scadenze elenca i "
                         "contratti in scadenza, entro i giorni di preavviso, o già scaduti."),
          QStringLiteral("I pulsanti Controlla verificano codice fiscale, partita IVA, IBAN e carta di pagamento; il "
                         "pulsante accanto all'e-mail prepara un nuovo messaggio per il lavoratore."),
          QStringLiteral("Allegati collega alla scheda fino a tre file, per esempio il contratto firmato o la copia del "
                         "documento, ciascuno con una descrizione; dopo Applica e chiudi premere Salva. La scheda può "
                         "inoltre essere stampata, vista in anteprima ed esportata con l'intero archivio in Microsoft "
                         "Excel."),
          QStringLiteral("Se un altro computer ha modificato la stessa scheda dopo che la si è aperta, Salva lo segnala e "
                         "lascia scegliere: salvare la propria scheda al posto dell'altra, ricaricare quella dell'archivio "
                         "oppure annullare, senza perdere nulla di ciò che è sullo schermo.")}},
        {QStringLiteral("Applicazione Impostazione orari."),
         {QStringLiteral("Qui si preparano gli orari di lavoro tipo: ogni scheda ha un nome, il periodo e la sede a cui si "
                         "riferisce, le disposizioni organizzative, le annotazioni e fino a dodici fasce orarie, ciascuna "
                         "con ora di inizio, ora di fine e attività da svolgere."),
          QStringLiteral("Gli orari impostati qui si importano poi nelle tabelle dei turni giornalieri e settimanali del "
                         "Calendario turni, senza doverli scrivere ogni volta."),
          QStringLiteral("Nuovo, Duplica e Salva funzionano come in ogni archivio del programma: Duplica copia la scheda "
                         "corrente in una nuova scheda, senza allegati, da modificare e salvare; è il modo più rapido per "
                         "preparare un orario simile a uno esistente. Per salvare occorre il nome dell'orario."),
          QStringLiteral("Trova apre la ricerca con dieci caselle: nome, periodo, sede, disposizioni, annotazioni e le "
                         "attività. Basta una parte del testo e si possono riempire più caselle insieme: sono elencati "
                         "gli orari che le soddisfano tutte. Con Stampa si stampa l'elenco trovato; un doppio clic o Invio "
                         "su una riga carica l'orario. Le frecce scorrono l'archivio."),
          QStringLiteral("Allegati collega fino a tre file alla scheda; Stampa stampa l'orario corrente ed Esporta crea un "
                         "file di Microsoft Excel con tutto l'archivio.")}},
        {QStringLiteral("Applicazione Calendario turni."),
         {QStringLiteral("Il Calendario turni programma i turni di lavoro per anno, in due forme: la tabella giornaliera, "
                         "con dodici fasce orarie per un giorno, l'attività e i lavoratori di ciascuna fascia, e la tabella "
                         "settimanale, con i lavoratori di ogni fascia per ciascun giorno della settimana, dal lunedì alla "
                         "domenica."),
          QStringLiteral("Nel menu si scrive l'anno e si preme Apri accanto al tipo di tabella. Le date si scelgono dal "
                         "calendario, che si apre premendo un tasto nella casella della data; Canc cancella la data."),
          QStringLiteral("Il pulsante accanto al nome importa un orario tipo dall'Impostazione orari, che riempie nome, "
                         "sede, disposizioni e fasce; nella tabella giornaliera il pulsante + di ogni fascia aggiunge il "
                         "nome di un lavoratore scelto dall'anagrafica."),
          QStringLiteral("Nuovo, Duplica, Salva, Trova e le frecce funzionano come negli altri archivi: Duplica è comodo per "
                         "preparare la tabella del giorno o della settimana successiva. Trova accetta anche parti del "
                         "nome, della data, della sede o di un lavoratore, e si possono riempire più caselle insieme: "
                         "sono elencate le tabelle che le soddisfano tutte. L'elenco trovato si può stampare. Allegati collega fino a "
                         "tre file; le tabelle possono essere viste in anteprima e stampate, e quelle giornaliere "
                         "esportate in Microsoft Excel.")}},
        {QStringLiteral("Applicazione Archivio progetti."),
         {QStringLiteral("L'Archivio progetti conserva, per ciascun anno, i progetti pianificati: nome, codice "
                         "identificativo, ambito, descrizione, date di inizio e di scadenza, costo preventivato, stato di "
                         "avanzamento e responsabile con il suo telefono. Nel menu si scrive l'anno e si preme Apri."),
          QStringLiteral("La scheda ha cinque sezioni, scelte con i pulsanti in alto: Descrizione (obiettivi, questioni in "
                         "sospeso, fasi previste e la casella Progetto terminato), Partecipanti (membri del gruppo e "
                         "compiti), Materiali (materiali, strumenti e tecniche di lavoro), Registro attività (attività "
                         "svolte e da svolgere) e Costi (elenco dei costi, importi versati e totale)."),
          QStringLiteral("Per salvare occorrono nome, codice, le due date, il costo preventivato e il responsabile, che si "
                         "può importare dall'anagrafica dei lavoratori con il pulsante accanto. Segnando Progetto terminato "
                         "il progetto non compare più tra gli scaduti. Per un progetto simile a uno esistente si usa "
                         "Duplica: la scheda copiata si modifica e si salva come nuova."),
          QStringLiteral("Trova cerca i progetti anche con una parte del nome, del codice o del responsabile, e l'elenco "
                         "si può stampare; Scaduti elenca i progetti non terminati con la data di scadenza già passata. Le "
                         "frecce scorrono l'archivio."),
          QStringLiteral("Stampa scrive la scheda riepilogativa del progetto come documento RTF, Scheda_Progetto.rtf nella "
                         "cartella dei dati, e propone di aprirla con il programma di videoscrittura. Esporta crea un file "
                         "di Microsoft Excel con tutti i progetti dell'anno, e a ogni scheda possono essere allegati fino a "
                         "tre file.")}},
        {QStringLiteral("Applicazione Registrazione lavori."),
         {QStringLiteral("La Registrazione lavori annota le prestazioni dei lavoratori, una scheda per prestazione, in un "
                         "archivio per ciascun anno: il lavoratore, la data, la sede, l'attività, l'orario, le ore e il "
                         "compenso, il progetto a cui appartiene e le note. Nel menu si scrive l'anno e si preme Apri."),
          QStringLiteral("Il lavoratore si importa dall'anagrafica con \"Importa dall'anagrafica lavoratori...\"; il "
                         "progetto si importa con \"Importa da un archivio progetti...\", scegliendo l'anno dei progetti e "
                         "poi il progetto: nome, codice e ambito vengono copiati nella scheda. La data si sceglie dal "
                         "calendario o con il pulsante Oggi."),
          QStringLiteral("Scelti l'ora di inizio e di fine, Calcola riporta le ore lavorate e, indicato il compenso "
                         "orario, il totale dovuto. Per salvare occorrono data, cognome, nome, codice fiscale e attività."),
          QStringLiteral("Per un turno spezzato si salva la prima parte e si preme Duplica: la copia ha la data vuota, "
                         "quindi si sceglie di nuovo la data, si indicano i nuovi orari e si salva. La casella Lavoro incompleto segnala le attività da finire, che "
                         "compaiono nel riepilogo dei lavori incompleti."),
          QStringLiteral("Trova cerca le prestazioni anche con parti del nome o del codice fiscale, e l'elenco si può "
                         "stampare; le frecce scorrono l'archivio. Allegati collega fino a tre file, per esempio la "
                         "documentazione della giornata; la scheda può essere stampata e l'archivio esportato in Microsoft "
                         "Excel. Il pulsante Istruzioni riassume i passi della registrazione.")}},
        {QStringLiteral("Riepilogo compensi e statistiche rimunerazioni mensili."),
         {QStringLiteral("Questo ambiente ricava dal registro lavori quanto spetta ai lavoratori."),
          QStringLiteral("Riepilogo compensi elenca le prestazioni di un intervallo di tempo, per un lavoratore o per "
                         "tutti, con il totale dovuto. Statistiche rimunerazioni mensili mostra in un grafico i compensi di "
                         "ogni mese di un anno."),
          QStringLiteral("Premere Apri accanto alla voce desiderata; Esci riporta al menu principale.")}},
        {QStringLiteral("Applicazione Riepilogo compensi."),
         {QStringLiteral("Il riepilogo elenca i compensi registrati nel registro lavori in un intervallo di date: per un "
                         "lavoratore, indicandone il codice fiscale (anche solo in parte), o per tutti, lasciandolo vuoto. "
                         "Si indicano l'anno, la data di inizio e quella di fine dell'intervallo e si preme Visualizza "
                         "riepilogo."),
          QStringLiteral("Ogni riga mostra l'attività, la data, il nome del lavoratore, il codice fiscale, il telefono "
                         "preferenziale e il compenso giornaliero; in fondo compare il totale dell'intervallo. Le schede "
                         "che non si possono sommare, per esempio con un importo scritto male, sono segnalate con il loro "
                         "numero."),
          QStringLiteral("La casella Trova cerca un testo nell'elenco; Stampa riepilogo lo stampa con l'intervallo e il "
                         "totale.")}},
        {QStringLiteral("Grafici statistici rimunerazioni mensili."),
         {QStringLiteral("Le statistiche mostrano i compensi registrati in ciascun mese dell'anno scelto, arrotondati "
                         "all'euro, in un grafico a torta o a barre tridimensionali."),
          QStringLiteral("Indicare l'anno e premere Apri per vedere il grafico. I pulsanti in calce passano da un tipo di "
                         "grafico all'altro, e Stampa grafico stampa quello visualizzato, nel numero di copie richiesto; la "
                         "pagina stampata riporta l'anno.")}},
        exportTopic("Esportazione archivio lavoratori in Microsoft Excel.", "tutte le schede dell'anagrafica lavoratori",
                    "Anagrafica_Lavoratori.xls"),
        exportTopic("Esportazione archivio orari di lavoro in Microsoft Excel.", "tutti gli orari di lavoro impostati",
                    "Orari_Lavoro.xls"),
        exportTopic("Esportazione archivio turni di lavoro in Microsoft Excel.",
                    "tutte le tabelle dei turni giornalieri dell'anno", "Turni_Lavoro.xls"),
        exportTopic("Esportazione archivio progetti in Microsoft Excel.", "tutti i progetti dell'anno", "Progetti.xls"),
        exportTopic("Esportazione registro lavori in Microsoft Excel.", "tutte le prestazioni registrate nell'anno",
                    "Lavori.xls"),
        {QStringLiteral("Cerca in tutti gli archivi."),
         {QStringLiteral("La casella Cerca in tutti gli archivi, nel menu principale, trova un nome, un codice fiscale, un "
                         "IBAN o qualunque altro testo in tutte le schede di tutti gli archivi della cartella dei dati: "
                         "anagrafica dei lavoratori, orari, turni giornalieri e settimanali, progetti e registro dei lavori "
                         "di ogni anno. Vi si arriva anche con Ctrl+F; si scrive il testo (almeno due caratteri) e si preme "
                         "Invio."),
          QStringLiteral("Il testo si cerca come nelle schermate di ricerca: così come è scritto, anche in mezzo a una "
                         "parola, senza distinguere le maiuscole dalle minuscole. L'elenco mostra una riga per scheda: "
                         "l'archivio, il numero della scheda, la casella in cui il testo compare e la riga della scheda come "
                         "la mostra la sua ricerca, prima gli archivi nell'ordine del menu e gli anni più recenti."),
          QStringLiteral("Con le frecce si sceglie una riga e con Invio (o un doppio clic) la scheda si apre nella sua "
                         "schermata, pronta da leggere o da modificare. Una scheda danneggiata non viene esaminata: la "
                         "finestra lo dice, con l'archivio e il numero della scheda.")}},
        {QStringLiteral("Rendiconto del progetto."),
         {QStringLiteral("Nella sezione Costi della scheda di un progetto il pulsante Rendiconto mostra quanto il progetto "
                         "è costato finora: le prestazioni del registro dei lavori che portano il codice identificativo del "
                         "progetto, dall'anno dell'archivio fino all'anno della data di scadenza."),
          QStringLiteral("In alto si leggono il totale delle prestazioni, delle ore e dei compensi dovuti, la parte del "
                         "costo preventivato già impegnata (in euro e in percentuale), quella ancora disponibile e il "
                         "totale degli importi versati indicato nella scheda. Sotto, una riga per lavoratore e una per mese "
                         "con prestazioni, ore e dovuto; un lavoratore è uno per codice fiscale, con il nome della "
                         "sua scheda più recente."),
          QStringLiteral("Le caselle Dal e al limitano il rendiconto a un periodo (vuote: tutte le date). Il grafico "
                         "mostra mese per mese il costo accumulato a confronto con il costo preventivato; la stampa lo "
                         "riporta in una pagina a sé."),
          QStringLiteral("Il codice si confronta senza badare alle maiuscole e agli spazi ai lati, quindi conviene "
                         "importare il progetto nelle schede dei lavori con il pulsante Importa da un archivio progetti. "
                         "Le prestazioni con una data, le ore o il dovuto non validi, e le schede danneggiate, non sono "
                         "conteggiate: la finestra dice quali, con il registro e il numero della scheda. Il rendiconto si stampa, si vede in anteprima e si esporta in un file di Excel "
                         "(Rendiconto_ seguito dal codice del progetto, nella cartella dei dati).")}},
        {QStringLiteral("Copie di sicurezza e ripristino degli archivi."),
         {QStringLiteral("A ogni avvio, se dall'ultima volta un archivio è cambiato, il programma copia tutti gli archivi "
                         "in una nuova cartella dentro Backup, la cartella che si trova nella cartella dei dati, con la "
                         "data e l'ora della copia nel nome (per esempio Backup/2024-03-15_083000). Ogni copia viene "
                         "riletta e confrontata con l'originale; sono conservate le ultime dieci. Il menu principale indica "
                         "dove si trovano e quando è stata fatta l'ultima, e mentre una copia è in corso ne mostra "
                         "l'avanzamento; intanto si può lavorare normalmente."),
          QStringLiteral("Se un archivio non si può leggere, gli altri vengono copiati comunque e il programma dice quale "
                         "manca; l'ultima copia che lo contiene non viene eliminata. Una copia interrotta, per esempio da "
                         "una mancanza di corrente, lascia in Backup una cartella nascosta con una parte degli archivi: il "
                         "programma la toglie all'avvio successivo, oppure dopo un giorno se l'ha lasciata un altro "
                         "computer che usa la stessa cartella."),
          QStringLiteral("Per rimettere al loro posto gli archivi di una copia si usa il programma a riga di comando: "
                         "veltaro-cli ripristina elenca le copie disponibili, e veltaro-cli ripristina seguito dal nome di "
                         "una copia la rimette al posto degli archivi attuali, dopo averli messi da parte in una copia a "
                         "sé. Prima di ripristinare occorre chiudere il programma su tutti i computer che usano la "
                         "cartella."),
          QStringLiteral("Le copie automatiche restano sullo stesso disco dei dati: contro un guasto del disco o lo "
                         "smarrimento della chiavetta conviene copiare di tanto in tanto l'intera cartella dei dati, a "
                         "programma chiuso, su un altro supporto.")}},
        {QStringLiteral("Cartelle condivise, programma a riga di comando e schede non conteggiate."),
         {QStringLiteral("Quando più computer lavorano sulla stessa cartella di rete, ogni archivio viene aperto solo per "
                         "il tempo di un'operazione, così nessun archivio resta bloccato per gli altri. Se due persone "
                         "modificano la stessa scheda, chi salva per secondo viene avvisato e sceglie se salvare la propria "
                         "versione, ricaricare quella dell'archivio o annullare."),
          QStringLiteral("Accanto al programma si trova veltaro-cli, un programma a riga di comando che legge gli stessi "
                         "archivi senza aprire finestre: verifica un archivio, controlla un codice fiscale, una partita "
                         "IVA, un IBAN o una carta, cerca schede, elenca i contratti in scadenza e i progetti scaduti, "
                         "calcola il riepilogo compensi e le statistiche mensili, esporta un archivio, stampa una scheda in "
                         "PDF e ripristina le copie di sicurezza. Scrivere veltaro-cli --help per l'elenco dei comandi."),
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
        {"TfrmCercaOvunque", "Cerca in tutti gli archivi."},
        {"TfrmRendiconto", "Rendiconto del progetto."},
    };
    for (const auto &s : screens)
        if (screenName == QLatin1String(s.screen))
            return QString::fromUtf8(s.title);
    return QString();
}

}
