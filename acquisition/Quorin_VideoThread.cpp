#include "Quorin_VideoThread.h"

Quorin_VideoThread::Quorin_VideoThread(QObject* parent) : QThread(parent) {}

Quorin_VideoThread::~Quorin_VideoThread() = default;

void Quorin_VideoThread::run() {}
