#include "QuorinWidget.h"

#include <QPainter>

void QuorinWidget::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(QColor(0xF8, 0xF8, 0xF8));
    painter.drawRect(0, 0, width(), height());
    painter.end();
    Quorin_Interface::paintEvent(event);
}
