#include "settings/PasswordFile.h"

#include "framework/FileReplacement.h"
#include "framework/Routines.h"
#include "settings/Crypt.h"
#include "settings/IniText.h"

#include <QFile>
#include <QFileInfo>

#include <optional>

namespace PasswordFile {

namespace {

// Reads go straight to the bytes rather than through QSettings, whose per-process cache can
// answer with the old value when another computer replaced the file within the same second.
std::optional<QString> iniValue(const QByteArray &bytes)
{
    const std::optional<QByteArray> value = IniText::value(bytes, Section, Key);
    if (!value)
        return std::nullopt;
    return QString::fromUtf8(*value);
}

bool readBytes(const QString &path, QByteArray &bytes)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return false;
    bytes = f.readAll();
    return f.error() == QFileDevice::NoError;
}

}

Stored read(const QString &path)
{
    if (!QFileInfo::exists(path))
        return {};
    QByteArray bytes;
    if (!readBytes(path, bytes))
        return {ReadStatus::Unreadable, {}};
    const std::optional<QString> value = iniValue(bytes);
    if (!value)
        return {};
    const std::optional<QString> plain = Crypt::unscramble(*value);
    if (!plain)
        return {ReadStatus::NotHex, {}};
    return {ReadStatus::Ok, Routines::trimmed(*plain)};
}

bool write(const QString &path, const QString &password, QString *error)
{
    const auto fail = [error](const QString &why) {
        if (error)
            *error = why;
        return false;
    };

    // Replace what a link points to, not the link.
    QString target = path;
    if (QFileInfo(path).isSymLink()) {
        const QString resolved = QFileInfo(path).canonicalFilePath();
        if (!resolved.isEmpty())
            target = resolved;
    }
    const QFileInfo info(target);

    QByteArray original;
    QFileDevice::Permissions permissions = QFileDevice::ReadOwner | QFileDevice::WriteOwner
        | QFileDevice::ReadUser | QFileDevice::WriteUser | QFileDevice::ReadGroup
        | QFileDevice::ReadOther;
    if (info.exists()) {
        if (!info.isWritable())
            return fail(QStringLiteral("%1 is read-only").arg(target));
        if (!readBytes(target, original))
            return fail(QStringLiteral("cannot read %1").arg(target));
        permissions = info.permissions();
    }

    // Only the bytes of our value change: the file may be shared with other programs, and
    // their keys, comments and line ends must reach them as they wrote them.
    const QString scrambled = Crypt::scramble(password);
    const QByteArray content = IniText::withValue(original, Section, Key, scrambled.toLatin1());

    // The new content is built beside the old file, so the final rename stays on one
    // file system and the old file is never opened for writing.
    FileReplacement temp(target);
    const int p = permissions.toInt();   // Qt's owner, group and other bits, as a file mode
    const mode_t mode = mode_t(((p >> 12) & 7) << 6 | ((p >> 4) & 7) << 3 | (p & 7));
    if (!temp.open(mode, true) || !temp.write(content) || !temp.closeForOthers())
        return fail(temp.errorString());
    const QString tempPath = temp.temporaryPath();

    QByteArray written;
    if (!readBytes(tempPath, written) || written != content)
        return fail(QStringLiteral("%1 does not hold the new value").arg(tempPath));
    if (!temp.commit())
        return fail(temp.errorString());
    return true;
}

QString normalized(const QString &typed)
{
    return Routines::upperAZ(Routines::trimmed(typed));
}

bool storable(const QString &password)
{
    for (QChar c : password)
        if (c.unicode() > 0xFF)
            return false;
    return true;
}

LoginResult login(const QString &path, const QString &typed)
{
    const QString entry = normalized(typed);
    if (entry.isEmpty())
        return LoginResult::WrongPassword;
    const Stored stored = read(path);
    if (stored.status != ReadStatus::Ok)
        return LoginResult::ReadError;
    return Routines::upperAZ(stored.password) == entry ? LoginResult::Admitted
                                                       : LoginResult::WrongPassword;
}

Message message(LoginResult result)
{
    switch (result) {
    case LoginResult::Admitted:
        return {};
    case LoginResult::WrongPassword:
        return {MessageKind::Warning, QStringLiteral("Attenzione: password errata.")};
    case LoginResult::ReadError:
        return {MessageKind::Notice,
                QStringLiteral("Attenzione: si è verificato un errore durante la procedura di "
                               "lettura della password. Si consiglia di reinstallare il software.")};
    }
    return {};
}

ChangeResult change(const QString &path, const QString &oldTyped, const QString &newTyped,
                    const QString &confirmTyped)
{
    const QString oldEntry = normalized(oldTyped);
    const QString newEntry = Routines::trimmed(newTyped);
    const QString confirmEntry = Routines::trimmed(confirmTyped);
    if (oldEntry.isEmpty() || newEntry.isEmpty() || confirmEntry.isEmpty())
        return ChangeResult::Incomplete;

    const Stored stored = read(path);
    if (stored.status != ReadStatus::Ok)
        return ChangeResult::ReadError;
    if (Routines::upperAZ(stored.password) != oldEntry)
        return ChangeResult::OldPasswordWrong;
    if (newEntry != confirmEntry)
        return ChangeResult::NotConfirmed;

    const QString newPassword = Routines::upperAZ(newEntry);
    if (newPassword.size() > MaxLength)
        return ChangeResult::TooLong;
    if (!storable(newPassword))
        return ChangeResult::UnstorableCharacter;
    return write(path, newPassword) ? ChangeResult::Changed : ChangeResult::WriteError;
}

Message message(ChangeResult result)
{
    switch (result) {
    case ChangeResult::Changed:
        return {MessageKind::Notice, QStringLiteral("Modifica della password completata con successo.")};
    case ChangeResult::Incomplete:
        return {MessageKind::Warning,
                QStringLiteral("Attenzione: compilare tutti i campi prima di premere OK.")};
    case ChangeResult::OldPasswordWrong:
        return {MessageKind::Notice, QStringLiteral("Attenzione: vecchia password errata.")};
    case ChangeResult::NotConfirmed:
        return {MessageKind::Notice,
                QStringLiteral("Attenzione: la nuova password non è stata confermata correttamente. "
                               "E' necessario reinserire entrambi i valori.")};
    case ChangeResult::TooLong:
        return {MessageKind::Warning,
                QStringLiteral("Attenzione: la nuova password non può superare i %1 caratteri.")
                    .arg(MaxLength)};
    case ChangeResult::UnstorableCharacter:
        return {MessageKind::Warning,
                QStringLiteral("Attenzione: la nuova password contiene caratteri che non possono "
                               "essere memorizzati.")};
    case ChangeResult::ReadError:
    case ChangeResult::WriteError:
        return {MessageKind::Notice,
                QStringLiteral("Attenzione: si è verificato un errore durante la procedura di "
                               "modifica della password. Si consiglia di reinstallare il software.")};
    }
    return {};
}

QByteArray initialContent()
{
    return QByteArray("[") + Section + "]\n" + Key + '='
        + Crypt::scramble(QLatin1String(InitialPassword)).toLatin1() + '\n';
}

}
