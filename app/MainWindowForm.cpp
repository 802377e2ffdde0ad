// The main window's form, built in code: every panel at its fixed position, raised in form order.
#include "Quorin_Interface.h"
#include "Styles.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QVBoxLayout>

namespace {

template <typename W> W* make(QWidget* parent, const char* name) {
    auto* w = new W(parent);
    w->setObjectName(QString::fromLatin1(name));
    return w;
}

template <typename W> W* make(QWidget* parent, const char* name, const QRect& geometry) {
    W* w = make<W>(parent, name);
    w->setGeometry(geometry);
    return w;
}

template <typename W> W* makeText(QWidget* parent, const char* name, const QString& text) {
    W* w = make<W>(parent, name);
    w->setText(text);
    return w;
}

template <typename W>
W* makeText(QWidget* parent, const char* name, const QRect& geometry, const QString& text) {
    W* w = make<W>(parent, name, geometry);
    w->setText(text);
    return w;
}

QPushButton* imageButton(QWidget* parent, const char* name, const QRect& geometry, const QString& image) {
    auto* button = make<QPushButton>(parent, name, geometry);
    button->setStyleSheet(quorin::styles::imageButton(image));
    return button;
}

// A bordered panel frame; the selector keeps the border off the children.
void styleAsPanel(QWidget* panel, const QString& style) {
    panel->setAttribute(Qt::WA_StyledBackground);
    panel->setStyleSheet(QStringLiteral("#%1 { %2 }").arg(panel->objectName(), style));
}

QPushButton* actionButton(QWidget* parent, const char* name, const QString& text) {
    auto* button = makeText<QPushButton>(parent, name, text);
    button->setFixedSize(136, 28);
    button->setStyleSheet(quorin::styles::actionButton);
    return button;
}

QFont arial(int pointSize, bool bold = false) {
    QFont font(QStringLiteral("Arial"), pointSize);
    font.setBold(bold);
    return font;
}

} // namespace

