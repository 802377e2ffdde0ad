// The simulated board's faults met in each state of the program. Every row says what the operator
// sees, and every row ends the same way: the program recovers as the operator would make it (stop,
// close, plug back, open, capture) and shows pictures again; no action hangs beyond its bound, and a
// recording reported " save success" left whole files.
#include "Developer_Mode.h"
#include "FaultSession.h"
#include "ProcessState.h"

#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QTextEdit>

#include <thread>

namespace quorin::test {
namespace {

enum class State { Idle, Open, Capturing, CollectingReference, Recording, Exporting, ReadingBack };
enum class Fault { Unplug, UnplugAndPlugBack, Stall, StallThenAnswer, Chunking, StrayBytes, ShortAnswers };

// Pictures while the fault stands: only checked in the states with a running capture.
enum class Pictures { Unchecked, Flow, Stop };

struct Row {
    const char* name;
    State state;
    Fault fault;
    QStringList messages;  // operator messages from the moment the fault is set until recovery
    const char* openText;  // pushButton_5 while the fault stands
    const char* runText;   // label_Running while the fault stands
    Pictures pictures;     // while the fault stands
    const char* statusEnd; // label_save at the end (a pattern); empty: not looked at
};

const QString noDevice = QStringLiteral("No Device Connected");
const QString lost = QStringLiteral("Lost connection to the board");
const char* const saved = "^\\d{1,2}:\\d\\d:\\d\\d save success$";
const char* const fullOnSet = "^Full-On set success$";

// clang-format off
const Row rows[] = {
    // Opening the board is the action that meets the fault.
    {"IdleUnplugged",            State::Idle, Fault::Unplug,            {noDevice}, "Open",  "   Stop", Pictures::Unchecked, ""},
    {"IdlePluggedBack",          State::Idle, Fault::UnplugAndPlugBack, {},         "Close", "   Stop", Pictures::Unchecked, ""},
    {"IdleStalled",              State::Idle, Fault::Stall,             {noDevice}, "Open",  "   Stop", Pictures::Unchecked, ""},
    {"IdleStalledThenAnswering", State::Idle, Fault::StallThenAnswer,   {noDevice}, "Open",  "   Stop", Pictures::Unchecked, ""},
    {"IdleChunked",              State::Idle, Fault::Chunking,          {},         "Close", "   Stop", Pictures::Unchecked, ""},
    {"IdleStrayBytes",           State::Idle, Fault::StrayBytes,        {},         "Close", "   Stop", Pictures::Unchecked, ""},
    {"IdleShortAnswers",         State::Idle, Fault::ShortAnswers,      {},         "Close", "   Stop", Pictures::Unchecked, ""},
    // The board is open; starting a capture meets the fault. A capture whose loop ended on a dead
    // handle is shown stopped, and the operator is told.
    {"OpenUnplugged",            State::Open, Fault::Unplug,            {lost}, "Close", "   Stop", Pictures::Stop, ""},
    {"OpenPluggedBack",          State::Open, Fault::UnplugAndPlugBack, {lost}, "Close", "   Stop", Pictures::Stop, ""},
    {"OpenStalled",              State::Open, Fault::Stall,             {}, "Close", "Running", Pictures::Stop, ""},
    {"OpenShortAnswers",         State::Open, Fault::ShortAnswers,      {}, "Close", "Running", Pictures::Stop, ""},
    // A running capture meets the fault.
    {"CapturingUnplugged",       State::Capturing, Fault::Unplug,            {lost}, "Close", "   Stop", Pictures::Stop, ""},
    {"CapturingPluggedBack",     State::Capturing, Fault::UnplugAndPlugBack, {lost}, "Close", "   Stop", Pictures::Stop, ""},
    {"CapturingStalled",         State::Capturing, Fault::Stall,             {}, "Close", "Running", Pictures::Stop, ""},
    {"CapturingStalledThenAnswering", State::Capturing, Fault::StallThenAnswer, {}, "Close", "Running", Pictures::Flow, ""},
    {"CapturingChunked",         State::Capturing, Fault::Chunking,          {}, "Close", "Running", Pictures::Flow, ""},
    {"CapturingStrayBytes",      State::Capturing, Fault::StrayBytes,        {}, "Close", "Running", Pictures::Flow, ""},
    {"CapturingShortAnswers",    State::Capturing, Fault::ShortAnswers,      {}, "Close", "Running", Pictures::Stop, ""},
    // A Full-ON reference is being collected; it finishes once frames flow again.
    {"CollectingUnplugged",      State::CollectingReference, Fault::Unplug,          {lost}, "Close", "   Stop", Pictures::Stop, fullOnSet},
    {"CollectingStalledThenAnswering", State::CollectingReference, Fault::StallThenAnswer, {}, "Close", "Running", Pictures::Flow, fullOnSet},
    {"CollectingStrayBytes",     State::CollectingReference, Fault::StrayBytes,      {}, "Close", "Running", Pictures::Flow, fullOnSet},
    {"CollectingShortAnswers",   State::CollectingReference, Fault::ShortAnswers,    {}, "Close", "Running", Pictures::Stop, fullOnSet},
    // A recording of 30 frames is under way; it completes once frames flow again.
    {"RecordingUnplugged",       State::Recording, Fault::Unplug,          {lost}, "Close", "   Stop", Pictures::Stop, saved},
    {"RecordingStalled",         State::Recording, Fault::Stall,           {}, "Close", "Running", Pictures::Stop, saved},
    {"RecordingChunked",         State::Recording, Fault::Chunking,        {}, "Close", "Running", Pictures::Flow, saved},
    {"RecordingStrayBytes",      State::Recording, Fault::StrayBytes,      {}, "Close", "Running", Pictures::Flow, saved},
    // The data files are being written: the board's fault cannot touch them.
    {"ExportingUnplugged",       State::Exporting, Fault::Unplug,          {lost}, "Close", "   Stop", Pictures::Stop, saved},
    {"ExportingStalled",         State::Exporting, Fault::Stall,           {}, "Close", "Running", Pictures::Stop, saved},
    // The developer window reads the parameter block back.
    {"ReadingBackUnplugged",     State::ReadingBack, Fault::Unplug,          {"No reply from the board"},         "Close", "   Stop", Pictures::Unchecked, ""},
    {"ReadingBackStalled",       State::ReadingBack, Fault::Stall,           {"No reply from the board"},         "Close", "   Stop", Pictures::Unchecked, ""},
    {"ReadingBackStalledThenAnswering", State::ReadingBack, Fault::StallThenAnswer, {},                           "Close", "   Stop", Pictures::Unchecked, ""},
    {"ReadingBackChunked",       State::ReadingBack, Fault::Chunking,        {},                                  "Close", "   Stop", Pictures::Unchecked, ""},
    {"ReadingBackStrayBytes",    State::ReadingBack, Fault::StrayBytes,      {},                                  "Close", "   Stop", Pictures::Unchecked, ""},
    {"ReadingBackShortAnswers",  State::ReadingBack, Fault::ShortAnswers,    {"Incomplete reply from the board"}, "Close", "   Stop", Pictures::Unchecked, ""},
};
// clang-format on

void PrintTo(const Row& row, std::ostream* os) {
    *os << row.name;
}

class FaultMatrix : public FaultSession, public ::testing::WithParamInterface<Row> {
protected:
    void TearDown() override {
        if (unstaller.joinable())
            unstaller.join();
        FaultSession::TearDown();
    }

