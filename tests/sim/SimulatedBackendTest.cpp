#include "SimFixture.h"

#include <atomic>
#include <cstring>

using namespace simtest;
using quorin::sim::SimulatedBackend;

namespace {

std::vector<std::string> listedSerials() {
    DWORD count = 99;
    EXPECT_EQ(FT_CreateDeviceInfoList(&count), FT_OK);
    std::vector<FT_DEVICE_LIST_INFO_NODE> nodes(count);
    DWORD listed = 0;
    EXPECT_EQ(FT_GetDeviceInfoList(nodes.data(), &listed), FT_OK);
    EXPECT_EQ(listed, count);
    std::vector<std::string> serials;
    for (const auto& node : nodes)
        serials.emplace_back(node.SerialNumber);
    return serials;
}

// Every call on the handle, with its status.
std::vector<FT_STATUS> everyCall(FT_HANDLE h) {
    std::uint8_t buffer[8] = {};
    DWORD a = 0, b = 0, c = 0;
    return {FT_ResetDevice(h),
            FT_Purge(h, FT_PURGE_RX | FT_PURGE_TX),
            FT_SetBitMode(h, 0x00, FT_BITMODE_SYNC_FIFO),
            FT_SetUSBParameters(h, 65536, 65536),
            FT_SetFlowControl(h, FT_FLOW_RTS_CTS, 0, 0),
            FT_SetTimeouts(h, 1000, 1000),
            FT_Write(h, parameterRequest.data(), 6, &a),
            FT_GetStatus(h, &a, &b, &c),
            FT_Read(h, buffer, sizeof buffer, &a)};
}

class BackendTest : public ::testing::Test {
protected:
    void TearDown() override { quorin::driver::installBackend(nullptr); }
};

} // namespace

TEST_F(BackendTest, ListsThePluggedBoardsInOrder) {
    for (const std::vector<std::string>& serials :
         {std::vector<std::string>{}, {"QS2024A001"}, {"QS2024A002", "QS2024A001"}}) {
        SCOPED_TRACE(serials.size());
        quorin::sim::installSimulatedBackend(serials);
        EXPECT_EQ(listedSerials(), serials);
    }
}

TEST_F(BackendTest, RefusesSerialNumbersTheDeviceListCannotCarry) {
    EXPECT_THROW(SimulatedBackend({""}), std::invalid_argument);
    EXPECT_THROW(SimulatedBackend({"QS2024A0012345678"}), std::invalid_argument);
    EXPECT_THROW(SimulatedBackend({"QS1", "QS1"}), std::invalid_argument);
}

TEST_F(BackendTest, OpensBySerialNumberOnce) {
    const auto backend = quorin::sim::installSimulatedBackend({"QS-A", "QS-B"});
    FT_HANDLE a = nullptr, b = nullptr, again = nullptr;
    EXPECT_EQ(FT_OpenEx("QS-B", FT_OPEN_BY_SERIAL_NUMBER, &b), FT_OK);
    EXPECT_TRUE(backend->board("QS-B")->isOpen());
    EXPECT_FALSE(backend->board("QS-A")->isOpen());
    EXPECT_NE(FT_OpenEx("QS-B", FT_OPEN_BY_SERIAL_NUMBER, &again), FT_OK);
    EXPECT_EQ(again, nullptr);
    EXPECT_EQ(FT_OpenEx("QS-A", FT_OPEN_BY_SERIAL_NUMBER, &a), FT_OK);
    EXPECT_NE(a, b);
    EXPECT_EQ(FT_OpenEx(" NO Devices ", FT_OPEN_BY_SERIAL_NUMBER, &again), FT_DEVICE_NOT_FOUND);
    EXPECT_EQ(FT_OpenEx("QS-A", 2, &again), FT_INVALID_PARAMETER);
    EXPECT_EQ(FT_OpenEx(nullptr, FT_OPEN_BY_SERIAL_NUMBER, &again), FT_INVALID_PARAMETER);

    EXPECT_EQ(FT_Close(b), FT_OK);
    EXPECT_FALSE(backend->board("QS-B")->isOpen());
    EXPECT_EQ(FT_OpenEx("QS-B", FT_OPEN_BY_SERIAL_NUMBER, &again), FT_OK);
    EXPECT_NE(again, b); // a new token: the old one stays dead
}

TEST_F(BackendTest, ClosedAndUnknownHandlesAreInvalid) {
    quorin::sim::installSimulatedBackend();
    FT_HANDLE h = nullptr;
    ASSERT_EQ(FT_OpenEx(quorin::sim::defaultSerial, FT_OPEN_BY_SERIAL_NUMBER, &h), FT_OK);
    ASSERT_EQ(FT_Close(h), FT_OK);
    int notAHandle = 0;
    for (FT_HANDLE bad : {h, FT_HANDLE{nullptr}, FT_HANDLE{&notAHandle}}) {
        EXPECT_EQ(everyCall(bad), std::vector<FT_STATUS>(9, FT_INVALID_HANDLE));
        EXPECT_EQ(FT_Close(bad), FT_INVALID_HANDLE);
    }
}

