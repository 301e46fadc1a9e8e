// SPDX-License-Identifier: GPL-3.0-or-later
#include "kvrole/core/RoleEditor.h"
#include "model/RoleFile.h"

#include <gtest/gtest.h>

#include <filesystem>

// The role profiles the build makes from roles/*.csv with kvtool role.
TEST(ShippedRoles, AreCompleteProfilesOnTheDefaultScale) {
    const std::filesystem::path folder = SHIPPED_ROLES_DIR;
    int count = 0;
    for (const char* name : {"team-leader.kvr", "individual-contributor.kvr", "customer-advisor.kvr"}) {
        CRole role;
        ASSERT_TRUE(RoleFile::read((folder / name).string(), role).ok()) << name;
        EXPECT_FALSE(role.name.empty()) << name;
        EXPECT_FALSE(role.description.empty()) << name;
        EXPECT_GE(role.framework.competencies.size(), 5u) << name;
        EXPECT_LE(role.framework.competencies.size(), 8u) << name;
        EXPECT_GE(role.framework.behaviours.size(), 20u) << name;
        EXPECT_LE(role.framework.behaviours.size(), 40u) << name;
        EXPECT_TRUE(kvrole::editing::isOrdered(role.framework)) << name;
        ASSERT_EQ(role.framework.scales.size(), 1u);
        EXPECT_EQ(role.framework.scales[0], defaultResponseScale());
        // Every competency has behaviours; no header line slipped in as a behaviour.
        for (int competency = 0; competency < static_cast<int>(role.framework.competencies.size()); ++competency) {
            EXPECT_GT(kvrole::editing::behaviourCountOf(role.framework, competency), 0) << name;
        }
        EXPECT_NE(role.framework.competencies[0].name, "Competency") << name;
        ++count;
    }
    EXPECT_EQ(count, 3);
}
