#include "shell/PrintStored.h"

#include "archive/ArchiveFile.h"
#include "archive/CardScreen.h"
#include "output/CardPrint.h"
#include "shell/ArchiveKinds.h"
#include "shell/ScreenRegistry.h"
#include "workers/WorkerCardScreen.h"

#include <QDir>

namespace PrintStored {

namespace {
CardScreen *screenFor(const QString &kind)
{
    const ScreenRegistry &s = ScreenRegistry::get();
    QWidget *screen = nullptr;
    if (kind == QLatin1String("lavoratori"))
        screen = s.workers;
    else if (kind == QLatin1String("orari"))
        screen = s.schedules;
    else if (kind == QLatin1String("turni"))
        screen = s.dailyShifts;
    else if (kind == QLatin1String("settimanale"))
        screen = s.weeklyShifts;
    else if (kind == QLatin1String("lavori"))
        screen = s.workLog;
    return qobject_cast<CardScreen *>(screen);
}
}

QString write(const QString &archive, qint64 n, const QString &pdf)
{
    const ArchiveKind kind = ArchiveKinds::forFile(archive);
    CardScreen *screen = kind.layout ? screenFor(kind.name) : nullptr;
    const CardPrint::Kind *page = screen ? CardPrint::kindOf(screen->objectName()) : nullptr;
    if (!page)
        return QStringLiteral("l'archivio non ha schede da stampare: %1").arg(QDir::toNativeSeparators(archive));
    ArchiveFile file(archive, kind.layout->size());
    if (!file.openForReading())
        return file.errorText();
    const qint64 count = file.recordCount();
    if (count < 0)
        return file.errorText();
    if (n < 1 || n > count)
        return QStringLiteral("l'archivio contiene %1 schede: la scheda %2 non esiste").arg(count).arg(n);
    Record record(*kind.layout);
    if (!file.readRecord(n, record.bytes()))
        return file.errorText();
    file.close();
    screen->loadCard(n, record);
    if (!Report::writePdf(CardPrint::fromScreen(*page, screen), pdf))
        return QStringLiteral("scrittura non riuscita: %1").arg(QDir::toNativeSeparators(pdf));
    return QString();
}

}
