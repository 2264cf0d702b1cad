// A scripted person installed for the length of one test.
#pragma once

#include <gtest/gtest.h>

#include "platform/library/dialog_caption.h"
#include "platform/ui/scripted_ui.h"

namespace zor::plat {

struct LibraryTest : ::testing::Test {
  plat::ScriptedUi ui;
  void SetUp() override { plat::SetUi(&ui); }
  void TearDown() override {
    plat::SetUi(nullptr);
    plat::SetDialogCaptionProvider(nullptr);
  }
};

}  // namespace zor::plat
