#include "Station.h"

#include "Bounds.h"
#include "Developer_Mode.h"
#include "ProcessState.h"
#include "QuorinResources.h"
#include "QuorinWidget.h"
#include "Quorin_VideoThread.h"

#include <QApplication>
#include <QSplashScreen>
#include <QTimer>

#include <cstdlib>
#include <iostream>

namespace quorin {

bool closeStation(std::unique_ptr<Quorin_Interface> window) {
    Quorin_VideoThread* thread = window->acquisitionThread();
    if (!thread->stopAndWait(bounds::acquisitionStopBound)) {
        (void)window.release();
        return false;
    }
    window.reset();
    delete developerWindow;
    developerWindow = nullptr;
    delete thread;
    return true;
}

int runQuorinStation(int argc, char** argv, std::shared_ptr<driver::Backend> backend,
                     const CompanionWindow& companion) {
    driver::installBackend(std::move(backend));
    QCoreApplication::setAttribute(Qt::AA_EnableHighDpiScaling);
    QApplication app(argc, argv);
    initResources();

    const QPixmap picture(QStringLiteral(":/Image/images/222.png"));
    QSplashScreen splash(picture.scaled(1228, 664, Qt::KeepAspectRatio, Qt::FastTransformation));
    splash.show();
    QTimer timer;
    timer.setSingleShot(true);
    timer.start(bounds::splashDuration);

    auto window = std::make_unique<QuorinWidget>();
    window->setFixedSize(1228, 664);
    std::unique_ptr<QWidget> companionWindow = companion ? companion() : nullptr;
    if (companionWindow)
        companionWindow->setAttribute(Qt::WA_QuitOnClose, false); // closing the main window ends the program
    QObject::connect(&timer, &QTimer::timeout, window.get(),
                     [&splash, shown = window.get(), beside = companionWindow.get()] {
                         splash.close();
                         shown->show();
                         if (beside)
                             beside->show();
                     });

    const int code = app.exec();
    if (!closeStation(std::move(window))) {
        // Destroying process-wide state under a running loop would crash; leave without it.
        std::cerr << "Error: the acquisition thread did not stop; leaving without clean-up." << std::endl;
        std::_Exit(code);
    }
    return code;
}

} // namespace quorin
