// Quorin Station on real boards.
#include "RealBoardBackend.h"
#include "Station.h"

int main(int argc, char** argv) {
    return quorin::runQuorinStation(argc, argv, quorin::driver::makeRealBoardBackend());
}
