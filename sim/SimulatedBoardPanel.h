// The "Simulated board" window: the light source over the panel and the faults of one board.
#pragma once

#include "SimulatedBoard.h"

#include <QWidget>

#include <memory>

class QPushButton;
class QRadioButton;

namespace quorin::sim {

class SimulatedBoardPanel : public QWidget {
    Q_OBJECT
public:
    explicit SimulatedBoardPanel(std::shared_ptr<SimulatedBoard> board, QWidget* parent = nullptr);

public slots:
    // Shows the board's current state (it may also be changed from elsewhere, e.g. by a test).
    void refresh();

private:
    void unplug();
    void plugBack();

    std::shared_ptr<SimulatedBoard> board_;
    QRadioButton* dark_;
    QRadioButton* scene_;
    QRadioButton* fullLight_;
    QPushButton* unplug_;
    QPushButton* plugBack_;
    QPushButton* stall_;
};

} // namespace quorin::sim
