#pragma once

#include <gtest/gtest.h>

#include "server/database_address.h"
#include "test_database.h"

namespace pyxaro::testing {

// Suites that take the engine as their parameter run once on each.
#define PYXARO_ON_BOTH_ENGINES(suite)                                                          \
  INSTANTIATE_TEST_SUITE_P(                                                                    \
      Engines, suite,                                                                          \
      ::testing::Values(DatabaseAddress::Engine::SQLite, DatabaseAddress::Engine::PostgreSQL), \
      [](const auto& info) { return EngineName(info.param).toStdString(); })

}  // namespace pyxaro::testing
