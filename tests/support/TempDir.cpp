#include "TempDir.h"

#include <gtest/gtest.h>

TempDir::TempDir() {
    EXPECT_TRUE(dir_.isValid()) << "cannot create a temporary folder";
}
