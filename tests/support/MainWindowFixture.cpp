#include "MainWindowFixture.h"

#include "OperatorDialogs.h"
#include "ProcessState.h"
#include "RunningDataManager.h"
#include "Station.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

namespace quorin::test {
namespace {

// Process-wide values back at their start-up values: a test binary may run many windows in turn.
void resetProcessState() {
    deviceHandle = nullptr;
    lastStatus = FT_OK;
    deviceOpen = false;
    captureRunning = false;
    acquisitionRunning = true;
    lastImage = QImage();
    displaySize = 600;
    screenWidth = 0;
    screenHeight = 0;
    RunningDataManager* state = RunningDataManager::instance();
    state->setFullOnDone(false);
    state->setFullOffDone(false);
    state->setSharedVariable(0);
    state->setSaveProgress(0);
    state->setSaveName(QStringLiteral("name"));
    state->setMirrorOn(0);
    while (state->rotationAngle() != 0)
        state->stepRotation();
}

} // namespace

void MainWindowFixture::SetUp() {
    ASSERT_TRUE(tempDir.isValid());
    previousDir = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(tempDir.path()));
    resetProcessState();
    backend = sim::installSimulatedBackend(boardSerials());
    for (std::size_t i = 0; i < backend->boardCount(); ++i)
        backend->board(i)->setUnlimitedPace(true);

    auto answer = [this](const QString& caption) {
        dialogCaptions << caption;
        if (dialogAnswers.empty())
            return QString();
        QString next = dialogAnswers.front();
        dialogAnswers.pop_front();
        return next;
    };
    dialogs::install({[this](const QString& text) { messages << text; }, answer,
                      [answer](const QString& caption, const QString&) { return answer(caption); }});
    window = createWindow();
}

void MainWindowFixture::TearDown() {
    if (window) {
        EXPECT_TRUE(closeStation(std::move(window))) << "the acquisition thread did not stop";
    }
    dialogs::install({});
    driver::installBackend(nullptr);
    resetProcessState();
    QDir::setCurrent(previousDir);
}

void MainWindowFixture::click(const QString& objectName) const {
    auto* button = find<QAbstractButton>(objectName);
    ASSERT_NE(button, nullptr);
    ASSERT_TRUE(button->isEnabled()) << objectName.toStdString() << " is disabled";
    button->click();
}

QString MainWindowFixture::text(const QString& objectName) const {
    QObject* object = window->findChild<QObject*>(objectName);
    if (auto* label = qobject_cast<QLabel*>(object))
        return label->text();
    if (auto* button = qobject_cast<QAbstractButton*>(object))
        return button->text();
    if (auto* edit = qobject_cast<QLineEdit*>(object))
        return edit->text();
    if (auto* combo = qobject_cast<QComboBox*>(object))
        return combo->currentText();
    ADD_FAILURE() << "no text widget " << objectName.toStdString();
    return {};
}

bool MainWindowFixture::visible(const QString& objectName) const {
    auto* widget = find(objectName);
    return widget && widget->isVisibleTo(window.get());
}

void MainWindowFixture::openBoard() {
    click(QStringLiteral("pushButton_5"));
    ASSERT_EQ(text(QStringLiteral("pushButton_5")), QStringLiteral("Close"))
        << messages.join(QLatin1Char('|')).toStdString();
}

} // namespace quorin::test
