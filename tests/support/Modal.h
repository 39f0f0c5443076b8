#pragma once
#include "archive/ResultList.h"
#include "support/ScreenFixture.h"

#include <QDialog>
#include <QLineEdit>
#include <QTimer>
#include <functional>

namespace Modal {

// Runs f on the modal dialog a command is about to open; closes it if f left it open.
inline void on(std::function<void(QDialog *)> f)
{
    QTimer::singleShot(0, [f] {
        auto *d = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        QVERIFY(d);
        f(d);
        if (d->isVisible())
            d->reject();
    });
}

// In a find screen: types the filters ("txtName" -> text), presses Cerca and returns the lines.
inline QStringList search(QDialog *d, const QList<QPair<const char *, QString>> &filters)
{
    for (const auto &[box, text] : filters)
        ScreenFixture::child<QLineEdit>(d, box)->setText(text);
    QTest::mouseClick(ScreenFixture::child(d, "btnCerca"), Qt::LeftButton);
    auto *list = ScreenFixture::child<ResultList>(d, "lstRecords");
    QStringList lines;
    for (int i = 0; i < list->count(); ++i)
        lines << list->line(i);
    return lines;
}

// Double-clicks line row of the result list.
inline void pick(QDialog *d, int row = 0)
{
    auto *list = ScreenFixture::child<ResultList>(d, "lstRecords");
    list->selectRow(row);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(list->model()->index(row, 0)).center());
}

}
