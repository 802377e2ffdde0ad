// A developer window on a scripted board, with the operator's message boxes recorded.
#pragma once

#include "Bounds.h"
#include "CommandFrames.h"
#include "Developer_Mode.h"
#include "OperatorDialogs.h"
#include "QStringPrinting.h"
#include "RunningDataManager.h"
#include "ScriptedBoard.h"

#include <QLineEdit>
#include <QPushButton>
#include <QStringList>
#include <QTextEdit>

#include <gtest/gtest.h>

class DeveloperWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        board = ScriptedBoard::install();
        previousDialogs =
            quorin::dialogs::install({[this](const QString& text) { messages << text; }, {}, {}});
        RunningDataManager::instance()->setSharedVariable(0);
        window.deviceHandle = ScriptedBoard::handle;
    }
    void TearDown() override {
        RunningDataManager::instance()->setSharedVariable(0);
        quorin::dialogs::install(previousDialogs);
        quorin::driver::installBackend(nullptr);
    }

    QLineEdit* field(const QString& name) const { return window.findChild<QLineEdit*>(name); }
    QString text(const QString& name) const { return field(name)->text(); }
    void setText(const QString& name, const QString& value) { field(name)->setText(value); }
    void click(const char* button) { window.findChild<QPushButton*>(QString::fromLatin1(button))->click(); }
    QString listing() const {
        return window.findChild<QTextEdit*>(QStringLiteral("textEdit"))->toPlainText();
    }

    // Write `index` is `packet`, and the apply command follows after the configuration pause.
    void expectConfiguration(std::size_t index, const quorin::Bytes& packet) const {
        ASSERT_GT(board->writes.size(), index + 1);
        EXPECT_EQ(board->writes[index], packet);
        const auto apply = quorin::applyCommand();
        EXPECT_EQ(board->writes[index + 1], quorin::Bytes(apply.begin(), apply.end()));
        EXPECT_GE(board->writeTimes[index + 1] - board->writeTimes[index],
                  quorin::bounds::configurationPause);
    }

    void fillScanFields(int value) {
        for (int k = 0; k < 43; ++k)
            setText(QStringLiteral("lineEdit_%1").arg(51 + k), QString::number(value));
    }

    std::shared_ptr<ScriptedBoard> board;
    quorin::dialogs::Handlers previousDialogs;
    QStringList messages;
    DevelopView window;
};
