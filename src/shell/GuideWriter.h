#pragma once
#include <QString>

// The user guide as a PDF: every help topic in order, each with a picture of its screen.
// The build runs the program to write it beside the executable.
namespace GuideWriter {
// Returns false, with the reason in error, when the file cannot be written.
bool write(const QString &path, QString *error = nullptr);
}
