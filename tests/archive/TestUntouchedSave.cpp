#include "shell/ScreenRegistry.h"
#include "archive/CardScreen.h"
#include "framework/Clock.h"
#include "projects/ProjectFind.h"
#include "projects/ProjectRecord.h"
#include "schedules/ScheduleRecord.h"
#include "shifts/DailyShiftRecord.h"
#include "shifts/WeeklyShiftRecord.h"
#include "support/ScreenFixture.h"
#include "workers/WorkerCardScreen.h"
#include "workers/WorkerRecord.h"
#include "worklog/WorkRecord.h"

#include <QLabel>
#include <QLineEdit>
#include <QRandomGenerator>

#include <functional>

// A card loaded and saved without an edit writes back exactly the bytes it was read from,
// whatever they hold: blanks around the text, line breaks of any kind, non-breaking spaces,
// bytes the code page lacks, length bytes past their field, a project field with no zero.
class TestUntouchedSave : public QObject
{
    Q_OBJECT

    struct Kind {
        const char *name;
        std::function<WorkWindow *(ScreenRegistry &)> screen;
        QString file;
        const RecordLayout &layout;
        QList<QPair<QString, QString>> valid;   // what the Save checks need
        QStringList recomputed;                  // fields Save always computes afresh
    };

    static QByteArray randomRecord(const RecordLayout &layout, QRandomGenerator &random)
    {
        static const QByteArray pool = QByteArray("abcXYZ 09,.'-\r\n\xa0\xe8\xe0\xf9\x80\x81\x8d\x9d\x93\x94\t", 25);
        QByteArray r(layout.size(), '\0');
        for (int i = 0; i < r.size(); ++i)
            r[i] = pool.at(random.bounded(int(pool.size())));
        for (const RecordLayout::Field &f : layout.fields()) {
            const int choice = random.bounded(6);
            if (f.kind == FieldKind::ZText) {
                // Mostly a text and its zero with leftovers after it; sometimes full to the last byte.
                if (choice > 0)
                    r[f.offset + random.bounded(f.width + 1)] = '\0';
            } else {
                // Mostly a length within the field; sometimes a damaged one past it.
                r[f.offset] = char(choice > 0 ? random.bounded(f.width + 1) : f.width + 1 + random.bounded(255 - f.width));
            }
        }
        return r;
    }

