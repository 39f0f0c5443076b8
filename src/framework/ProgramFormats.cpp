#include "framework/ProgramFormats.h"

#include "framework/Keyboard.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

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
