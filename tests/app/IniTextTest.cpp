#include "app/IniText.h"

#include <gtest/gtest.h>

namespace {

TEST(IniText, FindsKeysOfTheRightSectionIgnoringCaseAndBlanks) {
    const std::string text = "[Other]\nLAST_FOLDER=/wrong/\n"
                             "\xEF\xBB\xBF[tasksinfo]\r\n ; a comment\r\n"
                             "  last_folder =  /music/out/ \r\nCHECK_OPENFOLDER=FALSE\r\n"
                             "[TASKSINFO]\nCHECK_KEEPORGANIZED=TRUE\n";
    EXPECT_EQ(IniValue(text, "TASKSINFO", "LAST_FOLDER"), "/music/out/");
    EXPECT_EQ(IniValue(text, "TASKSINFO", "CHECK_OPENFOLDER"), "FALSE");
    // The first section of a name wins, as with the profile calls.
    EXPECT_EQ(IniValue(text, "TASKSINFO", "CHECK_KEEPORGANIZED"), std::nullopt);
    EXPECT_EQ(IniValue(text, "Missing", "LAST_FOLDER"), std::nullopt);
    EXPECT_EQ(IniValue("", "TASKSINFO", "LAST_FOLDER"), std::nullopt);
}

TEST(IniText, EditsChangeOnlyTheirOwnLine) {
    const std::string text = "; settings\r\n[Window]\r\nx=1\r\n\r\n[TASKSINFO]\r\n"
                             "CHECK_OPENFOLDER=TRUE\r\nunknown key = kept\r\n\r\n[Tail]\r\ny=2";
    EXPECT_EQ(IniWithValue(text, "TASKSINFO", "CHECK_OPENFOLDER", "FALSE"),
              "; settings\r\n[Window]\r\nx=1\r\n\r\n[TASKSINFO]\r\n"
              "CHECK_OPENFOLDER=FALSE\r\nunknown key = kept\r\n\r\n[Tail]\r\ny=2");
    // A new key goes after the section's last line, before the blank line.
    EXPECT_EQ(IniWithValue(text, "TASKSINFO", "LAST_FOLDER", "/out/"),
              "; settings\r\n[Window]\r\nx=1\r\n\r\n[TASKSINFO]\r\n"
              "CHECK_OPENFOLDER=TRUE\r\nunknown key = kept\r\nLAST_FOLDER=/out/\r\n\r\n"
              "[Tail]\r\ny=2");
    EXPECT_EQ(IniWithValue("[TASKSINFO]", "TASKSINFO", "K", "v"), "[TASKSINFO]\nK=v\n");
}

TEST(IniText, MissingSectionIsAppendedAndLineBreaksCannotInjectKeys) {
    EXPECT_EQ(IniWithValue("", "TASKSINFO", "LAST_FOLDER", "/a/"),
              "[TASKSINFO]\nLAST_FOLDER=/a/\n");
    EXPECT_EQ(IniWithValue("[X]\ny=1", "TASKSINFO", "K", "v"), "[X]\ny=1\n[TASKSINFO]\nK=v\n");
    EXPECT_EQ(IniWithValue("", "TASKSINFO", "LAST_FOLDER", "/a\nCHECK_OVERWRITE_EXISTING=TRUE"),
              std::nullopt);
    EXPECT_EQ(IniWithValue("", "TASKSINFO", "LAST_FOLDER", "/a\r"), std::nullopt);
}

} // namespace
