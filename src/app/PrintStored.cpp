#include "app/PrintStored.h"

#include "app/Screens.h"
#include "archive/ArchiveKinds.h"
#include "archive/Archivio.h"
#include "archive/CardScreen.h"
#include "output/CardPrint.h"
#include "workers/Istruttori.h"

#include <QDir>

namespace PrintStored {

namespace {
CardScreen *screenFor(const QString &kind)
{
    const Screens &s = Screens::get();
    QWidget *screen = nullptr;
    if (kind == QLatin1String("lavoratori"))
        screen = s.istruttori;
    else if (kind == QLatin1String("orari"))
        screen = s.orari;
    else if (kind == QLatin1String("turni"))
        screen = s.turni;
    else if (kind == QLatin1String("settimanale"))
        screen = s.settimanale;
    else if (kind == QLatin1String("lavori"))
        screen = s.lavori;
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
    TArchivio file(archive, kind.layout->size());
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
