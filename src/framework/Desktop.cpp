#include "framework/Desktop.h"

#include <QDesktopServices>
#include <QFileInfo>

namespace TMisc {

namespace {
bool testMode = false;
QList<QUrl> record;
}

QUrl urlFor(const QString &command)
{
    QString target = command.trimmed();
    if (target.size() >= 2 && target.startsWith(QLatin1Char('"')) && target.endsWith(QLatin1Char('"')))
        target = target.mid(1, target.size() - 2).trimmed();
    if (target.startsWith(QLatin1String("mailto:"), Qt::CaseInsensitive)) {
        // The address is taken as typed; QUrl encodes what needs encoding.
        QUrl url;
        url.setScheme(QStringLiteral("mailto"));
        url.setPath(target.mid(7), QUrl::DecodedMode);
        return url;
    }
    if (target.contains(QLatin1String("://")) || target.startsWith(QLatin1String("www."), Qt::CaseInsensitive)) {
        return QUrl::fromUserInput(target);
    }
    return QUrl::fromLocalFile(QFileInfo(target).absoluteFilePath());
}

bool Open(const QString &command)
{
    const QUrl url = urlFor(command);
    if (testMode) {
        record.append(url);
        return true;
    }
    return QDesktopServices::openUrl(url);
}

namespace Test {
void setEnabled(bool on) { testMode = on; }
QList<QUrl> &opened() { return record; }
}

}
