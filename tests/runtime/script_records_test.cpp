#include <gtest/gtest.h>

#include "runtime/script_records.h"

using namespace qv::rt;

TEST(ScriptRecords, ParsesEveryRecordKind) {
  bool ok = false;
  auto r = parseScriptLine("menu 3 1", ok);
  ASSERT_TRUE(ok && r);
  EXPECT_EQ(r->kind, RecordKind::Menu);
  EXPECT_EQ(r->a, 3);
  EXPECT_EQ(r->b, 1);
  r = parseScriptLine("type 3 12.5 ml/min", ok);
  ASSERT_TRUE(r);
  EXPECT_EQ(r->text, "12.5 ml/min");
  r = parseScriptLine("mouse drag 10 20 1000", ok);
  ASSERT_TRUE(r);
  EXPECT_EQ(r->kind, RecordKind::MouseDrag);
  EXPECT_TRUE(r->hasWindow);
  EXPECT_EQ(r->c, 1000);
  r = parseScriptLine("open cancel", ok);
  ASSERT_TRUE(r);
  EXPECT_TRUE(r->cancel);
  r = parseScriptLine("save /tmp/a b.txt", ok);
  ASSERT_TRUE(r);
  EXPECT_EQ(r->text, "/tmp/a b.txt");
  r = parseScriptLine("shot 1000 plot.png", ok);
  ASSERT_TRUE(r);
  EXPECT_EQ(r->a, 1000);
  EXPECT_EQ(r->text, "plot.png");
  r = parseScriptLine("color 0 32768 65535", ok);
  ASSERT_TRUE(r);
  EXPECT_EQ(r->kind, RecordKind::Color);
  EXPECT_EQ(r->a, 0);
  EXPECT_EQ(r->b, 32768);
  EXPECT_EQ(r->c, 65535);
  EXPECT_FALSE(r->cancel);
  r = parseScriptLine("color cancel", ok);
  ASSERT_TRUE(r);
  EXPECT_EQ(r->kind, RecordKind::Color);
  EXPECT_TRUE(r->cancel);
  EXPECT_FALSE(parseScriptLine("# comment", ok));
  EXPECT_TRUE(ok);
  EXPECT_FALSE(parseScriptLine("   ", ok));
  EXPECT_TRUE(ok);
}

TEST(ScriptRecords, RefusesMalformedLines) {
  for (const char* bad : {"menu 3", "click x", "mouse hover 1 2", "page maybe", "key 300", "frobnicate", "quit now",
                          "popup 4 0", "shot 2", "alert 0", "color 1 2", "color 0 0 65536", "color -1 0 0",
                          "color 1 2 3 4", "color red"}) {
    bool ok = true;
    EXPECT_FALSE(parseScriptLine(bad, ok)) << bad;
    EXPECT_FALSE(ok) << bad;
  }
}
