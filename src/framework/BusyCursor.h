#pragma once
#include <QGuiApplication>

#include <utility>

// The wait cursor while a screen reads a whole archive on its own thread: on a network
// share a year's log can take seconds, and the pointer should say so. It is put back as the
// work returns, before any message about its result is shown.
//   const auto found = BusyCursor::during([&] { return Find::search(...); });
namespace BusyCursor {

template <class Work>
decltype(auto) during(Work &&work)
{
    struct Shown {
        Shown() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
        ~Shown() { QGuiApplication::restoreOverrideCursor(); }
    } shown;
    return std::forward<Work>(work)();
}

}
