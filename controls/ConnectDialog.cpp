#include "ConnectDialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const QString contactEmail = QStringLiteral("support@quorin-station.example");
const QString contactPhone = QStringLiteral("+00 000 000 0000");
const QString contactWebsite = QStringLiteral("https://quorin-station.example");

QLabel* caption(const QString& text) {
    auto* label = new QLabel(text);
    QFont font = label->font();
    font.setPointSize(11);
    font.setWeight(QFont::Bold);
    label->setFont(font);
    return label;
}

QLabel* detail(const QString& text) {
    auto* label = new QLabel(
        QStringLiteral("<span style=\"color:#444444; text-decoration:underline; font-size:10pt;\">%1</span>")
            .arg(text.toHtmlEscaped()));
    label->setTextFormat(Qt::RichText);
    return label;
}

} // namespace

ConnectDialog::ConnectDialog(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Custom Dialog"));
    setFixedSize(300, 180);
    QPalette pal = palette();
    pal.setColor(QPalette::All, QPalette::Window, QColor(QStringLiteral("#EFDCC8")));
    setPalette(pal);
    setAutoFillBackground(true);
    setStyleSheet(QStringLiteral("QDialog { border-radius: 15px; }"));

    auto* ok = new QPushButton(QStringLiteral("OK"));
    ok->setObjectName(QStringLiteral("okButton"));
    ok->setFixedSize(60, 20);
    ok->setStyleSheet(QStringLiteral(
        "QPushButton { background-color: #CC8C6A26; border-radius: 4px; color: white; font-weight: bold;"
        " font-size: 14px; padding-top: 4px; padding-bottom: 4px; }"
        "QPushButton:pressed, QPushButton:hover { background-color: #8C6A26; border-color: #D3D3D3; }"));
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto* column = new QVBoxLayout(this);
    column->addWidget(caption(QStringLiteral("Email:")), 0);
    column->addWidget(detail(contactEmail), 0, Qt::AlignLeft);
    column->addWidget(caption(QStringLiteral("Tel:")), 1);
    column->addWidget(detail(contactPhone), 1, Qt::AlignLeft);
    column->addWidget(caption(QStringLiteral("Website:")), 2);
    column->addWidget(detail(contactWebsite), 2, Qt::AlignLeft);
    auto* buttonRow = new QHBoxLayout;
    buttonRow->addStretch();
    buttonRow->addWidget(ok);
    column->addLayout(buttonRow);
}

void ConnectDialog::paintEvent(QPaintEvent*) {
    // Frameless, the dialog draws its own border.
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(QStringLiteral("#8C6A26")), 3));
    painter.setBrush(palette().window());
    painter.drawRoundedRect(QRect(1, 1, width() - 2, height() - 2), 5, 5, Qt::AbsoluteSize);
}
