#include "output/ExportScreen.h"

#include "archive/FindScreen.h"
#include "archive/TextCodec.h"
#include "framework/BusyCursor.h"
#include "framework/Desktop.h"
#include "framework/Dialogs.h"
#include "framework/HelpHook.h"
#include "framework/Keyboard.h"
#include "framework/WorkWindow.h"
#include "settings/ProgramFolder.h"

#include <QAbstractTableModel>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QShowEvent>
#include <QTableView>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

// The grid: "N." and the sheet's columns, each cell decoded only when shown.
class SheetGridModel : public QAbstractTableModel
{
public:
    SheetGridModel(const SheetExport::Sheet &sheet, QObject *parent) : QAbstractTableModel(parent), m_sheet(sheet) {}

    void setGrid(const SheetExport::Grid *grid)
    {
        beginResetModel();
        m_grid = grid;
        endResetModel();
    }
    int rowCount(const QModelIndex &parent = {}) const override
    {
        return parent.isValid() || !m_grid ? 0 : m_grid->rows();
    }
    int columnCount(const QModelIndex &parent = {}) const override
    {
        return parent.isValid() ? 0 : int(m_sheet.columns.size()) + 1;
    }
    QVariant data(const QModelIndex &index, int role) const override
    {
        if (role != Qt::DisplayRole || !m_grid)
            return {};
        if (index.column() == 0)
            return index.row() + 1;
        return Cp1252::decode(m_grid->cell(index.row(), index.column() - 1));
    }
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override
    {
        if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
            return {};
        return section == 0 ? QStringLiteral("N.") : m_sheet.columns.at(section - 1).heading;
    }

private:
    const SheetExport::Sheet &m_sheet;
    const SheetExport::Grid *m_grid = nullptr;
};

