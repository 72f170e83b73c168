#pragma once

// The fixture of the tests that drive the installed build on a desktop: an X session and the
// build installed into the test's scratch folder, with the session's environment for it.

#include "e2e_support.h"
#include "tests/support/temp_folder.h"

#include <QProcessEnvironment>
#include <gtest/gtest.h>
#include <memory>

namespace e2e {

class InstalledOnADesktop : public ::testing::Test {
protected:
    // Skips when the X session cannot start (Xvfb missing); fails when the installation does.
    void SetUp() override {
        session_ = std::make_unique<XSession>(scratch_.path() / "x");
        if (!session_->ready()) {
            GTEST_SKIP() << session_->skipReason().toStdString();
        }
        copy_ = std::make_unique<InstalledCopy>(scratch_.path());
        ASSERT_TRUE(copy_->install()) << copy_->log.toStdString();
        environment_ = DesktopEnvironment(*session_, *copy_, scratch_.path() / "runtime");
    }

    TempFolder scratch_;
    std::unique_ptr<XSession> session_;
    std::unique_ptr<InstalledCopy> copy_;
    QProcessEnvironment environment_;
};

} // namespace e2e
