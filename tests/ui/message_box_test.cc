#include <QtTest>

#include "ui/message_box.h"

using pellora::ui::BoxKind;

class MessageBoxTest : public QObject {
  Q_OBJECT
 private Q_SLOTS:
  void answererReceivesEveryBox() {
    QStringList seen;
    pellora::ui::setBoxAnswerer([&](const QString& text, BoxKind kind) {
      seen << text;
      return kind == BoxKind::kYesNo;
    });
    QVERIFY(pellora::ui::showBox(nullptr, "one", BoxKind::kYesNo));
    QVERIFY(!pellora::ui::showBox(nullptr, "two", BoxKind::kYesNoQuestion));
    QCOMPARE(seen, QStringList({"one", "two"}));
    pellora::ui::setBoxAnswerer({});
  }
  void titleCarriesTheVersion() { QCOMPARE(pellora::ui::applicationTitle(), QString("Vantorq Pellora v17.0")); }
};

QTEST_MAIN(MessageBoxTest)
#include "message_box_test.moc"
