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
#include <QScrollBar>
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
            return m_cuts.isEmpty() ? QVariant() : QVariant(m_lines.at(index.row()));
        if (role != Qt::DisplayRole && role != Qt::EditRole)
            return QVariant();
        const QString line = m_lines.at(index.row());
        return role == Qt::EditRole ? line : shown(line);
    }

    // A cut column gives up by characters; a text cut short ends with "…".
    struct Cut {
        int column, width, by;
    };
    QString shown(const QString &line) const
    {
        if (m_cuts.isEmpty())
            return line;
        QString out;
        out.reserve(line.size());
        int at = 0;
        for (const Cut &cut : m_cuts) {
            out += line.mid(at, cut.column - at);
            const int kept = cut.width - cut.by;
            QString column = line.mid(cut.column, cut.width);
            while (column.endsWith(QLatin1Char(' ')))
                column.chop(1);
            out += column.size() > kept ? column.left(kept - 1) + QChar(0x2026) : column.leftJustified(kept);
            at = cut.column + cut.width;
        }
        return out + line.mid(at);
    }

    // Cuts in the order of their columns, none overlapping.
    void cut(QVector<Cut> cuts)
    {
        cuts.removeIf([](const Cut &c) { return c.by <= 0 || c.width <= 2; });
        for (Cut &c : cuts)
            c.by = qMin(c.by, c.width - 2);
        std::sort(cuts.begin(), cuts.end(), [](const Cut &a, const Cut &b) { return a.column < b.column; });
        if (cuts.size() == m_cuts.size()
            && std::equal(cuts.begin(), cuts.end(), m_cuts.begin(), [](const Cut &a, const Cut &b) {
                   return a.column == b.column && a.width == b.width && a.by == b.by;
               }))
            return;
        beginResetModel();
        m_cuts = cuts;
        endResetModel();
    }
    bool isCut() const { return !m_cuts.isEmpty(); }

    Qt::ItemFlags flags(const QModelIndex &index) const override
    {
        return QAbstractListModel::flags(index) | Qt::ItemNeverHasChildren;
    }

private:
    ListOrder::Lines m_lines;
    QVector<Cut> m_cuts;
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
    m_model->cut({{column, width, by}});
}

QString ResultList::shownLine(int row) const
{
    return m_model->shown(line(row));
}

bool ResultList::shortened() const
{
    return m_model->isCut();
}

bool ResultList::selectedLineCut() const
{
    const int row = selectedRow();
    if (row < 0)
        return false;
    const QString shown = shownLine(row);
    int end = int(shown.size());
    while (end > 0 && shown.at(end - 1) == QLatin1Char(' '))
        --end;
    return shown != line(row) || end * characterWidth() > viewport()->width() - 2 * spacing() - 8;
}

void ResultList::keepInView(int characters, const QVector<Narrowable> &narrowable)
{
    m_keepInView = characters;
    m_narrowable = narrowable;
    fitType();
}

void ResultList::resizeEvent(QResizeEvent *event)
{
    QListView::resizeEvent(event);
    fitType();
    emit resized();
}

int ResultList::characterWidth() const
{
    return qMax(1, QFontMetrics(font()).horizontalAdvance(QLatin1Char('X')));
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
    if (m_narrowable.isEmpty())
        return;
    // Still too wide at the smallest type: the narrowable columns give up what is missing, each
    // in proportion to what it can spare.
    const int fit = int(room / qMax(1.0, QFontMetricsF(f).horizontalAdvance(QLatin1Char('X'))));
    int missing = qMax(0, m_keepInView - fit);
    int spare = 0;
    for (const Narrowable &n : m_narrowable)
        spare += qMax(0, n.width - n.least);
    QVector<ResultLinesModel::Cut> cuts;
    for (const Narrowable &n : m_narrowable) {
        const int can = qMax(0, n.width - n.least);
        const int by = spare > 0 ? qMin(can, (missing * can + spare - 1) / spare) : 0;
        cuts.append({n.column, n.width, by});
    }
    m_model->cut(cuts);
}

