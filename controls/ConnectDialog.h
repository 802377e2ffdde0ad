// The contact dialog: where to reach us, and an OK button. Frameless, with its own rounded border.
#pragma once

#include <QDialog>

class QPaintEvent;

class ConnectDialog : public QDialog {
    Q_OBJECT
public:
    explicit ConnectDialog(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
};
