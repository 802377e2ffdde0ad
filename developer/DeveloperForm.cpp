#include "DeveloperForm.h"

#include "DeveloperStyle.h"
#include "ParameterBlock.h"
#include "TimingPackets.h"

#include <QFormLayout>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QTabWidget>
#include <QTextEdit>
#include <QVBoxLayout>

namespace {

QLineEdit* addRow(QFormLayout* form, const QString& label, const QString& objectName,
                  const QString& text = {}) {
    auto* edit = new QLineEdit(text);
    edit->setObjectName(objectName);
    form->addRow(label, edit);
    return edit;
}

QPushButton* button(QWidget* parent, const char* objectName, const QString& text, QRect geometry = {}) {
    auto* b = new QPushButton(text, parent);
    b->setObjectName(objectName);
    if (!geometry.isNull())
        b->setGeometry(geometry);
    return b;
}

QLabel* panelHeader(const char* objectName, const QString& text) {
    auto* label = new QLabel(text);
    label->setObjectName(objectName);
    label->setTextFormat(Qt::RichText);
    label->setAlignment(Qt::AlignCenter);
    label->setFixedHeight(30);
    QFont font(QStringLiteral("微软雅黑"));
    font.setWeight(QFont::Normal);
    label->setFont(font);
    return label;
}

QFrame* frameNamed(QWidget* parent, const char* objectName) {
    auto* f = new QFrame(parent);
    f->setObjectName(objectName);
    return f;
}

struct HeaderedPanel {
    QLabel* header;
    QFrame* body;
    QVBoxLayout* content;
};

// A header bar above a bordered body, filling `container`.
HeaderedPanel headeredPanel(QWidget* container, const char* headerName, const QString& title,
                            const char* bodyName) {
    auto* column = new QVBoxLayout(container);
    column->setContentsMargins(0, 0, 0, 0);
    QLabel* header = panelHeader(headerName, title);
    column->addWidget(header);
    QFrame* body = frameNamed(nullptr, bodyName);
    column->addWidget(body);
    return {header, body, new QVBoxLayout(body)};
}

struct ScrollingForm {
    QScrollArea* area;
    QFormLayout* form;
};

// A vertical scroll area over a form of rows.
ScrollingForm scrollingForm(QWidget* parent, const char* areaName, QRect geometry = {},
                            int contentHeight = 0) {
    auto* area = new QScrollArea(parent);
    area->setObjectName(areaName);
    area->setWidgetResizable(true);
    area->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    if (!geometry.isNull())
        area->setGeometry(geometry);
    auto* content = new QWidget;
    content->setObjectName(QString::fromLatin1(areaName) + QStringLiteral("Contents"));
    if (contentHeight > 0)
        content->setMinimumHeight(contentHeight);
    auto* form = new QFormLayout(content);
    area->setWidget(content);
    return {area, form};
}

QString fieldName(int number) {
    return QStringLiteral("lineEdit_%1").arg(number);
}

QString scanRowLabel(int k) {
    if (k == 0)
        return QStringLiteral("scan_ck_high");
    if (k <= 8)
        return QStringLiteral("ck%1_start").arg(k);
    if (k == 9)
        return QStringLiteral("scan_high");
    if (k <= 41)
        return QStringLiteral("scan%1_start").arg(k - 9);
    return QStringLiteral(
        "<html><head/><body><p><span style=\" font-size:10pt;\">scan_total </span></p></body></html>");
}

} // namespace

