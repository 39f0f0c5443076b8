#include "shell/HelpViewer.h"
#include "framework/WorkWindow.h"
#include "shell/HelpTopics.h"
#include "shell/InfoDialogs.h"
#include "shell/LinkText.h"
#include "shell/MainMenu.h"
#include "shell/PaymentsMenu.h"
#include "shell/YearMenu.h"
#include "support/Modal.h"
#include "support/ScreenFixture.h"

#include <QDir>
#include <QPlainTextEdit>
#include <QUrlQuery>

class TestHelpViewer : public QObject
{
    Q_OBJECT

private slots:
    // Every title the screens ask for has its text, and the general tour says what users
    // must know before anything else.
    void topicsAreComplete()
    {
        const QStringList titles = {
            "Uno sguardo a Veltaro.", "Applicazione Anagrafica lavoratori.", "Applicazione Impostazione orari.",
            "Applicazione Calendario turni.", "Applicazione Archivio progetti.", "Applicazione Registrazione lavori.",
            "Riepilogo compensi e statistiche rimunerazioni mensili.", "Applicazione Riepilogo compensi.",
            "Grafici statistici rimunerazioni mensili.", "Esportazione archivio lavoratori in Microsoft Excel.",
            "Esportazione archivio orari di lavoro in Microsoft Excel.",
            "Esportazione archivio turni di lavoro in Microsoft Excel.", "Esportazione archivio progetti in Microsoft Excel.",
            "Esportazione registro lavori in Microsoft Excel."};
        for (const QString &title : titles) {
            const HelpTopics::Topic t = HelpTopics::find(title);
            QCOMPARE(t.title, title);
            QVERIFY2(t.paragraphs.size() >= 2, qPrintable(title));
            QVERIFY(t.text().contains("\r\n\r\n"));
        }
        const QString general = HelpTopics::find(HelpTopics::generalTitle()).text();
        for (const char *must : {"ACCESSO", "rete locale", "supporto rimovibile", "copiare l'intera cartella dei dati",
                                 "Duplica", "cartella Backup", "indicata in fondo al menu principale"})
            QVERIFY2(general.contains(must), must);
    }

    // What each topic must say for a user to follow it without going wrong.
    void topicsSayWhatTheProgramDoes_data()
    {
        QTest::addColumn<QString>("title");
        QTest::addColumn<QStringList>("must");
        QTest::addColumn<QStringList>("mustNot");
        QTest::newRow("shifts") << "Applicazione Calendario turni."
                                << QStringList{"dal lunedì alla domenica", "più caselle insieme"}
                                << QStringList{"dalla domenica al sabato"};
        // Duplica empties the work date: a split shift needs it written again.
        QTest::newRow("general") << "Uno sguardo a Veltaro."
                                 << QStringList{"Duplica: la copia ha la data del lavoro vuota", "dentro la cartella dei dati"}
                                 << QStringList{"e cambiare gli orari", "accanto ai dati"};
        QTest::newRow("projects") << "Applicazione Archivio progetti."
                                  << QStringList{"cinque sezioni", "Descrizione", "Partecipanti", "Materiali",
                                                 "Registro attività", "Costi", "Progetto terminato", "Duplica", "RTF"}
                                  << QStringList{};
        QTest::newRow("work log") << "Applicazione Registrazione lavori."
                                  << QStringList{"Importa da un archivio progetti", "la copia ha la data vuota"}
                                  << QStringList{};
        QTest::newRow("schedules") << "Applicazione Impostazione orari."
                                   << QStringList{"più caselle insieme", "si stampa l'elenco trovato"} << QStringList{};
        QTest::newRow("export") << "Esportazione registro lavori in Microsoft Excel."
                                << QStringList{"Lavori.xls", "cartella dei dati", "Rispondendo Sì", "Salva con nome"}
                                << QStringList{"cartella del programma"};
        QTest::newRow("backups") << "Copie di sicurezza e ripristino degli archivi."
                                 << QStringList{"Backup, la cartella che si trova nella cartella dei dati",
                                                "veltaro-cli ripristina", "ultime dieci", "avanzamento",
                                                "gli altri vengono copiati comunque", "cartella nascosta"}
                                 << QStringList{"accanto alla cartella dei dati"};
    }
    void topicsSayWhatTheProgramDoes()
    {
        QFETCH(QString, title);
        QFETCH(QStringList, must);
        QFETCH(QStringList, mustNot);
        const QString text = HelpTopics::find(title).text();
        QVERIFY2(!text.isEmpty(), qPrintable(title));
        for (const QString &m : must)
            QVERIFY2(text.contains(m), qPrintable(m));
        for (const QString &m : mustNot)
            QVERIFY2(!text.contains(m), qPrintable(m));
    }