ExportScreen::ExportScreen(const SheetExport::Sheet &sheet, const QString &archivePath, QWidget *parent)
    : QDialog(parent), m_sheet(sheet), m_archivePath(archivePath)
{
    DialogFrame::setup(this, sheet.screen, sheet.caption, QSize(1100, 700));
    auto *v = new QVBoxLayout(this);
    v->setContentsMargins(10, 8, 10, 6);
    v->setSpacing(6);

    auto *bar = new QHBoxLayout;
    bar->setSpacing(4);
    const auto command = [&](const char *name, const char *text, const char *glyph, const QColor &colour,
                             const char *hint) {
        QToolButton *b = Pictures::command(this, QLatin1String(name), QString::fromUtf8(text), QLatin1String(glyph),
                                           colour, 32);
        b->setMinimumWidth(64);
        b->setProperty("hint", QString::fromUtf8(hint));
        b->installEventFilter(this);
        bar->addWidget(b);
        return b;
    };
    QToolButton *save = command("cmdEsporta", "Esporta", "XL", QColor(0x3a, 0x8f, 0x4a),
                                "Esporta l'archivio in formato Microsoft Excel.");
    QToolButton *help = command("cmdGuida", "Guida", "i", QColor(0x6b, 0x75, 0x80),
                                "Visualizza la pagina della guida sensibile al contesto.");
    help->setProperty("helpTopic", sheet.helpTitle);
    bar->addStretch();
    QToolButton *exit = command("cmdEsci", "Esci", "X", QColor(0xb0, 0x3a, 0x2e), "Esci da questo ambiente di lavoro.");
    v->addLayout(bar);

    m_model = new SheetGridModel(sheet, this);
    m_grid = new QTableView(this);
    m_grid->setObjectName(QStringLiteral("grdRecords"));
    m_grid->setAccessibleName(QStringLiteral("Schede da esportare"));
    m_grid->setModel(m_model);
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_grid->setSelectionMode(QAbstractItemView::SingleSelection);
    // A read-only grid of thousands of cells: Tab and Shift+Tab leave it, the arrows move in it.
    m_grid->setTabKeyNavigation(false);
    m_grid->setWordWrap(false);
    m_grid->verticalHeader()->hide();
    m_grid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_grid->verticalHeader()->setDefaultSectionSize(21);
    m_grid->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    m_grid->setColumnWidth(0, 56);
    for (int c = 0; c < sheet.columns.size(); ++c)
        m_grid->setColumnWidth(c + 1, sheet.columns.at(c).width);
    m_grid->installEventFilter(this);
    m_grid->viewport()->installEventFilter(this);
    // The current row is always the selected one, drawn in the highlight of the lists: the
    // grid's own mark of a current cell without a selection is a faint frame.
    connect(m_grid->selectionModel(), &QItemSelectionModel::currentChanged, this, [this](const QModelIndex &current) {
        if (current.isValid() && !m_grid->selectionModel()->isRowSelected(current.row(), QModelIndex()))
            m_grid->selectionModel()->select(current, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    });
    v->addWidget(m_grid, 1);

    m_info = new QLabel(QStringLiteral("Esportazione archivio in Microsoft Excel."), this);
    m_info->setObjectName(QStringLiteral("panInfo"));
    m_info->setFrameShape(QFrame::StyledPanel);
    m_info->setFrameShadow(QFrame::Sunken);
    m_info->setContentsMargins(8, 3, 8, 3);
    v->addWidget(m_info);

    connect(save, &QToolButton::clicked, this, &ExportScreen::exportFile);
    connect(exit, &QToolButton::clicked, this, &QDialog::reject);
    HelpHook::wire(this);
}

ExportScreen::~ExportScreen() = default;

void ExportScreen::open(QWidget *owner, const QString &archivePath)
{
    const SheetExport::Sheet *sheet = SheetExport::forArchive(archivePath);
    if (!sheet)
        return;
    ExportScreen screen(*sheet, archivePath, owner);
    screen.exec();
}

bool ExportScreen::eventFilter(QObject *watched, QEvent *event)
{
    // The grid entered by the keyboard starts on its first row, highlighted.
    if (watched == m_grid && event->type() == QEvent::FocusIn && !m_grid->currentIndex().isValid()
        && m_model->rowCount() > 0)
        m_grid->setCurrentIndex(m_model->index(0, 1));
    // The hint of the command under the mouse; the grid and the background empty the line.
    if (event->type() == QEvent::Enter) {
        const QVariant hint = watched->property("hint");
        m_info->setText(hint.isValid() ? hint.toString() : QString());
    }
    return QDialog::eventFilter(watched, event);
}

void ExportScreen::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (event->spontaneous())
        return;
    DialogFrame::centre(this);
    fill();
    // The dialog opens with its focus in sight, on the command it is for.
    if (QWidget *save = findChild<QWidget *>(QStringLiteral("cmdEsporta"))) {
        Keyboard::focusByKeyboard(save);
        save->setFocus(Qt::TabFocusReason);
    }
}

void ExportScreen::fill()
{
    SheetExport::Reading reading = BusyCursor::during([this] { return SheetExport::read(m_sheet, m_archivePath); });
    m_cells = std::move(reading.grid);
    m_model->setGrid(&m_cells);
    // What could be read stays in the grid; the user is told that the rest could not.
    if (!reading.readOk)
        QTimer::singleShot(0, this, [this] { Dialogs::error(this, Dialogs::archiveAccessText()); });
}

void ExportScreen::exportFile()
{
    if (!Dialogs::question(this, SheetExport::exportQuestion()))
        return;
    const QString path = ProgramFolder::file(m_sheet.fileName);
    if (!BusyCursor::during([&] { return SheetExport::writeFile(path, SheetExport::document(m_sheet, m_cells)); })) {
        Dialogs::notice(this, SheetExport::failureNotice());
        return;
    }
    if (Dialogs::question(this, SheetExport::doneQuestion()))
        Desktop::Open(QLatin1Char('"') + path + QLatin1Char('"'));
}