void Quorin_Interface::setupForm() {
    setObjectName(QStringLiteral("Quorin_Interface"));
    setWindowTitle(QStringLiteral("Quorin_Interface"));
    setWindowModality(Qt::NonModal);
    setEnabled(true);
    resize(1226, 659);
    setMaximumSize(1920, 1080);
    QFont windowFont = font();
    windowFont.setPointSize(12);
    setFont(windowFont);
    setStyleSheet(quorin::styles::window);

    // Picture.
    label = make<QLabel>(this, "label", {20, 45, 600, 600});
    label->setStyleSheet(
        QStringLiteral("QLabel { background-color: white; border: 1px solid grey; border-radius: 5px; }"));

    // Dimming overlay and the password panel on it.
    widget = make<QWidget>(this, "widget", {0, -10, 1920, 1080});
    widget->setAttribute(Qt::WA_StyledBackground);
    widget->setStyleSheet(quorin::styles::overlay);
    password_input = make<QWidget>(widget, "password_input", {430, 210, 380, 200});
    styleAsPanel(password_input, quorin::styles::floatingPanel);
    label_4 =
        makeText<QLabel>(password_input, "label_4", {105, 40, 171, 20}, QStringLiteral("To Developer Mode"));
    label_4->setStyleSheet(QStringLiteral("QLabel { font-weight: bold; font-size: 18px; color: #8c6927; }"));
    lineEdit_password = make<QLineEdit>(password_input, "lineEdit_password", {90, 80, 200, 30});
    lineEdit_password->setEchoMode(QLineEdit::Password);
    pushButton_password_ok = makeText<QPushButton>(password_input, "pushButton_password_ok",
                                                   {90, 130, 200, 30}, QStringLiteral("Log on"));
    pushButton_password_ok->setStyleSheet(quorin::styles::actionButton);
    pushButton_look_password = imageButton(password_input, "pushButton_look_password", {260, 86, 16, 16},
                                           QStringLiteral("password_on.png"));
    pushButton_password_close = imageButton(password_input, "pushButton_password_close", {340, 20, 16, 16},
                                            QStringLiteral("close.png"));

    // Function panel: board selector, progress bar, status line and the action buttons.
    widget_func = make<QWidget>(this, "widget_func", {650, 514, 560, 130});
    widget_func->setMinimumSize(290, 50);
    widget_func->setMaximumSize(600, 180);
    styleAsPanel(widget_func, quorin::styles::panelFrame);
    verticalLayout_7 = new QVBoxLayout(widget_func);
    verticalLayout_7->setObjectName(QStringLiteral("verticalLayout_7"));
    verticalLayout_7->setSpacing(5);
    gridLayout = new QGridLayout();
    gridLayout->setObjectName(QStringLiteral("gridLayout"));
    gridLayout->setSpacing(5);
    verticalLayout_7->addLayout(gridLayout);

    comboBox = make<QComboBox>(widget_func, "comboBox");
    comboBox->setMinimumSize(30, 25);
    QFont selectorFont = comboBox->font();
    selectorFont.setPointSize(9);
    comboBox->setFont(selectorFont);
    comboBox->setFocusPolicy(Qt::NoFocus);
    comboBox->setMaxVisibleItems(10);
    comboBox->setStyleSheet(quorin::styles::comboBox);
    widget_10 = make<QWidget>(widget_func, "widget_10");
    widget_10->setMinimumSize(136, 0);
    widget_10->setMaximumSize(136, 16);
    styleAsPanel(widget_10, QStringLiteral("border: 1px solid #896827;"));
    widget_11 = make<QWidget>(widget_10, "widget_11", {2, 3, 0, 10});
    styleAsPanel(widget_11, QStringLiteral("background-color: #EFDCC8;"));
    label_save = make<QLabel>(widget_func, "label_save");
    label_save->setAlignment(Qt::AlignCenter);
    pushButton_5 = actionButton(widget_func, "pushButton_5", QStringLiteral("Open"));
    QFont bold = pushButton_5->font();
    bold.setBold(true);
    pushButton_5->setFont(bold);
    pushButton_2 = actionButton(widget_func, "pushButton_2", QStringLiteral("Capture"));
    pushButton = actionButton(widget_func, "pushButton", QStringLiteral("Save"));
    pushButton_max = actionButton(widget_func, "pushButton_max", QStringLiteral("Full-ON"));
    pushButton_low = actionButton(widget_func, "pushButton_low", QStringLiteral("Full-OFF"));
    gridLayout->addWidget(comboBox, 0, 0);
    gridLayout->addWidget(widget_10, 0, 1);
    gridLayout->addWidget(label_save, 0, 2);
    gridLayout->addWidget(pushButton_5, 1, 0);
    gridLayout->addWidget(pushButton_2, 1, 1);
    gridLayout->addWidget(pushButton, 1, 2);
    gridLayout->addWidget(pushButton_max, 2, 0);
    gridLayout->addWidget(pushButton_low, 2, 1);

    // Save-options panel.
    savelayout = make<QWidget>(this, "savelayout", {430, 180, 380, 260});
    styleAsPanel(savelayout, quorin::styles::floatingPanel);
    Buttonsave_dismiss =
        imageButton(savelayout, "Buttonsave_dismiss", {340, 15, 16, 16}, QStringLiteral("close.png"));
    label_8 = makeText<QLabel>(savelayout, "label_8", {130, 25, 130, 20}, QStringLiteral("Save Options"));
    label_8->setAlignment(Qt::AlignCenter);
    label_8->setFont(arial(14, true));
    label_8->setStyleSheet(QStringLiteral("QLabel { color: #8c6927; }"));
    label_9 = makeText<QLabel>(savelayout, "label_9", {70, 70, 60, 16}, QStringLiteral("Number :"));
    comboBox_3 = make<QComboBox>(savelayout, "comboBox_3", {170, 67, 111, 22});
    comboBox_3->setStyleSheet(quorin::styles::comboBox);
    label_12 = makeText<QLabel>(savelayout, "label_12", {70, 105, 91, 16}, QStringLiteral("Save Name :"));
    lineEdit_savename = make<QLineEdit>(savelayout, "lineEdit_savename", {170, 102, 111, 22});
    label_11 = makeText<QLabel>(savelayout, "label_11", {70, 140, 81, 16}, QStringLiteral("Save Path :"));
    lineEdit_savepath = make<QLineEdit>(savelayout, "lineEdit_savepath", {170, 138, 133, 20});
    pushButton_choice_path =
        imageButton(savelayout, "pushButton_choice_path", {285, 139, 17, 17}, QStringLiteral("file.png"));
    checkBox_Data =
        makeText<QCheckBox>(savelayout, "checkBox_Data", {70, 173, 70, 20}, QStringLiteral("Data"));
    checkBox_Data->setCheckable(false);
    checkBox_Data->setStyleSheet(quorin::styles::alwaysTickedCheckBox);
    checkBox_Video =
        makeText<QCheckBox>(savelayout, "checkBox_Video", {150, 173, 60, 20}, QStringLiteral("Video"));
    checkBox_Video->setStyleSheet(quorin::styles::checkBox);
    checkBox_Picture =
        makeText<QCheckBox>(savelayout, "checkBox_Picture", {240, 173, 70, 20}, QStringLiteral("Picture"));
    checkBox_Picture->setStyleSheet(quorin::styles::checkBox);
    pushButton_save_confirm = makeText<QPushButton>(savelayout, "pushButton_save_confirm", {90, 210, 200, 30},
                                                    QStringLiteral("Save"));
    pushButton_save_confirm->setStyleSheet(quorin::styles::actionButton);

    // Running indicator.
    widget_7 = make<QWidget>(this, "widget_7", {540, 20, 85, 28});
    horizontalLayout = new QHBoxLayout(widget_7);
    horizontalLayout->setObjectName(QStringLiteral("horizontalLayout"));
    horizontalLayout->setSpacing(0);
    label_Running = makeText<QLabel>(widget_7, "label_Running", QStringLiteral("   Stop"));
    label_Running->setMinimumSize(49, 16);
    label_Running->setFont(arial(9));
    label_Running->setStyleSheet(QStringLiteral("QLabel { color: #666666; }"));
    isRunning = make<QPushButton>(widget_7, "isRunning");
    isRunning->setMaximumSize(12, 12);
    isRunning->setStyleSheet(quorin::styles::imageButton(QStringLiteral("tip_stop.png")));
    horizontalLayout->addWidget(label_Running);
    horizontalLayout->addWidget(isRunning);

    // Picture tools.
    widget_2 = make<QWidget>(this, "widget_2", {15, 19, 70, 30});
    horizontalLayout_2 = new QHBoxLayout(widget_2);
    horizontalLayout_2->setObjectName(QStringLiteral("horizontalLayout_2"));
    horizontalLayout_2->setSpacing(16);
    pushButton_rotate = make<QPushButton>(widget_2, "pushButton_rotate");
    pushButton_rotate->setMinimumSize(18, 19);
    pushButton_rotate->setMaximumSize(18, 20);
    pushButton_rotate->setStyleSheet(
        quorin::styles::imageButton(QStringLiteral("rotate.png"), QStringLiteral("rotate__p.png")));
    pushButton_mirror = make<QPushButton>(widget_2, "pushButton_mirror");
    pushButton_mirror->setFixedSize(16, 15);
    pushButton_mirror->setStyleSheet(
        quorin::styles::imageButton(QStringLiteral("mirror.png"), QStringLiteral("mirror_p.png")));
    horizontalLayout_2->addWidget(pushButton_rotate);
    horizontalLayout_2->addWidget(pushButton_mirror);

    setupSettingsPanel();

    for (QWidget* panel :
         {static_cast<QWidget*>(label), widget_func, widget_7, widget_func1, savelayout, widget, widget_2})
        panel->raise();
}

