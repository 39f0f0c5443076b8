#pragma once
#include <QString>

// The one version number of the programs, from the build (CMakeLists.txt).
#ifndef VELTARO_VERSION
#error "VELTARO_VERSION comes from the build"
#endif

namespace ProgramVersion {

inline QString number()
{
    return QStringLiteral(VELTARO_VERSION);
}

// What --version prints: the name and version on the first line, then the licence.
inline QString text(const QString &program)
{
    return program + QLatin1Char(' ') + number()
        + QStringLiteral("\nCopyright 2026 the Veltaro developers\n"
                         "Licenza GPL-3.0-or-later: GNU GPL versione 3 o successiva "
                         "<https://www.gnu.org/licenses/gpl-3.0.html>.\n"
                         "Questo è software libero: lo si può modificare e ridistribuire.\n"
                         "Non c'è ALCUNA GARANZIA, nei limiti consentiti dalla legge.\n");
}

}
