#include "archive/ResultList.h"

#include "archive/TextCodec.h"
#include "framework/BoxBehaviour.h"
#include "framework/Dialogs.h"
#include "framework/Report.h"
#include "framework/Routines.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QResizeEvent>
#include <QAbstractListModel>
#include <QStyledItemDelegate>
#include <QVBoxLayout>

namespace ResultText {
QString emptyList() { return QStringLiteral("Ricerca non applicabile: la lista non contiene nessuna voce."); }
QString count(int lines) { return QStringLiteral("Il presente riepilogo contiene %1 schede.").arg(lines); }
}

// The lines of a result list; a row is decoded only when asked for, so a list of tens of
// thousands of lines costs its bytes and the rows on screen.
class ResultLinesModel : public QAbstractListModel
{
public:
    using QAbstractListModel::QAbstractListModel;

    void setLines(ListOrder::Lines lines)
    {
        beginResetModel();
        m_lines = std::move(lines);
        endResetModel();
    }
    const ListOrder::Lines &lines() const { return m_lines; }

    int rowCount(const QModelIndex &parent = QModelIndex()) const override
    {
        return parent.isValid() ? 0 : int(m_lines.size());
    }

    QVariant data(const QModelIndex &index, int role) const override
    {
        if (!index.isValid() || index.row() >= m_lines.size())
            return QVariant();
        if (role == Qt::ToolTipRole)
            return m_shortenBy > 0 ? QVariant(m_lines.at(index.row())) : QVariant();
        if (role != Qt::DisplayRole && role != Qt::EditRole)
            return QVariant();
        const QString line = m_lines.at(index.row());
        if (role == Qt::EditRole || m_shortenBy <= 0)
            return line;
        // The column gives up shortenBy characters; a text cut short ends with "…".
        const int kept = m_width - m_shortenBy;
        QString column = line.mid(m_column, m_width);
        while (column.endsWith(QLatin1Char(' ')))
            column.chop(1);
        column = column.size() > kept ? column.left(kept - 1) + QChar(0x2026) : column.leftJustified(kept);
        return line.left(m_column) + column + line.mid(m_column + m_width);
    }

    void shorten(int column, int width, int by)
    {
        beginResetModel();
        m_column = column;
        m_width = width;
        m_shortenBy = qBound(0, by, width - 2);
        endResetModel();
    }
    int shortenedBy() const { return m_shortenBy; }

    Qt::ItemFlags flags(const QModelIndex &index) const override
    {
        return QAbstractListModel::flags(index) | Qt::ItemNeverHasChildren;
    }

private:
    ListOrder::Lines m_lines;
    int m_column = 0, m_width = 0, m_shortenBy = 0;
};

namespace {
// Every item is 1600 wide, so long lines scroll sideways.
class WideItems : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        return QSize(1600, QStyledItemDelegate::sizeHint(option, index).height());
    }
};
}

ResultList::ResultList(QWidget *parent)
    : QListView(parent), m_model(new ResultLinesModel(this))
{
    setObjectName(QStringLiteral("lstRecords"));
    setModel(m_model);
    setItemDelegate(new WideItems(this));
    setUniformItemSizes(true);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    QFont f(QStringLiteral("Courier New"), 12);
    f.setStyleHint(QFont::TypeWriter);
    setFont(f);
    QPalette p = palette();
    p.setColor(QPalette::Text, Qt::black);
    p.setColor(QPalette::Base, Qt::white);
    setPalette(p);
}

void ResultList::shortenColumn(int column, int width, int by)
{
    if (by == m_model->shortenedBy() && (by == 0 || width > 0))
        return;
    m_model->shorten(column, width, by);
}

void ResultList::keepInView(int characters)
{
    m_keepInView = characters;
    fitType();
}

void ResultList::resizeEvent(QResizeEvent *event)
{
    QListView::resizeEvent(event);
    fitType();
}

