// The yardstick for start-up: a bare Qt window with one label, stopping once it is shown.
#include <QApplication>
#include <QLabel>
#include <QTimer>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QLabel label(QStringLiteral("Veltaro"));
    label.show();
    QTimer::singleShot(0, &app, &QCoreApplication::quit);
    return app.exec();
}