void Quorin_Interface::setupSettingsPanel() {
    widget_func1 = make<QWidget>(this, "widget_func1", {630, 40, 595, 470});

    // Current range and chip type.
    widget_set1 = make<QWidget>(widget_func1, "widget_set1", {10, -25, 270, 470});
    widget_set1->setMinimumHeight(428);
    widget_set1->setMaximumHeight(600);
    verticalLayout_5 = new QVBoxLayout(widget_set1);
    verticalLayout_5->setObjectName(QStringLiteral("verticalLayout_5"));
    verticalLayout_5->setSpacing(12);

    widget_5 = make<QWidget>(widget_set1, "widget_5");
    widget_5->setFixedSize(260, 248);
    DevelopMode_2 =
        makeText<QLabel>(widget_5, "DevelopMode_2", {0, 25, 250, 30}, QStringLiteral("Current Range"));
    DevelopMode_2->setStyleSheet(quorin::styles::panelTitle);
    ADC_layout_2 = make<QFrame>(widget_5, "ADC_layout_2", {0, 62, 250, 184});
    ADC_layout_2->setMinimumSize(250, 150);
    ADC_layout_2->setMaximumSize(250, 200);
    styleAsPanel(ADC_layout_2, quorin::styles::panelFrame);
    verticalLayoutWidget = make<QWidget>(ADC_layout_2, "verticalLayoutWidget", {50, 20, 160, 116});
    auto* rangeColumn = new QVBoxLayout(verticalLayoutWidget);
    rangeColumn->setContentsMargins(0, 0, 0, 0);
    radioButton = makeText<QRadioButton>(verticalLayoutWidget, "radioButton", QStringLiteral("      150nA"));
    radioButton->setChecked(true);
    radioButton_2 =
        makeText<QRadioButton>(verticalLayoutWidget, "radioButton_2", QStringLiteral("      100nA"));
    radioButton_3 =
        makeText<QRadioButton>(verticalLayoutWidget, "radioButton_3", QStringLiteral("       10nA"));
    radioButton_4 =
        makeText<QRadioButton>(verticalLayoutWidget, "radioButton_4", QStringLiteral("        1nA"));
    for (QRadioButton* range : {radioButton, radioButton_2, radioButton_3, radioButton_4})
        rangeColumn->addWidget(range);
    pushButton_6 =
        makeText<QPushButton>(ADC_layout_2, "pushButton_6", {60, 150, 128, 25}, QStringLiteral("Setting"));
    pushButton_6->setStyleSheet(quorin::styles::settingButton);
    verticalLayout_5->addWidget(widget_5);

    widget_4 = make<QWidget>(widget_set1, "widget_4");
    widget_4->setFixedSize(260, 130);
    DevelopMode_3 =
        makeText<QLabel>(widget_4, "DevelopMode_3", {0, 5, 250, 30}, QStringLiteral("Chip Type Select"));
    DevelopMode_3->setStyleSheet(quorin::styles::panelTitle);
    frame = make<QFrame>(widget_4, "frame", {0, 45, 250, 80});
    styleAsPanel(frame, quorin::styles::panelFrame);
    radioSCAN = makeText<QRadioButton>(frame, "radioSCAN", {20, 15, 70, 20}, QStringLiteral("Type A"));
    radioSCAN->setChecked(true);
    radioGOA = makeText<QRadioButton>(frame, "radioGOA", {20, 40, 70, 20}, QStringLiteral("Type B"));
    for (QRadioButton* type : {radioSCAN, radioGOA}) {
        QFont typeFont = type->font();
        typeFont.setPointSize(10); // the 70-pixel buttons must hold their texts
        type->setFont(typeFont);
    }
    pushButton_switch =
        makeText<QPushButton>(frame, "pushButton_switch", {110, 25, 110, 25}, QStringLiteral("Switch"));
    pushButton_switch->setStyleSheet(quorin::styles::settingButton);
    verticalLayout_5->addWidget(widget_4);
    verticalLayout_5->addStretch();

    // Voltages.
    widget_set2 = make<QWidget>(widget_func1, "widget_set2", {320, 10, 270, 420});
    widget_set2->setMinimumHeight(340);
    widget_set2->setMaximumHeight(600);
    verticalLayout_4 = new QVBoxLayout(widget_set2);
    verticalLayout_4->setObjectName(QStringLiteral("verticalLayout_4"));
    label_10 = makeText<QLabel>(widget_set2, "label_10", QStringLiteral("Voltage"));
    label_10->setFixedHeight(30);
    label_10->setStyleSheet(quorin::styles::panelTitle);
    DAC_layout = make<QFrame>(widget_set2, "DAC_layout");
    DAC_layout->setMinimumSize(250, 284);
    DAC_layout->setMaximumSize(250, 370);
    styleAsPanel(DAC_layout, quorin::styles::panelFrame);
    verticalLayout_4->addWidget(label_10);
    verticalLayout_4->addWidget(DAC_layout);
    pushButton_11 =
        makeText<QPushButton>(DAC_layout, "pushButton_11", {60, 325, 128, 25}, QStringLiteral("Setting"));
    pushButton_11->setStyleSheet(quorin::styles::settingButton);
    scrollArea = make<QScrollArea>(DAC_layout, "scrollArea", {10, 20, 230, 291});
    scrollArea->setWidgetResizable(true);
    scrollArea->setFrameShape(QFrame::NoFrame);
    formLayoutWidget_4 = make<QWidget>(nullptr, "formLayoutWidget_4");
    formLayout_4 = new QFormLayout(formLayoutWidget_4);
    formLayout_4->setObjectName(QStringLiteral("formLayout_4"));
    formLayout_4->setLabelAlignment(Qt::AlignRight | Qt::AlignVCenter);
    formLayout_4->setHorizontalSpacing(6);
    formLayout_4->setVerticalSpacing(21);
    scrollArea->setWidget(formLayoutWidget_4);

    struct Row {
        QLabel*& label;
        const char* labelName;
        const char* text;
        QLineEdit*& field;
        const char* fieldName;
        const char* defaultText;
    };
    const Row rows[] = {
        {label_39, "label_39", "Vbias1", lineEdit_38, "lineEdit_38", "0.5"},
        {label_40, "label_40", "Vbias2", lineEdit_39, "lineEdit_39", "-10.00"},
        {label_45, "label_45", "Vbias3", lineEdit_44, "lineEdit_44", "3.00"},
        {label_46, "label_46", "Vbias4", lineEdit_45, "lineEdit_45", "-2.00"},
        {label_47, "label_47", "Von", lineEdit_46, "lineEdit_46", "12.00"},
        {label_48, "label_48", "Voff", lineEdit_47, "lineEdit_47", "-12.00"},
        {label_36, "label_36", "GOA_DC2", lineEdit_35, "lineEdit_35", "0.00"},
        {label_37, "label_37", "GOA_DC1", lineEdit_36, "lineEdit_36", "0.00"},
        {label_38, "label_38", "VGL", lineEdit_37, "lineEdit_37", "-15.00"},
        {label_41, "label_41", "GOA_DCH", lineEdit_40, "lineEdit_40", "-15.00"},
        {label_42, "label_42", "GOA_DC3", lineEdit_41, "lineEdit_41", "0.00"},
        {label_43, "label_43", "MUX_H", lineEdit_42, "lineEdit_42", "-15.00"},
        {label_44, "label_44", "MUX_L", lineEdit_43, "lineEdit_43", "-15.00"},
        {label_49, "label_49", "Vscan_L", lineEdit_48, "lineEdit_48", "17.00"},
        {label_50, "label_50", "Vscan_H", lineEdit_49, "lineEdit_49", "-17.00"},
        {label_51, "label_51", "BK1", lineEdit_50, "lineEdit_50", "0.00"},
    };
    for (const Row& row : rows) {
        row.label = makeText<QLabel>(formLayoutWidget_4, row.labelName, QString::fromLatin1(row.text));
        row.field =
            makeText<QLineEdit>(formLayoutWidget_4, row.fieldName, QString::fromLatin1(row.defaultText));
        formLayout_4->addRow(row.label, row.field);
    }
    for (QLineEdit* field : visibleVoltageFields()) {
        field->setPlaceholderText(QStringLiteral("[-20.00,20.00]"));
        QFont fieldFont = field->font();
        fieldFont.setPointSize(11);
        field->setFont(fieldFont);
    }
}

std::array<QLineEdit*, 6> Quorin_Interface::visibleVoltageFields() const {
    return {lineEdit_38, lineEdit_39, lineEdit_44, lineEdit_45, lineEdit_46, lineEdit_47};
}

std::array<QWidget*, 20> Quorin_Interface::hiddenVoltageRowWidgets() const {
    return {label_36,    lineEdit_35, label_37,    lineEdit_36, label_38,    lineEdit_37, label_41,
            lineEdit_40, label_42,    lineEdit_41, label_43,    lineEdit_42, label_44,    lineEdit_43,
            label_49,    lineEdit_48, label_50,    lineEdit_49, label_51,    lineEdit_50};
}
