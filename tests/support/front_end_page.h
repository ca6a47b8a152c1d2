// The built Kalvo MFD module on a display of the front end, for tests that need the
// page's own button labels and menu.
#pragma once

#include <gtest/gtest.h>

#include <memory>

#include "app/page_session.h"

namespace kalvo::test {

class FrontEndPage : public ::testing::Test {
protected:
    void SetUp() override {
        session = std::make_unique<app::PageSession>(KALVO_MODULE_PATH, app::kDefaultDisplaySize);
        labels = session->ButtonLabels();
        menu = session->ButtonMenu();
        ASSERT_EQ(labels.size(), 15u);
        ASSERT_EQ(menu.size(), 15u);
    }
    void TearDown() override { session.reset(); }

    std::unique_ptr<app::PageSession> session;
    std::vector<std::string> labels;
    std::span<const MFDBUTTONMENU> menu;
};

}  // namespace kalvo::test