    void reachState(State state) {
        switch (state) {
        case State::Idle:
            return;
        case State::Open:
        case State::ReadingBack:
            openBoard();
            // As the developer gate does when it shows the window.
            developerWindow->deviceHandle = deviceHandle;
            developerWindow->lastStatus = lastStatus;
            return;
        case State::Capturing:
            startCapture();
            return;
        case State::CollectingReference:
            startCapture();
            press(QStringLiteral("pushButton_max"), 1s);
            ASSERT_TRUE(thread().isGetMax);
            return;
        case State::Recording:
            startCapture();
            armRecording(30);
            ASSERT_TRUE(waitFor([&] { return text(QStringLiteral("label_save")).endsWith('%'); }, 10s));
            return;
        case State::Exporting:
            startCapture();
            armRecording(30);
            ASSERT_TRUE(waitFor(
                [&] {
                    return text(QStringLiteral("label_save")) == QLatin1String("Export Data..Please wait");
                },
                20s));
            return;
        }
    }

    void setFault(Fault fault) {
        sim::SimulatedBoard& b = board();
        switch (fault) {
        case Fault::Unplug:
            b.unplug();
            break;
        case Fault::UnplugAndPlugBack:
            b.unplug();
            b.plugBack();
            break;
        case Fault::Stall:
            b.setStalled(true);
            break;
        case Fault::StallThenAnswer:
            // The answer comes while the action still waits for it, or after it gave up.
            b.setStalled(true);
            unstaller = std::thread([&b] {
                std::this_thread::sleep_for(300ms);
                b.setStalled(false);
            });
            break;
        case Fault::Chunking:
            b.setChunkSize(1000);
            break;
        case Fault::StrayBytes:
            b.injectStrayBytes(777);
            break;
        case Fault::ShortAnswers:
            b.setShortAnswers(5);
            break;
        }
    }