void ResultList::scrollSideways(int to)
{
    QScrollBar *bar = horizontalScrollBar();
    bar->setValue(qBound(bar->minimum(), to, bar->maximum()));
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
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    if ((key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space) && !modifiers) {
        // Taken here, or the dialog would press its default button.
        event->accept();
        if (selectedRow() >= 0)
            emit picked(selectedLine());
        return;
    }
    // Lines wider than the list are read by moving them sideways.
    QScrollBar *bar = horizontalScrollBar();
    const int step = 4 * characterWidth();
    const int page = qMax(step, viewport()->width() * 3 / 4);
    const bool plain = !modifiers, control = modifiers == Qt::ControlModifier;
    if ((key == Qt::Key_Left || key == Qt::Key_Right) && (plain || control)) {
        const int by = control ? page : step;
        scrollSideways(bar->value() + (key == Qt::Key_Right ? by : -by));
        event->accept();
        return;
    }
    if (key == Qt::Key_Home && plain) {
        scrollSideways(0);
        event->accept();
        return;
    }
    if (key == Qt::Key_End && plain) {
        // The end of the selected line comes into view, at the right edge.
        const int row = selectedRow();
        QString shown = row < 0 ? QString() : shownLine(row);
        while (shown.endsWith(QLatin1Char(' ')))
            shown.chop(1);
        const int end = QFontMetrics(font()).horizontalAdvance(shown) + 2 * spacing() + 8;
        scrollSideways(qMax(0, end - viewport()->width()));
        event->accept();
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
    // A line shown shortened or wider than the list is read here whole, without the mouse.
    m_wholeLine = new QLabel(this);
    m_wholeLine->setObjectName(QStringLiteral("lblRigaIntera"));
    m_wholeLine->setTextFormat(Qt::PlainText);
    m_wholeLine->setWordWrap(true);
    m_wholeLine->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_wholeLine->hide();
    v->addWidget(m_wholeLine);
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
    // None of them is the window's default button: Enter in a box of the window that holds
    // the panel must not press "Trova" (Enter on a focused button still presses it).
    for (QPushButton *b : {find, print, close})
        b->setAutoDefault(false);

    Box::setup(m_search);
    Box::enterTo(m_search, find);
    connect(find, &QPushButton::clicked, this, &ResultPanel::findInList);
    connect(print, &QPushButton::clicked, this, &ResultPanel::printList);
    connect(close, &QPushButton::clicked, this, &ResultPanel::closeRequested);
    connect(m_list, &ResultList::picked, this, &ResultPanel::picked);
    connect(m_list->model(), &QAbstractItemModel::modelReset, this, &ResultPanel::showWholeLine);
    connect(m_list, &ResultList::resized, this, &ResultPanel::showWholeLine);
    connect(m_list->selectionModel(), &QItemSelectionModel::currentChanged, this, &ResultPanel::showWholeLine);
}

void ResultPanel::showWholeLine()
{
    const bool cut = m_list->selectedLineCut();
    if (cut)
        m_wholeLine->setText(m_list->selectedLine().simplified());
    m_wholeLine->setVisible(cut);
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
    const QString typed = m_search->text();
    const ResultList::Search found = m_list->find(typed, *m_remembered);
    if (found == ResultList::Search::EmptyList)
        Dialogs::notice(this, ResultText::emptyList());
    m_notFound->setText(typed.isEmpty()
                            ? QStringLiteral("Scrivere nella casella il testo da cercare nell'elenco.")
                            : QStringLiteral("Nessuna riga dell'elenco contiene \"%1\".").arg(typed));
    m_notFound->setVisible(found == ResultList::Search::NotFound);
    if (found == ResultList::Search::NotFound && typed.isEmpty())
        m_search->setFocus(Qt::OtherFocusReason);
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
