#include "SimulatedBoardPanel.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace quorin::sim {

SimulatedBoardPanel::SimulatedBoardPanel(std::shared_ptr<SimulatedBoard> board, QWidget* parent)
    : QWidget(parent), board_(std::move(board)) {
    setWindowTitle("Simulated board");
    setObjectName("SimulatedBoardPanel");

    auto* light = new QGroupBox("Light source");
    auto* lightLayout = new QVBoxLayout(light);
    const auto addLight = [&](const char* text, const char* name, LightSource source) {
        auto* button = new QRadioButton(text);
        button->setObjectName(name);
        lightLayout->addWidget(button);
        connect(button, &QRadioButton::toggled, this, [this, source](bool on) {
            if (on)
                board_->setLightSource(source);
        });
        return button;
    };
    dark_ = addLight("Dark", "radioDark", LightSource::Dark);
    scene_ = addLight("Scene", "radioScene", LightSource::Scene);
    fullLight_ = addLight("Full light", "radioFullLight", LightSource::FullLight);

    unplug_ = new QPushButton("Unplug");
    unplug_->setObjectName("pushButtonUnplug");
    plugBack_ = new QPushButton("Plug back");
    plugBack_->setObjectName("pushButtonPlugBack");
    stall_ = new QPushButton("Stall");
    stall_->setObjectName("pushButtonStall");
    stall_->setCheckable(true);
    connect(unplug_, &QPushButton::clicked, this, &SimulatedBoardPanel::unplug);
    connect(plugBack_, &QPushButton::clicked, this, &SimulatedBoardPanel::plugBack);
    connect(stall_, &QPushButton::toggled, this, [this](bool on) { board_->setStalled(on); });

    auto* faults = new QHBoxLayout;
    faults->addWidget(unplug_);
    faults->addWidget(plugBack_);
    faults->addWidget(stall_);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QString::fromStdString("Board " + board_->serial())));
    layout->addWidget(light);
    layout->addLayout(faults);
    refresh();
}

void SimulatedBoardPanel::refresh() {
    const LightSource light = board_->lightSource();
    (light == LightSource::Dark    ? dark_
     : light == LightSource::Scene ? scene_
                                   : fullLight_)
        ->setChecked(true);
    const bool plugged = board_->isPlugged();
    unplug_->setEnabled(plugged);
    plugBack_->setEnabled(!plugged);
    const QSignalBlocker quiet(stall_); // showing the state must not change it
    stall_->setChecked(board_->isStalled());
}

void SimulatedBoardPanel::unplug() {
    board_->unplug();
    refresh();
}

void SimulatedBoardPanel::plugBack() {
    board_->plugBack();
    refresh();
}

} // namespace quorin::sim
