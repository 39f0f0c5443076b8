#pragma once
#include "output/SheetExport.h"

#include <QDialog>

class QLabel;
class QTableView;
class SheetGridModel;

// The export screen of an archive: its cards in a grid, and the command that writes them to
// the worksheet file. One class for every archive, named and captioned after its sheet.
class ExportScreen : public QDialog
{
    Q_OBJECT
public:
    ExportScreen(const SheetExport::Sheet &sheet, const QString &archivePath, QWidget *parent = nullptr);
    ~ExportScreen() override;

    // Creates the screen for the archive, shows it modally and destroys it.
    static void open(QWidget *owner, const QString &archivePath);

    QTableView *grid() const { return m_grid; }
    void exportFile();

protected:
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void fill();

    const SheetExport::Sheet &m_sheet;
    QString m_archivePath;
    SheetExport::Grid m_cells;
    SheetGridModel *m_model;
    QTableView *m_grid;
    QLabel *m_info;
};
