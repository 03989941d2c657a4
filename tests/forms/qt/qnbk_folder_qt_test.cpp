// QNBK-FOLDER on the desktop runtime, driven through its real widgets with QTest under the
// offscreen platform: the folders typed, the zip option chosen from the Options menu by
// keyboard, the backup made by the real zip program.
#include <QAction>
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
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
#include "frame/external.hpp"
#include "frame/misc_area.hpp"
#include "platform/clock.hpp"
#include "quarn/quarn-m.h"
#include "support/temp_folder.hpp"

namespace {

using quarn::testing::control;
using quarn::testing::Driver;
using quarn::testing::is_message;

bool is_backup_form(QWidget* w) {
  return w->objectName() == QLatin1String("QNBK-Folder");
}

void retype(QWidget* form, const char* name, const std::string& text) {
  auto* field = control<QLineEdit>(form, name);
  field->setFocus();
  field->selectAll();
  QTest::keyClicks(field, QString::fromStdString(text));
}

// Acknowledges a message box whose text starts with `start`.
Driver::Step acknowledge(const std::string& start) {
  return [start](QWidget* box) {
    auto* message = static_cast<QMessageBox*>(box);
    QVERIFY2(message->text().toStdString().starts_with(start), qPrintable(message->text()));
    QCOMPARE(message->windowTitle(), QStringLiteral("QUARN-QNBK-Folder"));
    QTest::keyClick(box, Qt::Key_Return);
  };
}

}  // namespace

class QnbkFolderQtTest : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    quarn::control::close_control_file();
    misc = quarn::frame::misc_area();
    std::memset(misc, ' ', sizeof *misc);
    home = std::make_unique<quarn::testing::TempFolder>();
    folder = home->path().string() + "/";
    std::memset(misc->xm_home_folder, 0, sizeof misc->xm_home_folder);
    std::memcpy(misc->xm_home_folder, folder.data(), folder.size());
    quarn::frame::write_be16(misc->xm_folder_length, static_cast<std::int16_t>(folder.size()));
    area = quarn::frame::external<QuarnQnbkParameters>("QNBK-PARAMETERS");
    std::memset(area, ' ', sizeof *area);
    std::filesystem::create_directories(folder + "CO1/old.adb");
    std::filesystem::create_directories(folder + "BK");
    std::ofstream(folder + "CO1/names.adb") << "names\n";
    std::ofstream(folder + "CO1/notes.txt") << "notes\n";
    quarn::platform::set_clock([] { return quarn::platform::LocalTime{2024, 5, 1, 13, 15, 0}; });
  }
  void cleanup() {
    quarn::platform::set_clock({});
    quarn::control::close_control_file();
  }

  void theFormShowsItsControlsAndZipsWithTheKeyboard() {
    const std::string zip = folder + "BK/CO1 (2024-05-01 1315).zip";
    const std::string source = folder + "CO1/";
    const std::string to = folder + "BK/";
    Driver driver;
    driver.then(is_backup_form, [&](QWidget* form) {
      QCOMPARE(form->windowTitle().toStdString().starts_with("QUARN-QNBK-Folder"), true);
      QCOMPARE(control<QGroupBox>(form, "Source-Folder-CmFrame")->title(),
               QStringLiteral("Folder to Backup"));
      QCOMPARE(control<QGroupBox>(form, "Destination-CmFrame")->title(),
               QStringLiteral("Destination Location"));
      QCOMPARE(control<QLineEdit>(form, "Source-Folder-CmText")->text().toStdString(),
               folder + "DATA/");
      QCOMPARE(control<QLineEdit>(form, "Destination-CmText")->toolTip(),
               QStringLiteral("Path to drive or folder where backup will be placed"));
      QCOMPARE(control<QPushButton>(form, "_CmBtn-Backup")->text(), QStringLiteral("&Backup"));
      QVERIFY(control<QPushButton>(form, "_CmBtn-Backup")->isDefault());
      QVERIFY(control<QLabel>(form, "NOTE-CmStatic")->text().contains("individually copied"));
      retype(form, "Source-Folder-CmText", source);
      retype(form, "Destination-CmText", to);
      // Options > Backup to Zip file, by keyboard.
      QTest::keyClick(form, Qt::Key_O, Qt::AltModifier);
      QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_Z);
      QVERIFY(control<QAction>(form, "Zip-MenuItem")->isChecked());
      QVERIFY(control<QLabel>(form, "NOTE-CmStatic")->text().contains("zipped into a file"));
      QTest::keyClick(form, Qt::Key_B, Qt::AltModifier);
    });
    driver.then(is_message, acknowledge("Creating folder zip file " + zip));
    driver.then(is_message, acknowledge("Backup ZIP file " + zip + " has been successfully"));
    driver.start();
    std::int32_t outcome = -1;
    char runtime[8];
    QUARN_QNBK_FOLDER(nullptr, nullptr, &outcome, nullptr, runtime, nullptr);
    QVERIFY(driver.done());
    QCOMPARE(outcome, 1);
    QCOMPARE(std::string(runtime, 8), std::string("qt      "));
    QCOMPARE(std::string(area->qnbk_result, 2), std::string("00"));
    QVERIFY(std::filesystem::is_regular_file(zip));
  }

  // The caller's folder is backed up from the timer, without a click; the question about
  // the missing destination is answered No, and the form ends with "01".
  void thePresetFolderIsBackedUpByTheTimer() {
    quarn::frame::put_text(area->qnbk_marker, "QNBK");
    quarn::frame::put_text(area->qnbk_folder, folder + "CO1/");
    quarn::frame::put_text(area->qnbk_destination, folder + "NEW/");
    Driver driver;
    driver.then(is_message, [](QWidget* box) {
      auto* message = static_cast<QMessageBox*>(box);
      QVERIFY(message->text().contains("does not exist.  Do you want to create it?"));
      QCOMPARE(message->icon(), QMessageBox::Question);
      QTest::keyClick(box, Qt::Key_Escape);  // No
    });
    driver.start();
    std::int32_t outcome = -1;
    QUARN_QNBK_FOLDER(nullptr, nullptr, &outcome, nullptr, nullptr, nullptr);
    QVERIFY(driver.done());
    QCOMPARE(outcome, 0);
    QCOMPARE(std::string(area->qnbk_result, 2), std::string("01"));
    QVERIFY(!std::filesystem::exists(folder + "NEW"));
  }

 private:
  QuarnXMiscExternalWs* misc = nullptr;
  QuarnQnbkParameters* area = nullptr;
  std::unique_ptr<quarn::testing::TempFolder> home;
  std::string folder;
};

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  quarn::forms::set_runtime(quarn_forms_qt_runtime());
  QnbkFolderQtTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "qnbk_folder_qt_test.moc"
