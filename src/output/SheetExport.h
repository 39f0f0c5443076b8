#pragma once
#include "archive/RecordLayout.h"

#include <QByteArray>
#include <QString>
#include <QVector>

#include <vector>

// Whole archives written as a worksheet that office suites open: an HTML table with the
// worksheet markup, in Windows-1252, under a fixed name in the program folder. One table of
// columns per archive drives the screen's grid, the file and the command line alike.
namespace SheetExport {

// A cell is made of pieces: the trimmed text of a field, or a literal.
struct Piece {
    const char *field = nullptr;
    const char *literal = nullptr;
};

struct Column {
    QString heading;
    int width;
    QVector<Piece> pieces;
    // >= 0: the column holds figures ("1234,56"), written as number cells shown with this
    // many decimals, so that a spreadsheet can add them; a cell that is not a plain number
    // stays text.
    int decimals = -1;
};

struct Sheet {
    QString screen;       // objectName of the export screen
    QString caption;
    QString fileName;     // in the program folder
    QString worksheet;
    QString helpTitle;
    const RecordLayout *layout;
    QVector<Column> columns;
};

// The sheet of the archive a path names (by its file name), or null when it has none.
const Sheet *forArchive(const QString &archivePath);
const Sheet &workers();
const Sheet &schedules();
const Sheet &dailyShifts();
const Sheet &projects();
const Sheet &workLog();

// The cells of every card, kept as code-page bytes until shown: row r, column c.
class Grid
{
public:
    explicit Grid(int columns = 0) : m_columns(columns) { m_starts.push_back(0); }
    int rows() const { return m_columns ? int((m_starts.size() - 1) / size_t(m_columns)) : 0; }
    int columns() const { return m_columns; }
    QByteArrayView cell(int row, int column) const;
    void appendCell(QByteArrayView bytes);
    // The cells of another grid, after these.
    void appendCells(const Grid &more);

private:
    int m_columns;
    QByteArray m_bytes;
    std::vector<qsizetype> m_starts;
};

struct Reading {
    Grid grid;
    bool readOk = true;    // false: the archive could not be opened or read to its end
    QString error;
};

// Reads the archive in file order; a missing archive is created empty.
Reading read(const Sheet &sheet, const QString &archivePath);
// The whole file as it is written.
QByteArray document(const Sheet &sheet, const Grid &grid);
// Writes the file whole or not at all: a temporary file beside it, every write checked,
// flushed and renamed over the old one. On failure the old file is untouched.
bool writeFile(const QString &path, const QByteArray &bytes, QString *error = nullptr);

struct Export {
    qint64 rows = 0;
    bool readOk = true;    // false: the archive could not be opened or read to its end
    bool written = false;  // the file now holds the whole archive
    QString error;
};

// Reads the archive and writes its file in one pass, without keeping the cards in memory: the
// same bytes as document() of read()'s grid. The file is replaced only when both succeed.
Export exportArchive(const Sheet &sheet, const QString &archivePath, const QString &filePath);

// The texts the screen shows.
QString exportQuestion();
QString doneQuestion();
QString failureNotice();

}