TEST_F(SimBoardTest, UnplugKillsTheHandleAndPlugBackMakesTheBoardNew) {
    send(packet(0xA4, {0x01}));
    send(applyCommand);
    send(parameterRequest);
    board->unplug();
    for (FT_STATUS status : everyCall(handle))
        EXPECT_NE(status, FT_OK);
    EXPECT_TRUE(listedSerials().empty());
    FT_HANDLE other = nullptr;
    EXPECT_EQ(FT_OpenEx(quorin::sim::defaultSerial, FT_OPEN_BY_SERIAL_NUMBER, &other), FT_DEVICE_NOT_FOUND);

    board->plugBack();
    EXPECT_EQ(listedSerials(), std::vector<std::string>{quorin::sim::defaultSerial});
    for (FT_STATUS status : everyCall(handle))
        EXPECT_NE(status, FT_OK);
    const FT_HANDLE old = handle;
    ASSERT_EQ(FT_OpenEx(quorin::sim::defaultSerial, FT_OPEN_BY_SERIAL_NUMBER, &handle), FT_OK);
    EXPECT_EQ(queued(), 0u);       // nothing left from before the unplug
    EXPECT_EQ(parameters()[0], 2); // configuration lost with the power
    EXPECT_NE(FT_Close(old), FT_OK);
}

TEST_F(SimBoardTest, AStalledBoardAnswersWhenReleased) {
    send(blockRequest(0));
    board->setStalled(true);
    send(parameterRequest);
    std::this_thread::sleep_for(20ms);
    EXPECT_EQ(queued(), 0u);
    EXPECT_TRUE(readFor(1, 30ms).empty());
    board->setStalled(false);
    EXPECT_EQ(queued(), 65536u + 256u);
    EXPECT_EQ(readFor(65536).size(), 65536u);
    EXPECT_EQ(readFor(256)[0], 2);
}

TEST_F(SimBoardTest, AnswersArriveInChunksOfTheChosenSize) {
    board->setNoiseFree(true);
    for (std::size_t chunk : {std::size_t{1}, std::size_t{7}, std::size_t{1000}}) {
        SCOPED_TRACE(chunk);
        board->setChunkSize(chunk);
        send(parameterRequest);
        send(blockRequest(0));
        EXPECT_EQ(queued(), chunk);
        std::uint8_t buffer[2000];
        DWORD returned = 0;
        EXPECT_EQ(FT_Read(handle, buffer, sizeof buffer, &returned), FT_OK);
        EXPECT_EQ(returned, chunk); // a read takes no more than a chunk either
        Bytes rest = readFor(256 + 65536 - chunk, 10000ms);
        rest.insert(rest.begin(), buffer, buffer + chunk);
        ASSERT_EQ(rest.size(), 256u + 65536u);
        EXPECT_EQ(rest[0], 2);
        const auto frame = board->lastFrame();
        EXPECT_EQ(decodeSamples(Bytes(rest.begin() + 256, rest.end())),
                  std::vector<std::uint32_t>(frame.begin(), frame.begin() + 16384));
    }
}

TEST_F(SimBoardTest, StrayBytesComeBeforeTheAnswerUntilPurged) {
    board->injectStrayBytes(5);
    send(parameterRequest);
    EXPECT_EQ(queued(), 5u + 256u);
    EXPECT_EQ(readFor(5).size(), 5u);
    EXPECT_EQ(readFor(256)[0], 2);

    board->injectStrayBytes(3);
    send(parameterRequest);
    ASSERT_EQ(FT_Purge(handle, FT_PURGE_RX), FT_OK);
    EXPECT_EQ(queued(), 0u);
}

TEST_F(SimBoardTest, ShortAnswersLoseTheirLastBytes) {
    board->setShortAnswers(10);
    send(parameterRequest);
    send(blockRequest(0));
    EXPECT_EQ(queued(), 246u + 65526u);
    board->setShortAnswers(0);
    ASSERT_EQ(FT_Purge(handle, FT_PURGE_RX), FT_OK);
    send(blockRequest(1));
    EXPECT_EQ(queued(), 65536u);
}

TEST_F(SimBoardTest, LogsEveryWriteThatReachedTheBoard) {
    const auto before = std::chrono::steady_clock::now();
    send(blockRequest(0));
    send(Bytes{0x12, 0x34}); // garbage is logged and counted, never answered
    ASSERT_EQ(FT_Close(handle), FT_OK);
    DWORD written = 7;
    EXPECT_EQ(FT_Write(handle, applyCommand.data(), 6, &written), FT_INVALID_HANDLE);
    EXPECT_EQ(written, 0u);

    const auto log = board->writeLog();
    ASSERT_EQ(log.size(), 2u);
    EXPECT_EQ(log[0].bytes, blockRequest(0));
    EXPECT_EQ(log[1].bytes, (Bytes{0x12, 0x34}));
    EXPECT_GE(log[0].time, before);
    EXPECT_GE(log[1].time, log[0].time);
    EXPECT_EQ(board->malformedCount(), 1u);
}

TEST_F(SimBoardTest, TheWriteLogKeepsTheMostRecentWrites) {
    for (std::size_t i = 0; i < quorin::sim::writeLogCapacity + 5; ++i)
        send(Bytes{static_cast<std::uint8_t>(i % 200)});
    const auto log = board->writeLog();
    ASSERT_EQ(log.size(), quorin::sim::writeLogCapacity);
    EXPECT_EQ(log.front().bytes, Bytes{5});
}

// The GUI thread toggles the scene and reads the board's state while the acquisition thread fetches
// frames; run under ThreadSanitizer this shows any unguarded state.
TEST_F(SimBoardTest, ServesTwoThreadsAtOnce) {
    std::atomic<int> frames{0};
    std::thread acquisition([&] {
        for (int i = 0; i < 5; ++i) {
            readFrame();
            frames.fetch_add(1);
        }
    });
    while (frames.load() < 5) {
        board->setLightSource(frames.load() % 2 ? quorin::sim::LightSource::Dark
                                                : quorin::sim::LightSource::Scene);
        (void)board->lastFrame();
        (void)board->writeLog();
        std::this_thread::sleep_for(1ms);
    }
    acquisition.join();
    EXPECT_EQ(board->framesSynthesised(), 5u);
}
