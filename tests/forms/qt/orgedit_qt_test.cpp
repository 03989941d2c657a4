// ORGEDIT on the desktop runtime, driven through its real widgets with QTest under the
// offscreen platform: keys typed and pressed as a person would.
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>
#include <QtTest>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>

#include "control/quarn_control_file.hpp"
#include "forms/qt/driver.hpp"
#include "forms/qt/qt_runtime.hpp"
#include "forms/runtime.hpp"
#include "frame/codec.hpp"
#include "frame/misc_area.hpp"
#include "quarn/quarn-m.h"
#include "support/file_contents.hpp"
#include "support/temp_folder.hpp"

namespace {

std::string orgfile(std::initializer_list<std::string_view> lines) {
  std::string all;
  for (const std::string_view l : lines) {
    std::string line(l);
    line.resize(40, ' ');
    all += line + "\n";
  }
  return all;
}

using quarn::testing::control;
using quarn::testing::Driver;
using quarn::testing::is_message;

bool is_orgedit(QWidget* w) {
  return w->objectName() == QLatin1String("OrgEdit");
}
bool is_file_dialog(QWidget* w) {
  return qobject_cast<QFileDialog*>(w) != nullptr;
}
// Types the organisation name on the first line of the name block.
void type_name(QWidget* form, const char* name) {
  auto* block = control<QPlainTextEdit>(form, "OrgData-CmText");
  block->setFocus();
  QTest::keyClick(block, Qt::Key_Home, Qt::ControlModifier);
  QTest::keyClick(block, Qt::Key_End, Qt::ShiftModifier);
  QTest::keyClicks(block, QLatin1String(name));
}

void choose_country(QWidget* form, const char* typed) {
  auto* combo = control<QComboBox>(form, "Country-CmCombo");
  combo->setFocus();
  QTest::keyClicks(combo, QLatin1String(typed));
}

}  // namespace

