// The developer window's board operations: ADC, frame rate, DAC, GOA, SCAN and the read-back.
#include "Developer_Mode.h"

#include "CommandFrames.h"
#include "DeveloperForm.h"
#include "OperatorDialogs.h"
#include "PacketTrace.h"
#include "ParameterBlock.h"
#include "TimingPackets.h"

#include <QLineEdit>
#include <QTextEdit>

#include <algorithm>
#include <cmath>
#include <span>

using namespace quorin;

namespace {

// Integration time as typed, in ticks; a text that is not a whole number counts as 0 µs.
std::optional<std::array<std::uint8_t, 3>> ticksOf(const QLineEdit* field) {
    return splitTicks(field->text().toLongLong() * ticksPerMicrosecond);
}

} // namespace

bool Developer_Mode::readyToSend(std::span<QLineEdit* const> fields, const QString& emptyMessage) const {
    if (refusedDuringCapture())
        return false;
    if (std::any_of(fields.begin(), fields.end(), [](const QLineEdit* f) { return f->text().isEmpty(); })) {
        dialogs::message(emptyMessage);
        return false;
    }
    return true;
}

void Developer_Mode::on_ADCConfig_Clicked() {
    const std::array adcFields{ui->lineEdit_int0, ui->lineEdit_int1, ui->lineEdit_cfgreg};
    if (!readyToSend(adcFields, QStringLiteral("Some ADC input fields are empty")))
        return;
    const auto int0 = ticksOf(ui->lineEdit_int0);
    const auto int1 = ticksOf(ui->lineEdit_int1);
    if (!int0 || !int1) {
        dialogs::message(QStringLiteral("Integration time out of range"));
        return;
    }
    const auto cfgReg = splitHexWord(ui->lineEdit_cfgreg->text().toStdString());
    if (!cfgReg) {
        dialogs::message(QStringLiteral("CFG_REG takes one to four hexadecimal digits"));
        return;
    }
    writeTrace(cfgRegTrace(*cfgReg));
    sendConfiguration(deviceHandle, adcPacket(*int0, *int1, *cfgReg), lastStatus);
}

void Developer_Mode::on_FREQConfig_Clicked() {
    const QString text = ui->lineEdit_frame->text();
    if (text.isEmpty()) {
        dialogs::message(QStringLiteral("FREQ input fields are empty"));
        return;
    }
    bool isNumber = false;
    const double framesPerSecond = text.toDouble(&isNumber);
    if (!isNumber || framesPerSecond == 0.0 || !std::isfinite(framesPerSecond)) {
        dialogs::message(QStringLiteral("Invalid Input"));
        return;
    }
    const auto timings = deriveTimings(framesPerSecond);
    if (!timings) {
        dialogs::message(QStringLiteral("Frame rate out of range"));
        return;
    }
    for (const TimingField& t : *timings)
        timingField(t.field)->setText(QString::number(t.value));
}

void Developer_Mode::on_DACConfig_Clicked() {
    if (!readyToSend(ui->dac, QStringLiteral("Some GOA input fields are empty")))
        return;
    std::array<int, 16> codes{};
    std::transform(ui->dac.begin(), ui->dac.end(), codes.begin(),
                   [](const QLineEdit* f) { return voltageToCode(f->text().toDouble()); });
    sendConfiguration(deviceHandle, voltagePacket(codes), lastStatus);
}

void Developer_Mode::on_GOAConfig_Clicked() {
    if (!readyToSend(ui->goa, QStringLiteral("Some Timing input fields are empty")))
        return;
    std::array<std::int32_t, 16> values{};
    std::transform(ui->goa.begin(), ui->goa.end(), values.begin(),
                   [](const QLineEdit* f) { return f->text().toInt(); }); // not a 32-bit number: 0
    const Bytes packet = goaPacket(values);
    writeTrace(byteDumpTrace(packet, localTimeNow()));
    sendConfiguration(deviceHandle, packet, lastStatus);
}

void Developer_Mode::on_SCANConfig_Clicked() {
    std::array<QLineEdit*, scanValueCount> fields{};
    for (int k = 0; k < scanValueCount; ++k)
        fields[k] = timingField(scanFirstField + k);
    if (!readyToSend(fields, QStringLiteral("Some SCAN input fields are empty")))
        return;
    std::array<std::int32_t, scanValueCount> values{};
    std::transform(fields.begin(), fields.end(), values.begin(),
                   [](const QLineEdit* f) { return f->text().toInt(); });
    const Bytes packet = scanPacket(values);
    writeTrace(scanChecksumTrace(packet.back()));
    writeTrace(hexRepresentationTrace(packet));
    sendConfiguration(deviceHandle, packet, lastStatus);
}

void Developer_Mode::on_ReadParam_Clicked() {
    if (refusedDuringCapture())
        return;
    ReadBack reply = readParameterBlock(deviceHandle, lastStatus);
    // An unanswered request leaves the listing and the fields as they were.
    if (reply.outcome == ReadBackOutcome::NoReply) {
        dialogs::message(QStringLiteral("No reply from the board"));
        return;
    }
    if (reply.outcome == ReadBackOutcome::ShortReply) {
        dialogs::message(QStringLiteral("Incomplete reply from the board"));
        return;
    }
    writeTrace("sum == 256\n");
    ui->textEdit->clear();
    analyParam(reply.block.data());
}

void Developer_Mode::analyParam(UCHAR* data) {
    ParameterBlock block;
    std::copy_n(data, block.size(), block.begin());
    writeTrace(byteDumpTrace(block, localTimeNow()));
    for (const ParameterRow& row : decodeParameterBlock(block)) {
        const QString value = QString::fromStdString(row.value);
        ui->textEdit->append(QString::fromStdString(row.label) + value);
        if (auto* field = findChild<QLineEdit*>(QString::fromStdString(row.field)))
            field->setText(value);
    }
}
