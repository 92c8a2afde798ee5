// Looks, pictures, the splash window and the about box.
#include <QtTest>

#include <QApplication>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QSettings>
#include <QStyle>
#include <QTemporaryDir>

#include "ui/about_box.h"
#include "ui/artwork.h"
#include "ui/link_button.h"
#include "ui/looks.h"
#include "ui/message_box.h"
#include "ui/splash_window.h"

using namespace pellora::ui;

namespace {

constexpr QRgb kMagenta = 0xFFFF00FF;

QImage imageOf(const QIcon& icon, int size) { return icon.pixmap(size, size).toImage(); }

bool hasPaint(const QImage& image) {
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      if (qAlpha(image.pixel(x, y)) > 0) return true;
    }
  }
  return false;
}

int darkPixels(const QImage& image, const QRect& area) {
  int dark = 0;
  for (int y = area.top(); y <= area.bottom(); ++y) {
    for (int x = area.left(); x <= area.right(); ++x) dark += qGray(image.pixel(x, y)) < 60;
  }
  return dark;
}

// Every picture drawn, not blank, and no two alike (a mix-up of drawings).
void checkDistinctPictures(const QList<QIcon>& icons, int size) {
  QList<QImage> images;
  for (const QIcon& icon : icons) {
    QVERIFY(icon.availableSizes().contains(QSize(size, size)));
    images << imageOf(icon, size);
    QVERIFY(hasPaint(images.back()));
  }
  for (int i = 0; i < images.size(); ++i) {
    for (int j = i + 1; j < images.size(); ++j)
      QVERIFY2(images[i] != images[j], qPrintable(QString("%1 = %2").arg(i).arg(j)));
  }
}

}  // namespace

class PresentationTest : public QObject {
  Q_OBJECT

 private:
  QTemporaryDir settings_;

