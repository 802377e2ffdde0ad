#include "Developer_Mode.h"

Developer_Mode::Developer_Mode(QWidget* parent) : QWidget(parent) {}

Developer_Mode::~Developer_Mode() = default;

int Developer_Mode::integrationTime() const { return 0; }