class OrgEditQtTest : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    quarn::control::close_control_file();
    misc = quarn::frame::misc_area();
    std::memset(misc, ' ', sizeof *misc);
    home = std::make_unique<quarn::testing::TempFolder>();
    const std::string folder = home->path().string() + "/";
    std::memset(misc->xm_home_folder, 0, sizeof misc->xm_home_folder);
    std::memcpy(misc->xm_home_folder, folder.data(), folder.size());
    quarn::frame::write_be16(misc->xm_folder_length, static_cast<std::int16_t>(folder.size()));
    co1 = folder + "CO1/";
    std::filesystem::create_directories(co1);
  }
  void cleanup() { quarn::control::close_control_file(); }

  void typeANameChooseCanadaAndSaveWithAltS() {
    std::ofstream(co1 + "ORGFILE") << orgfile(
        {"", "1 Main St", "Ottawa, ON K1A 0B1", "555-1234", "  x123456789yyy987654321zz", ""});
    Driver driver;
    driver.then(is_orgedit, [](QWidget* form) {
      QCOMPARE(form->windowTitle().toStdString().ends_with("CO1/ORGFILE"), true);
      type_name(form, "Acme Widgets Ltd");
      choose_country(form, "Canada");
      QCOMPARE(control<QComboBox>(form, "Country-CmCombo")->currentText(),
               QStringLiteral("Canada (CA)"));
      QTest::keyClick(form, Qt::Key_S, Qt::AltModifier);
    });
    driver.start();
    std::int32_t outcome = -1;
    char runtime[8];
    run(co1, &outcome, runtime);
    QVERIFY(driver.done());
    QCOMPARE(outcome, 1);
    QCOMPARE(std::string(runtime, 8), std::string("qt      "));
    QCOMPARE(quarn::testing::file_contents(co1 + "ORGFILE"),
             orgfile({"Acme Widgets Ltd", "1 Main St", "Ottawa, ON K1A 0B1", "555-1234",
                      "CAx123456789yyy987654321zz", ""}));
  }

  void theCountryMessageWhenNoneIsChosen() {
    const std::string before = orgfile({"Named", "", "", "", "", ""});
    std::ofstream(co1 + "ORGFILE") << before;
    Driver driver;
    driver.then(is_orgedit,
                [](QWidget* form) { QTest::keyClick(form, Qt::Key_S, Qt::AltModifier); });
    driver.then(is_message, [](QWidget* box) {
      auto* message = static_cast<QMessageBox*>(box);
      QCOMPARE(message->text(),
               QStringLiteral("ERROR: Country Location of Organization is missing."));
      QCOMPARE(message->icon(), QMessageBox::Critical);
      QCOMPARE(message->windowTitle(), QStringLiteral("QUARN-OrgEdit"));
      QTest::keyClick(box, Qt::Key_Return);
    });
    driver.then(is_orgedit, [](QWidget* form) { QTest::keyClick(form, Qt::Key_Escape); });
    driver.start();
    std::int32_t outcome = -1;
    run(co1, &outcome, nullptr);
    QVERIFY(driver.done());
    QCOMPARE(outcome, 0);
    QCOMPARE(quarn::testing::file_contents(co1 + "ORGFILE"), before);
  }

  void theReplaceQuestionAnsweredNoWritesNothing() {
    const std::string before = orgfile({"Kept", "", "", "", "US", ""});
    std::ofstream(co1 + "ORGFILE") << before;
    const std::string folder = co1;
    Driver driver;
    // No caller folder: File > New, a name and a country, File > Save As, all by keyboard.
    driver.then(is_orgedit, [](QWidget* form) {
      QCOMPARE(form->windowTitle(), QStringLiteral("Company Data"));
      QTest::keyClick(form, Qt::Key_F, Qt::AltModifier);
      QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_N);
    });
    driver.then(is_orgedit, [](QWidget* form) {
      type_name(form, "Replacement");
      choose_country(form, "United");  // a space would open the list
      QTest::keyClick(form, Qt::Key_F, Qt::AltModifier);
      QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_A);
    });
    driver.then(is_file_dialog, [folder](QWidget* dialog) {
      QCOMPARE(dialog->windowTitle(), QStringLiteral("Save ORGFILE in:"));
      auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
      QVERIFY(name != nullptr);
      name->clear();
      QTest::keyClicks(name, QString::fromStdString(folder));
      QTest::keyClick(name, Qt::Key_Return);
    });
    driver.then(is_message, [folder](QWidget* box) {
      auto* message = static_cast<QMessageBox*>(box);
      QCOMPARE(message->text().toStdString(), "Replace ORGFILE in folder " + folder + "?");
      QCOMPARE(message->icon(), QMessageBox::Question);
      QCOMPARE(message->defaultButton(), message->button(QMessageBox::No));
      QTest::keyClick(box, Qt::Key_Return);  // the preset button: No
    });
    driver.then(is_orgedit, [](QWidget* form) { QTest::keyClick(form, Qt::Key_Escape); });
    driver.start();
    std::int32_t outcome = -1;
    run("", &outcome, nullptr);
    QVERIFY(driver.done());
    QCOMPARE(outcome, 0);
    QCOMPARE(quarn::testing::file_contents(co1 + "ORGFILE"), before);
  }

  void theFormHasEveryControlAndATabOrder() {
    std::ofstream(co1 + "ORGFILE") << orgfile({"Named", "", "", "", "US", ""});
    Driver driver;
    driver.then(is_orgedit, [](QWidget* form) {
      auto* tabs = control<QTabWidget>(form, "OrgEdit-CmTab");
      QCOMPARE(tabs->count(), 2);
      QCOMPARE(tabs->tabText(0), QStringLiteral("&1  Name / Address / Phone"));
      QCOMPARE(tabs->tabText(1), QStringLiteral("&2  SDA / Gov / Banik IDs"));
      for (const char* name : {"OrgData-CmText", "Country-CmCombo", "ID-CmText", "OrgMastID-CmText",
                               "OrgID-Lookup-CmBtn", "OrgMastName-CmStatic",
                               "SelectFileMessage-CmStatic", "_CmBtn-SAVE", "_CmBtn-CANCEL"})
        QVERIFY2(form->findChild<QWidget*>(QLatin1String(name)) != nullptr, name);
      QCOMPARE(control<QPushButton>(form, "_CmBtn-SAVE")->text(), QStringLiteral("&Save"));
      QVERIFY(control<QPushButton>(form, "_CmBtn-SAVE")->isDefault());
      // Tab from the name block goes to the country list.
      control<QPlainTextEdit>(form, "OrgData-CmText")->setFocus();
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
      QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("Country-CmCombo"));
      QTest::keyClick(form, Qt::Key_Escape);
    });
    driver.start();
    run(co1, nullptr, nullptr);
    QVERIFY(driver.done());
  }

 private:
  static void run(const std::string& folder, std::int32_t* outcome, char* runtime) {
    auto* misc = quarn::frame::misc_area();
    quarn::frame::put_text(misc->xm_document_folder, folder);
    QUARN_ORGEDIT(nullptr, nullptr, outcome, nullptr, runtime, nullptr);
  }

  QuarnXMiscExternalWs* misc = nullptr;
  std::unique_ptr<quarn::testing::TempFolder> home;
  std::string co1;
};

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  quarn::forms::set_runtime(quarn_forms_qt_runtime());
  OrgEditQtTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "orgedit_qt_test.moc"
