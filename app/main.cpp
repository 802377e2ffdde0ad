// Quorin Station on real boards.
#include "Station.h"

int main(int argc, char** argv) {
    return quorin::runQuorinStation(argc, argv, quorin::driver::makeNoBoardBackend());
}
