#include "server/submission_query.h"

#include <gtest/gtest.h>

#include <QList>
#include <random>

#include "core/text.h"
#include "highscores/highscore_rules.h"
#include "highscores/submission_rules.h"
#include "server/query_items.h"

namespace pyxaro::testing {
namespace {

// Up to `most` characters that steer nothing, from ASCII with the address's
// own delimiters, Latin-1, CJK and the astral planes.
std::string RandomText(std::mt19937& random, int most) {
  static constexpr char32_t kFirsts[] = {0x20, 0xA0, 0x4E00, 0x1F600};
  std::u32string text(1 + random() % most, U'a');
  for (char32_t& c : text) c = kFirsts[random() % 4] + random() % 0x5F;
  return ToUtf8(text);
}

TEST(SubmissionQueryTest, WhatTheGameSendsIsReadAsTheGameSentIt) {
  std::mt19937 random(1);
  for (int n = 0; n < 3000; ++n) {
    const SubmissionFields sent{
        RandomText(random, kNameLength),   RandomText(random, kPasswordLength),
        static_cast<int>(random() % 1000), std::to_string(random() % 10000),
        std::to_string(random() % 1000),   std::to_string(random())};
    const std::string address = SubmissionAddress("https://list.example/submit", sent);
    const auto read =
        ReadSubmission(QByteArray::fromStdString(address.substr(address.find('?') + 1)));
    ASSERT_TRUE(std::holds_alternative<Submission>(read)) << address;
    EXPECT_EQ(std::get<Submission>(read),
              (Submission{QString::fromStdString(sent.User), QString::fromStdString(sent.Password),
                          sent.Version, std::stoi(sent.Month), std::stoi(sent.Points),
                          QString::fromStdString(sent.Key)}))
        << address;
  }
}

// Queries strung together from pieces of the game's own and stray bytes are
// each read or refused; what is read keeps to every cap.
TEST(SubmissionQueryTest, AnyBytesAreReadWithinTheCapsOrRefused) {
  static const char* const kPieces[] = {
      "user=", "pass=", "ver=",     "date=", "points=", "key=",       "&",
      "=",     "%",     "%4",       "%41",   "%FF",     "%0A",        "%E2%80%AE",
      "a",     "7",     "\xC3\xBC", "\xFF",  "+",       "12345678901"};
  std::mt19937 random(2);
  int read = 0;
  for (int n = 0; n < 20000; ++n) {
    std::string query;
    for (const auto& [field, value] : {std::pair{"user=", "Ann"},
                                       {"&pass=", "pw"},
                                       {"&ver=", "504"},
                                       {"&date=", "2612"},
                                       {"&points=", "412"},
                                       {"&key=", "7511"}}) {
      query += field;
      if (random() % 8 != 0) query += value;
      if (random() % 4 == 0) query += kPieces[random() % std::size(kPieces)];
    }
    const auto result = ReadSubmission(QByteArray::fromStdString(query));
    if (const auto* refusal = std::get_if<Refusal>(&result)) {
      EXPECT_EQ(refusal->status, 400);
      EXPECT_FALSE(refusal->reason.isEmpty());
      continue;
    }
    ++read;
    const Submission& s = std::get<Submission>(result);
    for (const auto& [text, cap] :
         {std::pair{s.user, kNameLength}, {s.password, kPasswordLength}, {s.key, kKeyLength}}) {
      const QList<uint> codePoints = text.toUcs4();
      EXPECT_TRUE(!codePoints.empty() && codePoints.size() <= cap) << query;
      EXPECT_TRUE(std::none_of(codePoints.begin(), codePoints.end(), SteersText)) << query;
    }
    EXPECT_TRUE(s.version >= 0 && s.month >= 0 && s.points >= 0) << query;
  }
  EXPECT_GT(read, 500);  // the pieces make many queries readable
}

TEST(SubmissionQueryTest, EscapesAreDecodedOnceAndBrokenOnesRefused) {
  const std::pair<QByteArray, std::optional<QByteArray>> cases[] = {
      {"a%41%c3%bc+", "aA\xC3\xBC+"}, {"%2541", "%41"},       {"%", std::nullopt},
      {"%4", std::nullopt},           {"a%4g", std::nullopt}, {"%%41", std::nullopt},
  };
  for (const auto& [encoded, decoded] : cases) {
    EXPECT_EQ(PercentDecoded(encoded), decoded) << encoded.toStdString();
  }
  EXPECT_EQ(DecodedQuery("a=1&b&c%3D=%26"), (QueryItems{{"a", "1"}, {"b", ""}, {"c=", "&"}}));
}

}  // namespace
}  // namespace pyxaro::testing
