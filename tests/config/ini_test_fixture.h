#pragma once
// Every INI test runs in a fresh folder as the working directory, with the
// store's one-file cache emptied before and after: the cache outlives tests,
// and a file name cached by one test would otherwise answer for the next.

#include <gtest/gtest.h>

#include "config/ini_store.h"
#include "temp_dir.h"

class IniFixture : public ::testing::Test {
protected:
    void SetUp() override { iniReleaseCache(); }
    void TearDown() override { iniReleaseCache(); }

    TempDir dir;
    ScopedChdir chdir{dir.path()};
};