    void everyHelpCommandOpensItsTopic_data()
    {
        QTest::addColumn<QString>("screen");
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("title");
        QTest::newRow("main menu") << "avvio" << "imgGuida" << "Uno sguardo a Veltaro.";
        QTest::newRow("workers") << "istruttori" << "cmdGuida" << "Applicazione Anagrafica lavoratori.";
        QTest::newRow("schedules") << "orari" << "btnGuida" << "Applicazione Impostazione orari.";
        QTest::newRow("shift menu") << "menu_registro" << "imgGuida" << "Applicazione Calendario turni.";
        QTest::newRow("daily shifts") << "registro" << "btnGuida" << "Applicazione Calendario turni.";
        QTest::newRow("weekly shifts") << "settimanale" << "btnGuida" << "Applicazione Calendario turni.";
        QTest::newRow("project menu") << "menu_referti" << "imgGuida" << "Applicazione Archivio progetti.";
        QTest::newRow("work menu") << "menu_lavori" << "imgGuida" << "Applicazione Registrazione lavori.";
        QTest::newRow("work log") << "lavori" << "cmdGuida" << "Applicazione Registrazione lavori.";
        QTest::newRow("pay menu") << "menu_pagamenti" << "imgGuida" << "Riepilogo compensi e statistiche rimunerazioni mensili.";
        QTest::newRow("statistics") << "statistiche" << "imgGuida" << "Grafici statistici rimunerazioni mensili.";
    }
    void everyHelpCommandOpensItsTopic()
    {
        QFETCH(QString, screen);
        QFETCH(QString, command);
        QFETCH(QString, title);
        ScreenFixture fx;
        WorkWindow *w = screen == "avvio" ? Navigation::mainMenu() : Navigation::screen(screen);
        QVERIFY(w);
        w->open();
        bool seen = false;
        Modal::on([&](QDialog *d) {
            seen = true;
            QCOMPARE(d->objectName(), QString("TfrmGuida"));
            QCOMPARE(d->windowTitle(), QString(" Guida all'utilizzo del software"));
            QCOMPARE(ScreenFixture::child<QLabel>(d, "lblTitolo")->text(), title);
            auto *text = ScreenFixture::child<QPlainTextEdit>(d, "txtGuida");
            QVERIFY(text->isReadOnly());
            QCOMPARE(text->toPlainText(), HelpTopics::find(title).paragraphs.join("\n\n"));
            ScreenFixture::click(d, "btnChiudi");
            QVERIFY(!d->isVisible());
        });
        auto *help = ScreenFixture::child(w, qPrintable(command));
        QVERIFY(help && help->isEnabled());
        ScreenFixture::click(w, qPrintable(command));
        QVERIFY(seen);
    }

    // The guide is handed to the desktop as a local file, blanks in the folder and all; a
    // missing guide is said.
    void pdfLink()
    {
        ScreenFixture fx;
        const QString folder = fx.dir.path() + "/Programmi con spazi";
        QVERIFY(QDir().mkpath(folder));
        ProgramFolder::set(folder);
        QFile pdf(ProgramFolder::file("Guida.pdf"));
        QVERIFY(pdf.open(QIODevice::WriteOnly));
        pdf.close();
        HelpViewer d;
        auto *link = ScreenFixture::child<LinkText>(&d, "lnkWeb");
        QCOMPARE(link->text(), QString("Visualizza guida in formato PDF"));
        QTest::mouseClick(link, Qt::LeftButton);
        QCOMPARE(Desktop::Test::opened(), QList<QUrl>{QUrl::fromLocalFile(folder + "/Guida.pdf")});
        QVERIFY(link->styleSheet().contains("darkblue"));
        QVERIFY(Dialogs::Test::shown().isEmpty());
        QVERIFY(pdf.remove());
        ScreenFixture::click(&d, "imgPDF");
        QCOMPARE(Desktop::Test::opened().size(), 1);
        QCOMPARE(Dialogs::Test::last().kind, Dialogs::Kind::Warning);
        QVERIFY(Dialogs::Test::last().text.contains("Guida.pdf"));
    }

