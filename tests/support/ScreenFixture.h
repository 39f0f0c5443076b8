#pragma once
#include "framework/Clock.h"
#include "framework/Desktop.h"
#include "framework/Dialogs.h"
#include "settings/ProgramFolder.h"
#include "shell/ScreenRegistry.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QWidget>
#include <QtTest>

// A fresh program folder, fixed "today", recorded dialogs and every screen created anew.
struct ScreenFixture {
    QTemporaryDir dir;
    ScreenRegistry *screens = nullptr;

    explicit ScreenFixture(const QDate &today = QDate(2017, 6, 15))
    {
        static const QtMessageHandler previous = qInstallMessageHandler(
            [](QtMsgType type, const QMessageLogContext &context, const QString &message) {
                // The offscreen platform's complaints say nothing about the program.
                if (!message.startsWith(QLatin1String("This plugin does not support")))
                    previous(type, context, message);
            });
        Clock::setToday(today);
        ProgramFolder::set(dir.path());
        Dialogs::Test::setEnabled(true);
        Dialogs::Test::clear();
        Desktop::Test::setEnabled(true);
        Desktop::Test::opened().clear();
        screens = &ScreenRegistry::create();
    }
    ~ScreenFixture() { ScreenRegistry::destroy(); }

    QString path(const QString &name) const { return ProgramFolder::file(name); }
    QByteArray fileBytes(const QString &name) const
    {
        QFile f(path(name));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    template <class T = QWidget>
    static T *child(QWidget *screen, const char *name)
    {
        T *w = screen->findChild<T *>(QLatin1String(name));
        if (!w)
            qWarning("no control %s on %s", name, qPrintable(screen->objectName()));
        return w;
    }
    static void click(QWidget *screen, const char *name)
    {
        QWidget *w = child(screen, name);
        QVERIFY(w);
        QTest::mouseClick(w, Qt::LeftButton);
    }
    // Enter in each box of the chain, boxes named without their "txt", moves the focus to the next.
    static void enterMoves(QWidget *screen, const QStringList &chain)
    {
        for (qsizetype i = 0; i + 1 < chain.size(); ++i) {
            QWidget *from = child(screen, qPrintable("txt" + chain[i]));
            QVERIFY(from);
            from->setFocus();
            QTest::keyClick(from, Qt::Key_Return);
            QCOMPARE(QApplication::focusWidget(), child(screen, qPrintable("txt" + chain[i + 1])));
        }
    }
    static void activate(QWidget *w)
    {
        QApplication::setActiveWindow(w->window());
        QVERIFY(QTest::qWaitForWindowActive(w->window()));
    }
};

inline const char *kindName(Dialogs::Kind k)
{
    switch (k) {
    case Dialogs::Kind::Warning: return "warning";
    case Dialogs::Kind::Error: return "error";
    case Dialogs::Kind::Information: return "information";
    case Dialogs::Kind::Question: return "question";
    case Dialogs::Kind::Notice: return "notice";
    }
    return "";
}