    // The action of the state that meets the fault.
    void meetFault(const Row& row) {
        switch (row.state) {
        case State::Idle:
            press(QStringLiteral("pushButton_5"),
                  std::chrono::milliseconds(bounds::openReadTimeoutMs + bounds::openWriteTimeoutMs));
            break;
        case State::Open:
            press(QStringLiteral("pushButton_2"), 1s);
            break;
        case State::ReadingBack: {
            auto* listing = developerWindow->findChild<QTextEdit*>(QStringLiteral("textEdit"));
            ASSERT_NE(listing, nullptr);
            listing->clear();
            auto* readBack = developerWindow->findChild<QPushButton*>(QStringLiteral("pushButton_readparam"));
            ASSERT_NE(readBack, nullptr);
            const auto start = Clock::now();
            readBack->click();
            EXPECT_LT(Clock::now() - start, bounds::parameterReadBackTimeout + boundSlack);
            // A read-back the operator was not told failed has filled the listing.
            EXPECT_EQ(listing->toPlainText().isEmpty(), !row.messages.isEmpty());
            break;
        }
        default:
            break; // the running capture meets it
        }
    }

    void expectPictures(Pictures expected) {
        if (expected == Pictures::Unchecked)
            return;
        if (expected == Pictures::Flow) {
            EXPECT_TRUE(picturesArrive(3)) << "pictures stopped";
            return;
        }
        QTest::qWait(300); // a frame already on its way may still arrive
        const int settled = pictures;
        QTest::qWait(600);
        EXPECT_EQ(pictures, settled) << "pictures from a board that cannot send them";
    }

    // As the operator recovers: stop, close, plug back, open, capture again.
    void recover(bool unplugged) {
        board().setStalled(false);
        board().setChunkSize(0);
        board().setShortAnswers(0);
        if (text(QStringLiteral("pushButton_2")) == QLatin1String("Stop"))
            press(QStringLiteral("pushButton_2"), bounds::acquisitionStopBound);
        EXPECT_EQ(text(QStringLiteral("pushButton_2")), QStringLiteral("Capture"));
        EXPECT_EQ(text(QStringLiteral("label_Running")), QStringLiteral("   Stop"));
        if (text(QStringLiteral("pushButton_5")) == QLatin1String("Close"))
            press(QStringLiteral("pushButton_5"), bounds::acquisitionStopBound);
        if (unplugged)
            board().plugBack();
        openBoard();
        press(QStringLiteral("pushButton_2"), 1s);
        EXPECT_TRUE(picturesArrive(2)) << "no picture after recovery";
        EXPECT_FALSE(find<QLabel>(QStringLiteral("label"))->pixmap(Qt::ReturnByValue).isNull());
    }

    std::thread unstaller;
};

TEST_P(FaultMatrix, OperatorSeesTheFaultAndTheStationRecovers) {
    const Row& row = GetParam();
    reachState(row.state);
    if (HasFatalFailure())
        return;
    messages.clear();
    setFault(row.fault);
    meetFault(row);
    if (HasFatalFailure())
        return;

    // A capture that meets the fault learns of it at its next driver call, after any export.
    waitFor([&] { return messages.size() >= row.messages.size(); }, 20s);
    EXPECT_EQ(text(QStringLiteral("pushButton_5")), QString::fromLatin1(row.openText));
    EXPECT_EQ(text(QStringLiteral("label_Running")), QString::fromLatin1(row.runText));
    expectPictures(row.pictures);
    if (unstaller.joinable())
        unstaller.join();
    EXPECT_EQ(messages, row.messages);

    recover(row.fault == Fault::Unplug);
    const QRegularExpression statusEnd(QString::fromLatin1(row.statusEnd));
    if (*row.statusEnd) {
        EXPECT_TRUE(
            waitFor([&] { return statusEnd.match(text(QStringLiteral("label_save"))).hasMatch(); }, 30s))
            << text(QStringLiteral("label_save")).toStdString();
    }
    if (statusEnd.pattern() == QLatin1String(saved))
        expectWholeDataFiles(QStringLiteral("name"), 30);
    EXPECT_EQ(messages, row.messages) << "after recovery";
}

INSTANTIATE_TEST_SUITE_P(Rows, FaultMatrix, ::testing::ValuesIn(rows),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace quorin::test
