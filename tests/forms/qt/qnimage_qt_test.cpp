// QNIMAGE on the desktop runtime under the offscreen platform: the pictures it shows, read
// back from its real picture control, and Resize against the screen's work area.
#include <QApplication>
#include <QBuffer>
#include <QDialog>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QtTest>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

#include "control/quarn_control_file.hpp"
#include "docout/qim.hpp"
#include "forms/qt/driver.hpp"
#include "forms/qt/qt_runtime.hpp"
#include "forms/runtime.hpp"
#include "frame/codec.hpp"
#include "frame/external.hpp"
#include "frame/misc_area.hpp"
#include "quarn/quarn-m.h"
#include "support/temp_folder.hpp"

namespace {

using quarn::testing::control;
using quarn::testing::Driver;

bool is_viewer(QWidget* w) {
  return w->objectName() == QLatin1String("QNImage");
}

// A picture of two colours, so that a wrong scaling or a lost picture shows.
QImage picture(int width, int height) {
  QImage image(width, height, QImage::Format_RGB32);
  image.fill(QColor(30, 90, 160));
  QPainter painter(&image);
  painter.fillRect(0, 0, width / 2, height / 2, QColor(240, 200, 40));
  return image;
}

// What the viewer shows: the picture's own size as the form reports it, the size it is
// drawn at, and the control's place.
struct Shown {
  QSize own;
  QSize drawn;
  QRect control;
};

Shown shown(QWidget* form) {
  auto* label = control<QLabel>(form, "QNImage");
  const auto active = quarn::forms::runtime().active_form();
  Shown s;
  s.own =
      QSize(static_cast<int>(quarn::forms::control_number(*active, "QNImage", "PictureWidth")),
            static_cast<int>(quarn::forms::control_number(*active, "QNImage", "PictureHeight")));
  s.drawn = label->pixmap().size();
  s.control = label->geometry();
  return s;
}

}  // namespace

class QnImageQtTest : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    quarn::control::close_control_file();
    auto* misc = quarn::frame::misc_area();
    std::memset(misc, ' ', sizeof *misc);
    home = std::make_unique<quarn::testing::TempFolder>();
    folder = home->path().string() + "/";
    std::memset(misc->xm_home_folder, 0, sizeof misc->xm_home_folder);
    std::memcpy(misc->xm_home_folder, folder.data(), folder.size());
    quarn::frame::write_be16(misc->xm_folder_length, static_cast<std::int16_t>(folder.size()));
    // The work area is the screen's: the application has not stored one.
    for (char* field : {misc->xm_work_area_left, misc->xm_work_area_top, misc->xm_work_area_width,
                        misc->xm_work_area_height})
      quarn::frame::write_le32(field, 0);
    std::filesystem::create_directories(folder + "tmp");
    setenv("TMPDIR", (folder + "tmp").c_str(), 1);
    auto* preferences = quarn::frame::external<QuarnImagePreferences>("IMAGE-PREFERENCES");
    preferences->ip_fit_window[0] = ' ';
  }
  void cleanup() {
    unsetenv("TMPDIR");
    quarn::control::close_control_file();
  }

  void showsAJpegABitmapAndAQim_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<QSize>("size");
    QTest::newRow("JPEG") << "photo.jpg" << QSize(160, 120);
    QTest::newRow("bitmap") << "scan.bmp" << QSize(90, 200);
    QTest::newRow("QIM") << "record.qim" << QSize(240, 80);
  }
  void showsAJpegABitmapAndAQim() {
    QFETCH(QString, file);
    QFETCH(QSize, size);
    const std::string path = folder + file.toStdString();
    write_picture(path, size);

    Driver driver;
    Shown seen;
    QString name;
    driver.then(is_viewer, [&](QWidget* form) {
      // The timer fits the picture once the window is shown.
      QTRY_VERIFY(!control<QLabel>(form, "QNImage")->pixmap().isNull());
      seen = shown(form);
      name = control<QLineEdit>(form, "ImageName")->text();
      QTest::mouseClick(control<QPushButton>(form, "CmBtn-EXIT"), Qt::LeftButton);
    });
    driver.start();
    std::int32_t outcome = -1;
    open(path, &outcome);
    QVERIFY(driver.done());
    QCOMPARE(outcome, 1);
    QCOMPARE(name.toStdString(), path);
    QCOMPARE(seen.own, size);
    // Drawn as large as the control allows, its proportions kept.
    QVERIFY(!seen.drawn.isEmpty());
    QVERIFY(seen.drawn.width() <= seen.control.width() &&
            seen.drawn.height() <= seen.control.height());
    QVERIFY(seen.drawn.width() == seen.control.width() ||
            seen.drawn.height() == seen.control.height());
    QVERIFY(std::abs(seen.drawn.width() * size.height() - seen.drawn.height() * size.width()) <=
            std::max(size.width(), size.height()));
    QVERIFY(std::filesystem::is_empty(folder + "tmp"));
  }

  void resizeOnAPictureLargerThanTheScreenTakesTheWorkArea() {
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    const std::string path = folder + "large.jpg";
    write_picture(path, area.size() * 2);

    Driver driver;
    QSize window;
    Shown seen;
    driver.then(is_viewer, [&](QWidget* form) {
      QTest::mouseClick(control<QPushButton>(form, "CmBtn-Resize"), Qt::LeftButton);
      QTRY_COMPARE(form->frameGeometry().size(), area.size());
      // The picture follows the window's new size.
      QTRY_VERIFY(control<QLabel>(form, "QNImage")->geometry().width() > 480);
      window = form->frameGeometry().size();
      seen = shown(form);
      QTest::mouseClick(control<QPushButton>(form, "CmBtn-EXIT"), Qt::LeftButton);
    });
    driver.start();
    open(path, nullptr);
    QVERIFY(driver.done());
    QCOMPARE(window, area.size());
    QVERIFY(seen.control.width() == seen.drawn.width() ||
            seen.control.height() == seen.drawn.height());
    QVERIFY(std::abs(seen.drawn.width() * area.height() - seen.drawn.height() * area.width()) <=
            std::max(area.width(), area.height()));
  }

 private:
  // A JPEG, a bitmap, or a QIM file of a JPEG, by the name's extension.
  static void write_picture(const std::string& path, QSize size) {
    const QImage image = picture(size.width(), size.height());
    if (path.ends_with(".qim")) {
      QByteArray bytes;
      QBuffer buffer(&bytes);
      buffer.open(QIODevice::WriteOnly);
      QVERIFY(image.save(&buffer, "JPEG"));
      std::string qim;
      QVERIFY(quarn::docout::qim::make(std::string(bytes.constData(), bytes.size()), &qim));
      std::ofstream(path, std::ios::binary) << qim;
      return;
    }
    QVERIFY(image.save(QString::fromStdString(path), path.ends_with(".bmp") ? "BMP" : "JPEG"));
  }
  static void open(const std::string& path, std::int32_t* outcome) {
    auto* current = quarn::frame::external<QuarnCurrentQnimagename>("CURRENT-QNIMAGENAME");
    quarn::frame::put_text(current->ci_image_name, path);
    QUARN_QNIMAGE(nullptr, nullptr, outcome, nullptr, nullptr, nullptr);
  }

  std::unique_ptr<quarn::testing::TempFolder> home;
  std::string folder;
};

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  quarn::forms::set_runtime(quarn_forms_qt_runtime());
  QnImageQtTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "qnimage_qt_test.moc"