    static void put(Record &record, const QString &field, const QString &text) { record.set(field, text); }

private slots:
    void savedUntouchedKeepsEveryByte()
    {
        const QList<Kind> kinds = {
            {"workers", [](ScreenRegistry &s) -> WorkWindow * { return s.workers; }, "Dipendenti.pro",
             WorkerRecord::layout(),
             {{"Cognome", "Rossi"}, {"Nome", "Anna"}, {"Decorrenza", "01/01/2017"}, {"Scadenza", "31/12/2017"}, {"Preavviso", "30"}},
             {}},
            {"schedules", [](ScreenRegistry &s) { return s.schedules; }, "Orari.pro", ScheduleRecord::layout(), {{"Nome", "Mattina"}}, {}},
            {"daily shifts", [](ScreenRegistry &s) { return s.dailyShifts; }, "2017.ore", DailyShiftRecord::layout(),
             {{"Nome", "Estate"}, {"Data", "15/06/2017"}}, {}},
            {"weekly shifts", [](ScreenRegistry &s) { return s.weeklyShifts; }, "2017.set", WeeklyShiftRecord::layout(),
             {{"Nome", "Estate"}, {"DataInizio", "12/06/2017"}, {"DataFine", "18/06/2017"}}, {}},
            {"projects", [](ScreenRegistry &s) { return s.projects; }, "2017.prg", ProjectRecord::layout(),
             {{"Nome", "Sito"}, {"Codice", "P-1"}, {"DataInizio", "01/01/2017"}, {"DataScade", "30/06/2017"},
              {"CostoPrev", "100,00"}, {"Responsabile", "Rossi"}},
             {}},
            {"work log", [](ScreenRegistry &s) { return s.workLog; }, "2017.lav", WorkRecord::layout(),
             {{"Data", "15/06/2017"}, {"Cognome", "Rossi"}, {"Nome", "Anna"}, {"CodFisc", "RSSNNA80A41H501X"},
              {"Attivita", "Pulizie"}, {"DaOre", "08"}, {"DaMin", "00"}, {"AOre", "10"}, {"AMin", "30"}, {"OraInizio", "08:00"}, {"OraFine", "10:30"}, {"CompensoOra", "10,00"},
              {"TotOre", "2,50"}, {"TotDovuto", "25,00"}},
             {"TotOre", "TotDovuto"}},
        };
        QRandomGenerator random(20171215);
        for (const Kind &k : kinds) {
            for (int trial = 0; trial < 25; ++trial) {
                ScreenFixture fx;
                Record card(k.layout);
                card.bytes() = randomRecord(k.layout, random);
                for (const auto &[field, text] : k.valid)
                    put(card, field, text);
                QFile file(fx.path(k.file));
                QVERIFY(file.open(QIODevice::WriteOnly));
                file.write(card.bytes());
                file.close();

                auto *screen = qobject_cast<CardScreen *>(k.screen(*fx.screens));
                QVERIFY2(screen, k.name);
                if (auto *label = screen->findChild<QLabel *>(QStringLiteral("lblFile")))
                    label->setText(fx.path(k.file));
                screen->show();
                screen->first();
                Dialogs::Test::clear();
                screen->save();
                QVERIFY2(Dialogs::Test::last().text == CardText::saved(),
                         qPrintable(QStringLiteral("%1, trial %2: %3").arg(k.name).arg(trial).arg(Dialogs::Test::last().text)));
                QByteArray after = fx.fileBytes(k.file);
                QByteArray before = card.bytes();
                for (const QString &name : k.recomputed) {
                    const RecordLayout::Field &f = k.layout.field(k.layout.indexOf(name));
                    after.replace(f.offset, f.width + 1, QByteArray(f.width + 1, '\0'));
                    before.replace(f.offset, f.width + 1, QByteArray(f.width + 1, '\0'));
                }
                for (const RecordLayout::Field &f : k.layout.fields())
                    QVERIFY2(after.mid(f.offset, f.width + 1) == before.mid(f.offset, f.width + 1),
                             qPrintable(QStringLiteral("%1, trial %2, field %3: %4 / %5").arg(k.name).arg(trial).arg(f.name,
                                 QString::fromLatin1(before.mid(f.offset, f.width + 1).toHex()), QString::fromLatin1(after.mid(f.offset, f.width + 1).toHex()))));
                QCOMPARE(after.size(), before.size());
                screen->hide();
            }
        }
    }

    // A project field filled to its last byte by another program (no zero) is read whole:
    // on screen, by the finds, by the expired-projects rule.
    void fullProjectFieldIsReadWhole()
    {
        ScreenFixture fx;
        Record card(ProjectRecord::layout());
        const RecordLayout &layout = ProjectRecord::layout();
        const auto fill = [&](const char *name, const QByteArray &text) {
            const RecordLayout::Field &f = layout.field(layout.indexOf(QLatin1String(name)));
            QCOMPARE(text.size(), f.width + 1);
            card.bytes().replace(f.offset, f.width + 1, text);
        };
        fill("Codice", QByteArray(30, 'C') + 'Z');
        fill("Terminato", " No");
        card.set(QStringLiteral("Nome"), QStringLiteral("Sito"));
        card.set(QStringLiteral("DataScade"), QStringLiteral("01/01/2017"));
        QCOMPARE(card.get(QStringLiteral("Codice")), QString(30, 'C') + 'Z');
        QCOMPARE(card.get(QStringLiteral("Terminato")), QStringLiteral(" No"));

        QFile file(fx.path("2017.prg"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(card.bytes());
        file.close();
        // The find matches the last character; the expired rule reads " No" whole.
        const Find::Listing found = Find::search(fx.path("2017.prg"), layout, {{layout.indexOf("Codice"), "cz"}},
                                                 ProjectFind::line());
        QVERIFY(found.ok);
        QCOMPARE(found.lines.size(), 1);
        QCOMPARE(ProjectFind::expired(fx.path("2017.prg"), Clock::today()).listing.lines.size(), 1);

        auto *screen = qobject_cast<CardScreen *>(fx.screens->projects);
        screen->findChild<QLabel *>(QStringLiteral("lblFile"))->setText(fx.path("2017.prg"));
        screen->show();
        screen->first();
        QCOMPARE(screen->findChild<QLineEdit *>(QStringLiteral("txtCodice"))->text(), QString(30, 'C') + 'Z');
    }
};

QTEST_MAIN(TestUntouchedSave)
#include "TestUntouchedSave.moc"
