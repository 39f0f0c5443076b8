#include "app/Screens.h"

#include "app/Menus.h"
#include "app/Password.h"
#include "checks/CheckScreens.h"
#include "framework/Keyboard.h"
#include "compensation/MenuRiepilogoPagamenti.h"
#include "compensation/Statistiche.h"
#include "projects/Referti.h"
#include "projects/TrovaProgetti.h"
#include "schedules/Orari.h"
#include "schedules/TrovaOrari.h"
#include "shifts/Settimanale.h"
#include "shifts/TrovaTurni.h"
#include "workers/Istruttori.h"
#include "workers/TrovaIstruttori.h"
#include "worklog/Lavori.h"
#include "worklog/TrovaLavori.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace {
Screens *screens = nullptr;
}

void applyProgramFormats()
{
    QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
    Keyboard::install();
    // Qt's own dialogs (print, page set-up, input boxes, file choice) speak Italian too.
    static QTranslator *qtTexts = nullptr;
    if (!qtTexts && qApp) {
        qtTexts = new QTranslator(qApp);
        if (qtTexts->load(QLocale(QLocale::Italian, QLocale::Italy), QStringLiteral("qtbase"), QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
            QCoreApplication::installTranslator(qtTexts);
    }
}

Screens &Screens::create()
{
    destroy();
    applyProgramFormats();
    screens = new Screens;
    Screens &s = *screens;
    s.password = new TfrmPassword;
    s.avvio = new TfrmAvvio;
    s.cambiaPassword = new TfrmCambiaPassword;
    s.istruttori = new TfrmIstruttori;
    s.menuRegistro = new TfrmMenuRegistro;
    s.orari = new TfrmOrari;
    s.settimanale = new TfrmSettimanale;
    s.turni = new TfrmTurni;
    s.menuReferti = new TfrmMenuReferti;
    s.referti = new TfrmReferti;
    s.menuLavori = new TfrmMenuLavori;
    s.lavori = new TfrmLavori;
    s.menuPagamenti = new TfrmMenuPagamenti;
    s.riepilogoPagamenti = new TfrmMenuRiepilogoPagamenti;
    s.statistiche = new TfrmStatistiche;

    Navigation::setMainMenu(s.avvio);
    Navigation::registerScreen(QStringLiteral("istruttori"), s.istruttori);
    Navigation::registerScreen(QStringLiteral("orari"), s.orari);
    Navigation::registerScreen(QStringLiteral("menu_registro"), s.menuRegistro);
    Navigation::registerScreen(QStringLiteral("menu_referti"), s.menuReferti);
    Navigation::registerScreen(QStringLiteral("menu_lavori"), s.menuLavori);
    Navigation::registerScreen(QStringLiteral("menu_pagamenti"), s.menuPagamenti);
    Navigation::registerScreen(QStringLiteral("registro"), s.turni);
    Navigation::registerScreen(QStringLiteral("settimanale"), s.settimanale);
    Navigation::registerScreen(QStringLiteral("referti"), s.referti);
    Navigation::registerScreen(QStringLiteral("lavori"), s.lavori);
    Navigation::registerScreen(QStringLiteral("riepiloghi"), s.riepilogoPagamenti);
    Navigation::registerScreen(QStringLiteral("statistiche"), s.statistiche);
    CheckScreens::install();
    QObject::connect(s.password, &TfrmPassword::admitted, s.avvio, &WorkWindow::open);
    QObject::connect(s.password, &TfrmPassword::changeRequested, s.cambiaPassword, &QWidget::show);
    QObject::connect(s.cambiaPassword, &TfrmCambiaPassword::closed, s.password, &TfrmPassword::ask);
    QObject::connect(s.password, &TfrmPassword::quitRequested, qApp, &QCoreApplication::quit, Qt::QueuedConnection);
    installWorkerFind();
    installScheduleFind();
    installShiftFind();
    installProjectFind();
    installWorkFind();
    QObject::connect(s.avvio, &TfrmAvvio::quitRequested, qApp, &QCoreApplication::quit, Qt::QueuedConnection);
    return s;
}

Screens &Screens::get()
{
    return *screens;
}

void Screens::destroy()
{
    if (!screens)
        return;
    Screens &s = *screens;
    for (QWidget *w : std::initializer_list<QWidget *>{
             s.password, s.cambiaPassword, s.avvio, s.istruttori, s.menuRegistro, s.menuReferti, s.menuLavori, s.menuPagamenti, s.orari,
             s.turni, s.settimanale, s.referti, s.lavori, s.riepilogoPagamenti, s.statistiche})
        delete w;
    Navigation::setCurrent(nullptr);
    delete screens;
    screens = nullptr;
}
