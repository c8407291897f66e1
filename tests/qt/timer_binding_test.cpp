#include "ui/timer_binding.h"

#include <gtest/gtest.h>

#include <QTest>

namespace pyxaro::ui {
namespace {

// Time is not waited out: the test starts the QTimer short, as if most of its interval had passed.
TEST(TimerBindingTest, FollowsTheGamesTimerAndASwitchOnAfreshGetsTheWholeInterval) {
  QObject owner;
  Timer data(2000);
  int ticks = 0, fired = 0;
  TimerBinding binding(&owner, data, [&] { ++ticks; });
  auto* timer = owner.findChild<QTimer*>();
  ASSERT_NE(timer, nullptr);
  QObject::connect(timer, &QTimer::timeout, [&] { ++fired; });
  binding.Sync();
  EXPECT_FALSE(timer->isActive());

  data.SetEnabled(true);
  binding.Sync();
  EXPECT_TRUE(timer->isActive());
  timer->start(1);
  binding.Sync();  // nothing new: it runs on
  EXPECT_EQ(timer->interval(), 1);
  ASSERT_TRUE(QTest::qWaitFor([&] { return ticks > 0; }));

  data.SetEnabled(false);
  data.SetEnabled(true);
  binding.Sync();
  EXPECT_EQ(timer->interval(), 2000);
  EXPECT_GT(timer->remainingTime(), 1000);

  // A tick after the game switched its timer off reaches no routine.
  data.SetEnabled(false);
  timer->start(1);
  const int ticked = ticks;
  ASSERT_TRUE(QTest::qWaitFor([&, before = fired] { return fired > before; }));
  EXPECT_EQ(ticks, ticked);
  binding.Sync();
  EXPECT_FALSE(timer->isActive());
}

}  // namespace
}  // namespace pyxaro::ui
