#pragma once
#include <QString>
#include <optional>

// The work card's own arithmetic and Save checks, over the texts of its boxes. The screen
// passes what the boxes hold and writes back what comes out; nothing here shows anything.
namespace WorkComputations {

// The four drop-down time boxes, as they stand.
struct Times {
    QString daOre, daMin, aOre, aMin;
};

QString startAfterEndWarning();

// "Calcola >>" beside the hours.
struct Hours {
    enum Outcome {
        Computed,        // totOre holds the new hours
        StartAfterEnd,   // show startAfterEndWarning(), focus txtDaOre; totOre unchanged
        InvalidTime,     // a box holds no time of day (a damaged card); totOre unchanged
    };
    Outcome outcome;
    QString totOre;      // the text txtTotOre is to show
};
Hours computeHours(const Times &times, const QString &totOre);

// "Calcola >>" beside the total due: hours, then hours x pay as typed, then both amounts
// normalised. Any text that does not convert resets the three boxes to zero, silently.
struct TotalDue {
    QString totOre;
    QString compensoOra;
    QString totDovuto;
    QString warning;     // a warning box to show on the way (time order), else empty
    QString focus;       // objectName of the box that ends up with the focus, empty: unchanged
    bool reset = false;  // the zeros were put in because something did not convert
};
TotalDue computeTotalDue(const Times &times, const QString &totOre, const QString &compensoOra);

// Leaving txtCompensoOra: the amount rule with two decimals ("0,00" for anything unreadable).
QString payOnLeave(const QString &compensoOra);

// Save checks in their order; the first failure is shown as a warning box and its box gets
// the focus, and nothing is written.
struct Card {
    QString data, cognome, nome, codFisc, attivita;
    Times times;
};
struct Refusal {
    QString warning;
    QString focus;
};
std::optional<Refusal> checkSave(const Card &card);

// A card whose date lies in another year than its archive (named by the year, "2024.lav")
// is stored all the same but never counts in that year's summaries: the quiet line the
// screen shows beside the date, or empty when the year agrees or cannot be told.
QString otherYearNote(const QString &data, const QString &archivePath);

}