void ResultList::fitType()
{
    if (m_keepInView <= 0)
        return;
    QFont f = font();
    const int room = viewport()->width() - 2 * spacing() - 8;
    for (int size = 12; size >= 9; --size) {
        f.setPointSize(size);
        if (size == 9 || QFontMetrics(f).horizontalAdvance(QString(m_keepInView, QLatin1Char('X'))) <= room)
            break;
    }
    if (f.pointSize() != font().pointSize())
        setFont(f);
}

void ResultList::setLines(ListOrder::Lines lines, bool sorted)
{
    if (!sorted)
        lines.sort();
    m_model->setLines(std::move(lines));
}

void ResultList::setLines(const QStringList &lines, bool sorted)
{
    ListOrder::Lines bytes;
    for (const QString &l : lines)
        bytes.append(Cp1252::encode(l));
    setLines(std::move(bytes), sorted);
}

QString ResultList::line(int row) const
{
    return m_model->lines().at(row);
}

QStringList ResultList::lines() const
{
    return m_model->lines().toStringList();
}

int ResultList::count() const
{
    return m_model->rowCount();
}

void ResultList::clearLines()
{
    m_model->setLines({});
}

int ResultList::selectedRow() const
{
    const QModelIndexList rows = selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.first().row();
}

QString ResultList::selectedLine() const
{
    const int row = selectedRow();
    return row < 0 ? QString() : line(row);
}

void ResultList::selectRow(int row)
{
    if (row < 0 || row >= count()) {
        clearSelection();
        return;
    }
    const QModelIndex i = m_model->index(row);
    selectionModel()->setCurrentIndex(i, QItemSelectionModel::ClearAndSelect);
    scrollTo(i);
}

ResultList::Search ResultList::find(const QString &typed, QString &remembered)
{
    const int n = count();
    if (n == 0)
        return Search::EmptyList;
    if (selectedRow() < 0)
        selectRow(0);
    const QString t = Routines::lowerAZ(typed);
    const bool again = t == remembered;
    remembered = t;
    if (t.isEmpty())
        return Search::NotFound;
    const int start = again ? selectedRow() : 0;
    // A new text tests the first line first; the same text starts after the selected line.
    for (int step = again ? 1 : 0; step < n; ++step) {
        const int row = (start + step) % n;
        if (Routines::lowerAZ(line(row)).contains(t)) {
            selectRow(row);
            return Search::Found;
        }
    }
    return Search::NotFound;
}

void ResultList::mouseDoubleClickEvent(QMouseEvent *event)
{
    QListView::mouseDoubleClickEvent(event);
    emit picked(selectedLine());
}

void ResultList::keyPressEvent(QKeyEvent *event)
{
    const int key = event->key();
    if ((key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space)
        && !(event->modifiers() & ~Qt::KeypadModifier)) {
        // Taken here, or the dialog would press its default button.
        event->accept();
        if (selectedRow() >= 0)
            emit picked(selectedLine());
        return;
    }
    QListView::keyPressEvent(event);
}

