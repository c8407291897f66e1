#include "server/name_skeleton.h"

#include <gtest/gtest.h>

#include <QList>
#include <QString>
#include <random>
#include <utility>

namespace pyxaro::testing {
namespace {

// Over many names, each disguised with invisible characters anywhere, letters
// swapped for their Cyrillic and Greek look-alikes or fullwidth forms, and
// accents written apart: every disguise has the skeleton of the name it came
// from, and invisible characters alone have none. Names that look different
// keep different skeletons.
TEST(NameSkeletonTest, DisguisesKeepTheNamesSkeletonAndDifferentNamesKeepTheirOwn) {
  const QList<uint> invisible =
      QString::fromUcs4(
          U"\u00AD\u034F\u200B\u200C\u200D\u200E\u2060\u2063\u2066\uFE0F\uFEFF"
          U"\U000E0041\U000E007F\U000E0100\u3164\u2800")
          .toUcs4();
  const QString lookAlikes = QString::fromUtf8("аеорсухіјѕԁԛԝАВЕКМНОРСТХІЈЅΑΒΕΖΗΙΚΜΝΟΡΤΥΧον");
  const QString latin = QString::fromUtf8("aeopcyxijsdqwABEKMHOPCTXIJSABEZHIKMNOPTYXov");
  const QString letters =
      QString::fromUtf8("abcdefghijklmnopqrstuvwxyzABCEHIJKMNOPQSTWXYZäëöé 0179");
  std::mt19937 random(1);
  const auto chance = [&random](int percent) { return static_cast<int>(random() % 100) < percent; };
  const auto anyInvisible = [&] {
    const char32_t c = invisible[static_cast<qsizetype>(random() % invisible.size())];
    return QString::fromUcs4(&c, 1);
  };
  for (int n = 0; n < 3000; ++n) {
    QString name;
    for (int length = 1 + static_cast<int>(random() % 12); length > 0; --length) {
      name += letters[random() % letters.size()];
    }
    QString disguised;
    QString hidden;
    for (const QChar c : name.normalized(QString::NormalizationForm_D)) {
      if (chance(20)) disguised += anyInvisible();
      QList<qsizetype> alike;
      for (qsizetype i = latin.indexOf(c); i >= 0; i = latin.indexOf(c, i + 1)) alike << i;
      if (!alike.empty() && chance(50)) {
        disguised += lookAlikes[alike[random() % alike.size()]];
      } else if (c.isLetter() && c.unicode() < 0x80 && chance(20)) {
        disguised += QChar(c.unicode() + 0xFEE0);
      } else {
        disguised += c;
      }
      hidden += anyInvisible();
    }
    EXPECT_EQ(NameSkeleton(disguised), NameSkeleton(name)) << disguised.toStdString();
    EXPECT_TRUE(NameSkeleton(hidden).isEmpty()) << hidden.toStdString();
  }
  const std::pair<QString, QString> apart[] = {
      {QString::fromUtf8("Zoë"), QString::fromUtf8("Zoe")},
      {QString::fromUtf8("Bob"), QString::fromUtf8("Bop")},
      {QString::fromUtf8("Anna"), QString::fromUtf8("Ana")},
      {QString::fromUtf8("Al ice"), QString::fromUtf8("Alice")},
      {QString::fromUtf8("0lga"), QString::fromUtf8("Olga")},
      {QString::fromUtf8("βοβ"), QString::fromUtf8("bob")},
  };
  for (const auto& [one, other] : apart) {
    EXPECT_NE(NameSkeleton(one), NameSkeleton(other)) << one.toStdString();
  }
}

}  // namespace
}  // namespace pyxaro::testing
