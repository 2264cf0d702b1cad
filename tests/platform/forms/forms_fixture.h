// Shared set-up of the form tests: a scripted person, and no form left
// behind by a test.
#pragma once

#include <gtest/gtest.h>

#include "platform/forms/application.h"
#include "platform/forms/screen.h"
#include "platform/ui/scripted_ui.h"

namespace zor::plat {

class FormsTest : public ::testing::Test {
 protected:
  void SetUp() override { SetUi(&ui); }
  void TearDown() override {
    Application->DestroyForms();
    Screen->Reset();
    SetUi(nullptr);
  }
  ScriptedUi ui;
};

}  // namespace zor::plat