ResultPanel::ResultPanel(const QString &listTitle, QString *remembered, bool countLine, QWidget *parent)
    : QWidget(parent), m_title(listTitle), m_remembered(remembered ? remembered : &m_ownRemembered)
{
    setObjectName(QStringLiteral("panContainer"));
    auto *v = new QVBoxLayout(this);
    v->setContentsMargins(14, 12, 14, 12);
    v->setSpacing(6);
    for (const char *text : {"Immettere una o più parole consecutive presenti nella scheda in elenco da cercare e "
                             "premere il pulsante Trova.",
                             "Per spostarsi sulla voce successiva contenente la stessa chiave di ricerca, fare di "
                             "nuovo clic su Trova."}) {
        auto *l = new QLabel(QString::fromUtf8(text), this);
        v->addWidget(l);
    }
    auto *row = new QHBoxLayout;
    row->setSpacing(8);
    m_search = new QLineEdit(this);
    m_search->setObjectName(QStringLiteral("txtTrova"));
    m_search->setAccessibleName(QStringLiteral("Cerca nell'elenco"));
    auto *find = new QPushButton(QStringLiteral("Trova"), this);
    find->setObjectName(QStringLiteral("btnTrova"));
    find->setMinimumWidth(90);
    row->addWidget(m_search, 1);
    row->addWidget(find);
    v->addLayout(row);
    // A search that finds nothing says so, quietly, under the box.
    m_notFound = new QLabel(this);
    m_notFound->setObjectName(QStringLiteral("lblNonTrovato"));
    m_notFound->setStyleSheet(QStringLiteral("color: #b03a2e;"));
    m_notFound->hide();
    v->addWidget(m_notFound);
    connect(m_search, &QLineEdit::textChanged, m_notFound, &QWidget::hide);

    m_list = new ResultList(this);
    m_list->setAccessibleName(listTitle.isEmpty() ? QStringLiteral("Schede trovate") : listTitle);
    v->addWidget(m_list, 1);
    v->addWidget(new QLabel(QStringLiteral("Per richiamare i dati di una scheda, selezionarla con un doppio clic "
                                           "(o con Invio)."),
                            this));

    auto *bottom = new QHBoxLayout;
    if (countLine) {
        m_count = new QLabel(QStringLiteral("Il presente elenco contiene 0 schede."), this);
        m_count->setObjectName(QStringLiteral("lblTrovate"));
        QFont f = m_count->font();
        f.setBold(true);
        m_count->setFont(f);
        bottom->addWidget(m_count);
    }
    bottom->addStretch();
    auto *print = new QPushButton(QStringLiteral("Stampa"), this);
    print->setObjectName(QStringLiteral("btnStampa"));
    auto *close = new QPushButton(QStringLiteral("Chiudi"), this);
    close->setObjectName(QStringLiteral("btnChiudi"));
    for (QPushButton *b : {print, close}) {
        b->setMinimumWidth(90);
        bottom->addWidget(b);
    }
    v->addLayout(bottom);

    Box::setup(m_search);
    Box::enterTo(m_search, find);
    connect(find, &QPushButton::clicked, this, &ResultPanel::findInList);
    connect(print, &QPushButton::clicked, this, &ResultPanel::printList);
    connect(close, &QPushButton::clicked, this, &ResultPanel::closeRequested);
    connect(m_list, &ResultList::picked, this, &ResultPanel::picked);
}

void ResultPanel::setLines(const ListOrder::Lines &lines, bool sorted)
{
    m_list->setLines(lines, sorted);
    showCount();
}

void ResultPanel::setLines(const QStringList &lines, bool sorted)
{
    m_list->setLines(lines, sorted);
    showCount();
}

void ResultPanel::showCount()
{
    if (m_count)
        m_count->setText(ResultText::count(m_list->count()));
}

void ResultPanel::reset()
{
    m_remembered->clear();
    m_list->selectRow(0);
    m_search->clear();
}

void ResultPanel::findInList()
{
    const ResultList::Search found = m_list->find(m_search->text(), *m_remembered);
    if (found == ResultList::Search::EmptyList)
        Dialogs::notice(this, ResultText::emptyList());
    m_notFound->setText(QStringLiteral("Nessuna riga dell'elenco contiene \"%1\".").arg(m_search->text()));
    m_notFound->setVisible(found == ResultList::Search::NotFound);
}

void ResultPanel::focusResults()
{
    if (m_list->count() > 0) {
        if (m_list->selectedRow() < 0)
            m_list->selectRow(0);
        m_list->setFocus(Qt::OtherFocusReason);
    } else {
        m_search->setFocus(Qt::OtherFocusReason);
    }
}

void ResultPanel::printList()
{
    Report::print(Report::listTemplate(m_title, m_list->lines()), this);
}
