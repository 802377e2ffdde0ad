// Quorin Station on a simulated board, with the "Simulated board" window beside it.
#include "SimulatedBoardPanel.h"
#include "Station.h"

int main(int argc, char** argv) {
    const auto backend = quorin::sim::installSimulatedBackend();
    return quorin::runQuorinStation(argc, argv, backend, [board = backend->board()] {
        return std::make_unique<quorin::sim::SimulatedBoardPanel>(board);
    });
}
