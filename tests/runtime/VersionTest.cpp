#include "cheques/Version.h"

#include <gtest/gtest.h>

#include <string>

// The header and the library come from one configuration of the project: the numbers spell the
// string, and the library answers the string its users were compiled with.
TEST(Version, TheLibraryAndTheHeaderAgree) {
    const std::string numbers =
        std::to_string(CHEQUES_VERSION_MAJOR) + '.' + std::to_string(CHEQUES_VERSION_MINOR);
    EXPECT_EQ(std::string(CHEQUES_VERSION_STRING).rfind(numbers, 0), 0U) << CHEQUES_VERSION_STRING;
    EXPECT_GE(CHEQUES_VERSION_PATCH, 0);
    EXPECT_STREQ(rt::Version(), CHEQUES_VERSION_STRING);
}
