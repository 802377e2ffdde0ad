// End-to-end fixture: the real main window on a fresh simulated backend, in a fresh working directory,
// with operator messages recorded and file dialogs answered from a queue.
#pragma once

#include "QuorinWidget.h"
#include "SimulatedBoard.h"

#include <QAbstractButton>
#include <QDir>
#include <QStringList>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <deque>
#include <memory>
#include <string>
#include <vector>

namespace quorin::test {

class MainWindowFixture : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // The boards the backend carries, in list order. Override for none or several.
    virtual std::vector<std::string> boardSerials() const { return {sim::defaultSerial}; }
    // The window under test. Override to build a subclass (for instance with a chosen screen).
    virtual std::unique_ptr<QuorinWidget> createWindow() { return std::make_unique<QuorinWidget>(); }

    sim::SimulatedBoard& board(std::size_t index = 0) const { return *backend->board(index); }

    // The widget of this object name; the test fails when there is none.
    template <typename W = QWidget> W* find(const QString& objectName) const {
        W* found = window->findChild<W*>(objectName);
        EXPECT_NE(found, nullptr) << "no " << objectName.toStdString();
        return found;
    }
    // Clicks the button (as the operator does: it must be enabled) and returns when its slot has run.
    void click(const QString& objectName) const;
    // The text of a label, button, line edit or combo box.
    QString text(const QString& objectName) const;
    bool visible(const QString& objectName) const; // shown when the window is shown
    // Presses "Open" on the selected board; the test fails unless it then reads "Close".
    void openBoard();

    QDir workDir() const { return QDir(tempDir.path()); }

    std::shared_ptr<sim::SimulatedBackend> backend;
    std::unique_ptr<QuorinWidget> window;
    QStringList messages;              // operator message boxes, in order
    QStringList dialogCaptions;        // captions of the file and directory dialogs asked
    std::deque<QString> dialogAnswers; // answers of those dialogs, in order; empty = cancelled

private:
    QTemporaryDir tempDir;
    QString previousDir;
};

} // namespace quorin::test
