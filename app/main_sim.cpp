// Quorin Station on a simulated board.
#include "SimulatedBoard.h"
#include "Station.h"

int main(int argc, char** argv) {
    return quorin::runQuorinStation(argc, argv, quorin::sim::installSimulatedBackend());
}
