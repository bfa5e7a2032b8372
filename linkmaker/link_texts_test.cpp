#include "linkmaker/link_texts.h"

#include <gtest/gtest.h>

TEST(LinkTextsTest, OutcomeMessagesShowTheNameAsTyped) {
  EXPECT_EQ(OutcomeMessage("C:\\Windows\\Desktop\\Notepad", true),
            "Shortcut C:\\Windows\\Desktop\\Notepad now was created.");
  EXPECT_EQ(OutcomeMessage("x.lnk", false), "Shortcut x.lnk Creation Failed.");
}