void DeveloperForm::setupUi(QWidget* window) {
    window->setObjectName(QStringLiteral("Developer_Mode"));
    window->setWindowTitle(QStringLiteral("Developer_Mode"));
    window->resize(948, 599);
    window->setMinimumSize(0, 180);
    window->setStyleSheet(developerstyle::window);

    // ADC panel.
    verticalLayoutWidget_2 = new QWidget(window);
    verticalLayoutWidget_2->setObjectName(QStringLiteral("verticalLayoutWidget_2"));
    verticalLayoutWidget_2->setGeometry(30, 40, 232, 240);
    const HeaderedPanel adc =
        headeredPanel(verticalLayoutWidget_2, "DevelopMode", QStringLiteral("ADC"), "ADC_layout");
    DevelopMode = adc.header;
    ADC_layout = adc.body;
    auto* adcForm = new QFormLayout;
    lineEdit_int0 = addRow(adcForm, QStringLiteral("INT0(us)"), QStringLiteral("lineEdit_int0"));
    lineEdit_int1 = addRow(adcForm, QStringLiteral("INT1(us)"), QStringLiteral("lineEdit_int1"));
    lineEdit_cfgreg = addRow(adcForm, QStringLiteral("CFG_REG"), QStringLiteral("lineEdit_cfgreg"));
    adc.content->addLayout(adcForm);
    pushButton_adc = button(nullptr, "pushButton_adc", QStringLiteral("ADC Config"));
    pushButton_adc->setFixedHeight(25);
    adc.content->addWidget(pushButton_adc);

    // Mode panel; the two radio buttons share their parent and so exclude each other.
    frame = frameNamed(window, "frame");
    frame->setGeometry(30, 300, 230, 101);
    radioGOA = new QRadioButton(QStringLiteral("GOA Mode"), frame);
    radioGOA->setObjectName(QStringLiteral("radioGOA"));
    radioGOA->setGeometry(10, 30, 121, 20);
    radioSCAN = new QRadioButton(QStringLiteral("SCAN Mode"), frame);
    radioSCAN->setObjectName(QStringLiteral("radioSCAN"));
    radioSCAN->setGeometry(10, 55, 121, 20);
    radioSCAN->setChecked(true);
    pushButton_switch = button(frame, "pushButton_switch", QStringLiteral("Switch"), {115, 40, 100, 25});

    // Frame-rate panel.
    frame_4 = frameNamed(window, "frame_4");
    frame_4->setGeometry(45, 420, 201, 91);
    label_7 = new QLabel(QStringLiteral("Frame"), frame_4);
    label_7->setObjectName(QStringLiteral("label_7"));
    label_7->setTextFormat(Qt::RichText);
    label_7->setGeometry(15, 20, 50, 22);
    lineEdit_frame = new QLineEdit(frame_4);
    lineEdit_frame->setObjectName(QStringLiteral("lineEdit_frame"));
    lineEdit_frame->setGeometry(70, 20, 116, 22);
    pushButton_Frame = button(frame_4, "pushButton_Frame", QStringLiteral("FREQ  Config"), {50, 55, 100, 24});

    // DAC panel. Slots 12 to 15 carry labels that differ from their fields' channels.
    frame_2 = frameNamed(window, "frame_2");
    frame_2->setGeometry(300, 40, 222, 551);
    const HeaderedPanel dacPanel = headeredPanel(frame_2, "label_2", QStringLiteral("DAC"), "DAC_layout");
    label_2 = dacPanel.header;
    DAC_layout = dacPanel.body;
    const ScrollingForm dacRows = scrollingForm(nullptr, "scrollArea_dac");
    dacPanel.content->addWidget(dacRows.area);
    static const char* const dacLabels[16] = {
        "GOA_DC2", "GOA_DC1",   "VGL",       "TFT_Vbias", "TFT_VCOM", "GOA_DCH", "GOA_DC3", "MUX_H",
        "MUX_L",   "Pixel_DC1", "Pixel_DC2", "Vclk_H",    "Vclk_L",   "Vscan_H", "Vscan_L", "BK1"};
    for (std::size_t i = 0; i < dac.size(); ++i)
        dac[i] = addRow(dacRows.form, QString::fromLatin1(dacLabels[i]),
                        QString::fromLatin1(quorin::dacFields[i]));
    pushButton_dac = button(nullptr, "pushButton_dac", QStringLiteral("DAC Config"));
    pushButton_dac->setFixedHeight(25);
    dacPanel.content->addWidget(pushButton_dac);

    // Timing tabs.
    tabWidget = new QTabWidget(window);
    tabWidget->setObjectName(QStringLiteral("tabWidget"));
    tabWidget->setGeometry(550, 38, 220, 533);
    tab = new QWidget;
    tab->setObjectName(QStringLiteral("tab"));
    tab_2 = new QWidget;
    tab_2->setObjectName(QStringLiteral("tab_2"));
    tabWidget->addTab(tab, QStringLiteral("GOA"));
    tabWidget->addTab(tab_2, QStringLiteral("SCAN"));

    static const char* const goaDefaults[16][2] = {
        {"rst_fall", "100"},          {"rst_rise", "9842200"}, {"Stv_rise", "200"},  {"Stv_fall", "30620"},
        {"ck_start", "200"},          {"ck_high", "30400"},    {"ck_low", "45600"},  {"ck_num", "130"},
        {"xck_start", "38200"},       {"xck_high", "30400"},   {"xck_low", "45600"}, {"xck_num", "1129"},
        {"total_period", "10000000"}, {"SA_start", "1600"},    {"SB_start", "5600"}, {"SAB_high", "3200"},
    };
    const ScrollingForm goaRows = scrollingForm(tab, "scrollArea_goa", {0, 0, 214, 450});
    for (std::size_t i = 0; i < goa.size(); ++i)
        goa[i] = addRow(goaRows.form, QString::fromLatin1(goaDefaults[i][0]), fieldName(quorin::goaFields[i]),
                        QString::fromLatin1(goaDefaults[i][1]));
    pushButton_goa = button(tab, "pushButton_goa", QStringLiteral("GOA Config"), {55, 460, 110, 25});

    const ScrollingForm scanRows = scrollingForm(tab_2, "scrollArea_scan", {0, 0, 214, 450}, 1330);
    for (int k = 0; k < quorin::scanValueCount; ++k)
        addRow(scanRows.form, scanRowLabel(k), fieldName(quorin::scanFirstField + k));
    pushButton_scan = button(tab_2, "pushButton_scan", QStringLiteral("SCAN Config"), {55, 460, 110, 25});

    // Parameter panel: textEdit_1 only draws the panel's border; textEdit holds the listing.
    frame_3 = frameNamed(window, "frame_3");
    frame_3->setGeometry(790, 40, 141, 541);
    label_3 = panelHeader("label_3", QStringLiteral("Param List"));
    label_3->setParent(frame_3);
    label_3->setGeometry(0, 0, 130, 30);
    textEdit_1 = new QTextEdit(frame_3);
    textEdit_1->setObjectName(QStringLiteral("textEdit_1"));
    textEdit_1->setGeometry(0, 30, 130, 503);
    textEdit_1->setReadOnly(true);
    textEdit_1->setFocusPolicy(Qt::NoFocus);
    textEdit = new QTextEdit(frame_3);
    textEdit->setObjectName(QStringLiteral("textEdit"));
    textEdit->setGeometry(10, 40, 110, 455);
    pushButton_readparam =
        button(frame_3, "pushButton_readparam", QStringLiteral("ReadParam"), {14, 500, 100, 25});

    tabWidget->setCurrentIndex(0);
    textEdit->setReadOnly(true);
}
