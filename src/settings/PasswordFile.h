#pragma once
#include "framework/Message.h"

#include <QByteArray>
#include <QString>

// The password that guards the whole program, kept scrambled as "Valore" in section
// "Accesso" of the INI file unins000.dll in the program folder. The password is stored in
// capitals and trimmed, so it is compared without regard to the case of a-z.
namespace PasswordFile {

inline constexpr char FileName[] = "unins000.dll";
inline constexpr char Section[] = "Accesso";
inline constexpr char Key[] = "Valore";
// Delivered with the program and named on the login screen and in the help text.
inline constexpr char InitialPassword[] = "ACCESSO";
// The scrambled form counts characters in one byte; longer passwords are refused.
inline constexpr int MaxLength = 255;

enum class ReadStatus {
    Ok,           // also when the file or the value is missing: the password is then empty
    Unreadable,   // the file exists but cannot be read
    NotHex,       // the stored value cannot be unscrambled
};
struct Stored {
    ReadStatus status = ReadStatus::Ok;
    QString password;                    // unscrambled and trimmed
};
// Reads the file afresh at every call, so a change made elsewhere counts at once.
Stored read(const QString &path);

// Stores the password exactly as given (callers pass it normalised) and keeps every other
// section and key. The old file is replaced only by a complete, verified copy: on any
// failure it is left as it was, and false is returned with the reason in *error.
bool write(const QString &path, const QString &password, QString *error = nullptr);

// What is stored and compared: trimmed, letters a-z in capitals.
QString normalized(const QString &typed);
// Whether every character survives scrambling (codes up to 255).
bool storable(const QString &password);

enum class LoginResult { Admitted, WrongPassword, ReadError };
// An empty entry is never admitted, even while the stored password is empty.
LoginResult login(const QString &path, const QString &typed);
Message message(LoginResult result);

enum class ChangeResult {
    Changed,
    Incomplete,            // one of the three entries is empty
    OldPasswordWrong,
    NotConfirmed,          // new and confirmation differ, letter case included
    TooLong,               // more than MaxLength characters
    UnstorableCharacter,   // a character above code 255 would be stored as another one
    ReadError,
    WriteError,
};
ChangeResult change(const QString &path, const QString &oldTyped, const QString &newTyped,
                    const QString &confirmTyped);
Message message(ChangeResult result);

// The file as delivered beside the executable, holding the initial password.
QByteArray initialContent();

}
