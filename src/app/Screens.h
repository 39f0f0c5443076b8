#pragma once

class TfrmAvvio;
class TfrmPassword;
class TfrmCambiaPassword;
class TfrmIstruttori;
class TfrmMenuRegistro;
class TfrmMenuReferti;
class TfrmMenuLavori;
class TfrmMenuPagamenti;
class WorkWindow;

// Every work window, created once at start and kept until the end.
struct Screens {
    TfrmPassword *password = nullptr;
    TfrmAvvio *avvio = nullptr;
    TfrmCambiaPassword *cambiaPassword = nullptr;
    TfrmIstruttori *istruttori = nullptr;
    TfrmMenuRegistro *menuRegistro = nullptr;
    TfrmMenuReferti *menuReferti = nullptr;
    TfrmMenuLavori *menuLavori = nullptr;
    TfrmMenuPagamenti *menuPagamenti = nullptr;
    WorkWindow *orari = nullptr;
    WorkWindow *turni = nullptr;
    WorkWindow *settimanale = nullptr;
    WorkWindow *referti = nullptr;
    WorkWindow *lavori = nullptr;
    WorkWindow *riepilogoPagamenti = nullptr;
    WorkWindow *statistiche = nullptr;

    // Creates the screens and wires the navigation between them.
    static Screens &create();
    static Screens &get();
    // Deletes them (tests start each case afresh).
    static void destroy();
};

// Settings every screen relies on: Italian locale, decimal comma, "dd/mm/yyyy".
void applyProgramFormats();