    // A desktop with no program for the kind of file or address: said once, with where it is.
    void nothingToOpenWithIsSaid_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QStringList>("named");
        QTest::newRow("spreadsheet") << "\"/tmp/dati ufficio/Lavori.xls\"" << QStringList{"\"Lavori.xls\"", "\"/tmp/dati ufficio\""};
        QTest::newRow("e-mail") << "mailto:a.b@example.it?subject=x" << QStringList{"posta elettronica", "\"a.b@example.it\""};
        QTest::newRow("web") << "www.example.it" << QStringList{"\"http://www.example.it\""};
    }
    void nothingToOpenWithIsSaid()
    {
        QFETCH(QString, command);
        QFETCH(QStringList, named);
        ScreenFixture fx;
        Desktop::Test::setFailing(true);
        const bool opened = Desktop::Open(command);
        Desktop::Test::setFailing(false);
        QVERIFY(!opened);
        QCOMPARE(Dialogs::Test::shown().size(), 1);
        QCOMPARE(Dialogs::Test::last().kind, Dialogs::Kind::Warning);
        for (const QString &n : named)
            QVERIFY2(Dialogs::Test::last().text.contains(n), qPrintable(Dialogs::Test::last().text));
    }

    // Blanks, commas and accents reach the e-mail program as typed.
    void mailtoIsEncoded()
    {
        const QUrl url = Desktop::urlFor("\"mailto:a.b@example.it?subject=Perché sì&body=Salve, più info: grazie\"");
        QCOMPARE(url.scheme(), QString("mailto"));
        QCOMPARE(url.path(), QString("a.b@example.it"));
        const QString encoded = QString::fromLatin1(url.toEncoded());
        QVERIFY2(!encoded.contains(' ') && encoded.indexOf("?subject=") < encoded.indexOf("&body="), qPrintable(encoded));
        const QUrlQuery query(url);
        QCOMPARE(query.queryItemValue("subject", QUrl::FullyDecoded), QString("Perché sì"));
        QCOMPARE(query.queryItemValue("body", QUrl::FullyDecoded), QString("Salve, più info: grazie"));
    }

    // The main menu's pictures: information with the folder and the e-mail, credits and web site.
    void mainMenuPictures()
    {
        ScreenFixture fx;
        fx.screens->mainMenu->open();
        bool seen = false;
        Modal::on([&](QDialog *d) {
            seen = true;
            QCOMPARE(d->windowTitle(), QString(" Informazioni su Veltaro"));
            QVERIFY(ScreenFixture::child<QLabel>(d, "lblCartella")->text().contains(QDir::toNativeSeparators(fx.dir.path())));
            QTest::mouseClick(ScreenFixture::child(d, "lnkWeb"), Qt::LeftButton);
            const QUrl mail = Desktop::Test::opened().value(0);
            QCOMPARE(mail.scheme(), QString("mailto"));
            QCOMPARE(mail.path(), Vendor::email());
            const QUrlQuery query(mail);
            QCOMPARE(query.queryItemValue("subject", QUrl::FullyDecoded), QString("Software Veltaro"));
            QCOMPARE(query.queryItemValue("body", QUrl::FullyDecoded),
                     QString("Salve, desidererei avere le seguenti informazioni sul software in oggetto:"));
        });
        ScreenFixture::click(fx.screens->mainMenu, "imgInfo");
        QVERIFY(seen);

        seen = false;
        Modal::on([&](QDialog *d) {
            seen = true;
            QCOMPARE(d->objectName(), QString("TfrmSplash"));
            QVERIFY(d->windowTitle().startsWith("Veltaro"));
            ScreenFixture::click(d, "imgWeb");
            ScreenFixture::click(d, "btnChiudi");
        });
        ScreenFixture::click(fx.screens->mainMenu, "imgCopyright");
        QVERIFY(seen);
        ScreenFixture::click(fx.screens->mainMenu, "icoSito");
        const QUrl web = QUrl::fromUserInput(Vendor::webAddress());
        QCOMPARE(Desktop::Test::opened().mid(1), (QList<QUrl>{web, web}));
    }

    void workLogInstructions()
    {
        ScreenFixture fx;
        WorkWindow *lavori = Navigation::screen("lavori");
        lavori->open();
        bool seen = false;
        Modal::on([&](QDialog *d) {
            seen = true;
            QCOMPARE(d->windowTitle(), QString(" Istruzioni per l'uso"));
            QVERIFY(ScreenFixture::child<QLabel>(d, "imgCorpo")->text().contains("Duplica"));
        });
        ScreenFixture::click(lavori, "btnIstruzioni");
        QVERIFY(seen);
    }
};

QTEST_MAIN(TestHelpViewer)
#include "TestHelpViewer.moc"
