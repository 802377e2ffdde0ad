// The main window as built: hidden panels, voltage rows, the validator, the save-count list, the menus.
#include "MainWindowFixture.h"

#include <QComboBox>
#include <QItemDelegate>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>
#include <QWidgetAction>

using quorin::test::MainWindowFixture;

class MainWindow : public MainWindowFixture {};

TEST_F(MainWindow, StartsWithOverlaysProgressBarAndSpareVoltageRowsHidden) {
    for (const char* hidden : {"widget", "password_input", "savelayout", "widget_10"})
        EXPECT_FALSE(visible(QString::fromLatin1(hidden))) << hidden;
    for (const char* shown : {"label", "widget_func", "widget_func1", "widget_7", "widget_2", "pushButton_5"})
        EXPECT_TRUE(visible(QString::fromLatin1(shown))) << shown;

    const QStringList visibleRows{"label_39", "lineEdit_38", "label_40", "lineEdit_39",
                                  "label_45", "lineEdit_44", "label_46", "lineEdit_45",
                                  "label_47", "lineEdit_46", "label_48", "lineEdit_47"};
    const QStringList hiddenRows{"label_36",    "lineEdit_35", "label_37",    "lineEdit_36", "label_38",
                                 "lineEdit_37", "label_41",    "lineEdit_40", "label_42",    "lineEdit_41",
                                 "label_43",    "lineEdit_42", "label_44",    "lineEdit_43", "label_49",
                                 "lineEdit_48", "label_50",    "lineEdit_49", "label_51",    "lineEdit_50"};
    for (const QString& name : visibleRows)
        EXPECT_TRUE(visible(name)) << name.toStdString();
    for (const QString& name : hiddenRows)
        EXPECT_FALSE(visible(name)) << name.toStdString();

    EXPECT_EQ(text("pushButton_5"), "Open");
    EXPECT_EQ(text("pushButton_2"), "Capture");
    EXPECT_EQ(text("label_Running"), "   Stop");
    EXPECT_EQ(text("lineEdit_38"), "0.5");
    EXPECT_EQ(text("lineEdit_49"), "-17.00");
    EXPECT_EQ(find<QLineEdit>("lineEdit_46")->placeholderText(), "[-20.00,20.00]");
    EXPECT_EQ(window->findChild<QWidget*>("label")->geometry(), QRect(20, 45, 600, 600));
}

TEST_F(MainWindow, CalibrationDirectoryIsMadeInTheWorkingDirectory) {
    EXPECT_TRUE(workDir().exists("Calibration"));
}

TEST_F(MainWindow, SaveCountListOffersSixCountsWithThirtySelectedAndTallRows) {
    auto* counts = find<QComboBox>("comboBox_3");
    ASSERT_NE(counts, nullptr);
    QStringList items;
    for (int i = 0; i < counts->count(); ++i)
        items << counts->itemText(i);
    EXPECT_EQ(items, (QStringList{" 1", " 30", " 50", " 100", " 500", " 1000"}));
    EXPECT_EQ(counts->currentIndex(), 1);

    QStyleOptionViewItem option;
    option.initFrom(counts);
    const QModelIndex row = counts->model()->index(0, 0);
    const int plain = QItemDelegate().sizeHint(option, row).height();
    EXPECT_EQ(counts->itemDelegate()->sizeHint(option, row).height(), plain + 20);
    EXPECT_EQ(find<QComboBox>("comboBox")->itemDelegate(), counts->itemDelegate());
}

struct Typed {
    const char* text;
    bool accepted;
};

class VoltageField : public MainWindowFixture, public ::testing::WithParamInterface<Typed> {};

// The operator types character by character; a refused keystroke leaves the field without it.
TEST_P(VoltageField, TakesOnlyVoltsWithinTwentyAndAtMostThreeDecimals) {
    for (const char* name :
         {"lineEdit_38", "lineEdit_39", "lineEdit_44", "lineEdit_45", "lineEdit_46", "lineEdit_47"}) {
        auto* field = find<QLineEdit>(name);
        ASSERT_NE(field, nullptr);
        field->clear();
        QTest::keyClicks(field, QString::fromLatin1(GetParam().text));
        const bool accepted = field->text() == QLatin1String(GetParam().text) && field->hasAcceptableInput();
        EXPECT_EQ(accepted, GetParam().accepted) << name << " took \"" << field->text().toStdString() << "\"";
    }
}

INSTANTIATE_TEST_SUITE_P(Texts, VoltageField,
                         ::testing::Values(Typed{"20", true}, Typed{"20.0", true}, Typed{"20.00", true},
                                           Typed{"-19.999", true}, Typed{"7", true}, Typed{"-0.5", true},
                                           Typed{"20.1", false}, Typed{"21", false}, Typed{"1.2345", false},
                                           Typed{"abc", false}, Typed{"-20.000", false}));

TEST_F(MainWindow, MenusHoldCalibrationScreenExchangeAndContactButtonsOnly) {
    QMenuBar* bar = window->menuBar();
    QStringList titles;
    QStringList entries;
    for (QAction* menuAction : bar->actions()) {
        titles << menuAction->text();
        for (QAction* entry : menuAction->menu()->actions()) {
            auto* widgetAction = qobject_cast<QWidgetAction*>(entry);
            ASSERT_NE(widgetAction, nullptr) << "menus show buttons, not plain actions";
            auto* button = qobject_cast<QPushButton*>(widgetAction->defaultWidget());
            ASSERT_NE(button, nullptr);
            entries << button->text();
        }
    }
    EXPECT_EQ(titles, (QStringList{"    Setting    ", "    Window    ", "    Help    "}));
    EXPECT_EQ(entries, (QStringList{"Calibration", "Screen Exchange", "Contact Us"}));

    // All five entries exist; "Developer Mode" and "Language" are in no menu, "Developer Mode" is hidden.
    QStringList built;
    for (auto* action : window->findChildren<QWidgetAction*>()) {
        auto* button = qobject_cast<QPushButton*>(action->defaultWidget());
        ASSERT_NE(button, nullptr);
        built << button->text();
        const bool inMenu = !action->associatedWidgets().isEmpty();
        EXPECT_EQ(inMenu, entries.contains(button->text())) << button->text().toStdString();
        if (button->text() == "Developer Mode") {
            EXPECT_TRUE(button->isHidden());
        }
    }
    built.sort();
    EXPECT_EQ(built,
              (QStringList{"Calibration", "Contact Us", "Developer Mode", "Language", "Screen Exchange"}));
}