 private Q_SLOTS:
  void initTestCase() {
    QVERIFY(settings_.isValid());
    QStandardPaths::setTestModeEnabled(true);
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings_.path());
  }

  void init() { QSettings("Vantorq", "Pellora").clear(); }

  void storedLookFallsBackToTheDefault_data() {
    QTest::addColumn<QVariant>("stored");
    QTest::addColumn<int>("expected");
    QTest::newRow("nothing stored") << QVariant() << 215;
    QTest::newRow("first look") << QVariant(210) << 210;
    QTest::newRow("last look") << QVariant(218) << 218;
    QTest::newRow("unknown id") << QVariant(219) << 215;
    QTest::newRow("not a number") << QVariant("blue") << 215;
  }

  void storedLookFallsBackToTheDefault() {
    QFETCH(QVariant, stored);
    QFETCH(int, expected);
    if (stored.isValid()) QSettings("Vantorq", "Pellora").setValue("ApplicationLook", stored);
    QCOMPARE(storedLook(), expected);
  }

  void storeLookRoundTripsUnderItsName() {
    for (const Look& look : applicationLooks()) {
      storeLook(look.id);
      QCOMPARE(storedLook(), look.id);
      QCOMPARE(QSettings("Vantorq", "Pellora").value("ApplicationLook").toInt(), look.id);
    }
    storeLook(42);
    QCOMPARE(storedLook(), applicationLooks().back().id);
  }

  void everyLookHasItsOwnColours() {
    QSet<QPair<QRgb, QRgb>> seen;
    for (const Look& look : applicationLooks()) {
      applyLook(look.id);
      const QPalette palette = QApplication::palette();
      seen.insert({palette.color(QPalette::Window).rgb(), palette.color(QPalette::Highlight).rgb()});
      const QString style = QApplication::style()->name().toLower();
      QCOMPARE(style, QString(look.id == 210 ? "windows" : "fusion"));
      const bool dark = palette.color(QPalette::Window).lightness() < 100;
      QCOMPARE(dark, look.id == 216);
      // Text stays readable on its ground in every look.
      QVERIFY(qAbs(palette.color(QPalette::Text).lightness() - palette.color(QPalette::Base).lightness()) >
              120);
    }
    QCOMPARE(seen.size(), int(applicationLooks().size()));
    applyLook(999);
    const QPalette fallback = QApplication::palette();
    applyLook(kDefaultLook);
    QCOMPARE(fallback.color(QPalette::Window), QApplication::palette().color(QPalette::Window));
  }

  void picturesHaveTheirSizes() {
    QCOMPARE(splashPixmap().size(), QSize(500, 280));
    QCOMPARE(aboutBannerPixmap().size(), QSize(395, 85));
    QCOMPARE(captionInfoPixmap().size(), QSize(20, 20));
    const QList<QIcon> commands = {commandIcon(CommandImage::kOpen), commandIcon(CommandImage::kStop),
                                   commandIcon(CommandImage::kSave), commandIcon(CommandImage::kHelp),
                                   commandIcon(CommandImage::kAbout)};
    checkDistinctPictures(commands, 16);
    checkDistinctPictures(commands, 32);
    checkDistinctPictures({objectTreeIcon(ObjectImage::kDatabase), objectTreeIcon(ObjectImage::kGroup),
                           objectTreeIcon(ObjectImage::kTable), objectTreeIcon(ObjectImage::kColumn),
                           objectTreeIcon(ObjectImage::kKey), objectTreeIcon(ObjectImage::kProgram)},
                          16);
    checkDistinctPictures({previousRecordsIcon(), nextRecordsIcon(), applicationIcon()}, 16);
  }

  void documentIconsComeOncePerKind() {
    for (const char* kind : {"folder", "docx", "pdf", "file", "no-such-type"}) {
      const QIcon icon = documentTreeIcon(kind);
      QVERIFY2(!icon.isNull(), kind);
      QCOMPARE(documentTreeIcon(kind).cacheKey(), icon.cacheKey());
    }
    QVERIFY(imageOf(documentTreeIcon("folder"), 16) != imageOf(documentTreeIcon("no-such-type"), 16));
  }

  void splashPictureIsCutOnlyAtItsCorners() {
    const QImage picture = splashPixmap().toImage();
    for (QPoint corner : {QPoint(0, 0), QPoint(499, 0), QPoint(0, 279), QPoint(499, 279)}) {
      QCOMPARE(picture.pixel(corner), kMagenta);
    }
    const QRect inner = picture.rect().adjusted(20, 20, -20, -20);
    for (int y = 0; y < picture.height(); ++y) {
      for (int x = 0; x < picture.width(); ++x) {
        if (inner.contains(x, y) || (x > 20 && x < 479) || (y > 20 && y < 259)) {
          QVERIFY(picture.pixel(x, y) != kMagenta);
        }
      }
    }
  }

  void splashShowsItsTextWithoutFocusAndDeletesItself() {
    QPointer<SplashWindow> splash = new SplashWindow;
    splash->setText("v17.0");
    const Qt::WindowFlags flags = splash->windowFlags();
    QVERIFY(flags.testFlag(Qt::FramelessWindowHint));
    QVERIFY(flags.testFlag(Qt::WindowStaysOnTopHint));
    QCOMPARE(flags & Qt::WindowType_Mask, Qt::Tool);
    QVERIFY(!splash->mask().contains(QPoint(0, 0)));
    QVERIFY(splash->mask().contains(QPoint(250, 140)));
    // The version shows in black across the middle of the picture.
    const QRect middle(150, 120, 200, 40);
    QCOMPARE(darkPixels(splashPixmap().toImage(), middle), 0);
    QVERIFY(darkPixels(splash->grab().toImage(), middle) > 20);

    splash->showFor(600);
    QVERIFY(splash->isVisible());
    QCOMPARE(splash->fade(), 0.0);
    QVERIFY(QApplication::activeWindow() != splash);
    QCOMPARE(splash->geometry().center(), QGuiApplication::primaryScreen()->geometry().center());
    QTRY_COMPARE_WITH_TIMEOUT(splash->fade(), 1.0, 2000);
    QTRY_VERIFY_WITH_TIMEOUT(splash.isNull(), 2000);
  }

  void aboutBoxLinksAndCaption() {
    AboutBox box;
    QCOMPARE(box.windowTitle(), applicationTitle());
    auto* title = box.findChild<QLabel*>("title");
    QVERIFY(title);
    QCOMPARE(title->text(), applicationTitle());
    QCOMPARE(title->font().weight(), QFont::DemiBold);
    struct Expected {
      const char* name;
      QString toolTip;
      QString url;
    };
    QList<QUrl> opened;
    setLinkOpener([&](const QUrl& url) {
      opened << url;
      return true;
    });
    for (const Expected& link :
         {Expected{"websiteLink", "Company website", "https://www.vantorq.example/"},
          Expected{"supportLink", "Support email address", "mailto:support@vantorq.example"},
          Expected{"salesLink", "Sales email address", "mailto:sales@vantorq.example"}}) {
      auto* button = box.findChild<LinkButton*>(link.name);
      QVERIFY2(button, link.name);
      QCOMPARE(button->toolTip(), link.toolTip);
      button->click();
      QCOMPARE(opened.back(), QUrl(link.url));
    }
    setLinkOpener({});
    box.show();
    box.findChild<QPushButton*>("ok")->click();
    QCOMPARE(box.result(), int(QDialog::Accepted));
    QVERIFY(!box.isVisible());
  }

  void aboutBoxMovesWhenDraggedByAnyPoint() {
    AboutBox box;
    box.move(100, 100);
    box.show();
    QVERIFY(QTest::qWaitForWindowExposed(&box));
    auto* banner = box.findChild<QLabel*>("banner");
    QVERIFY(banner);
    const QPoint before = box.pos();
    const QPointF local(40, 30);
    const QPointF global = banner->mapToGlobal(local);
    QMouseEvent press(QEvent::MouseButtonPress, local, global, Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QApplication::sendEvent(banner, &press);
    QMouseEvent drag(QEvent::MouseMove, local + QPointF(30, 20), global + QPointF(30, 20), Qt::NoButton,
                     Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(banner, &drag);
    QMouseEvent release(QEvent::MouseButtonRelease, local + QPointF(30, 20), global + QPointF(30, 20),
                        Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(banner, &release);
    QCOMPARE(box.pos(), before + QPoint(30, 20));
  }
};

QTEST_MAIN(PresentationTest)
#include "presentation_test.moc"
