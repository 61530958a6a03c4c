#pragma once

#include <gtest/gtest.h>

#include <memory>

#include "LorvaneProcess.h"
#include "MainWindow.h"

namespace lorvane::e2e {

inline constexpr wchar_t InputPrompt[] = L"快快输入文本，单击转换。\r\n";

// One Lorvane for all the tests of a suite, as a start costs about a second
// under Wine. Each test begins from the start-up settings with the prompt in
// the input box and the output box empty.
class SharedLorvane : public ::testing::Test {
protected:
    static void SetUpTestSuite() { start(); }
    // A suite whose Lorvane.exe is a copy in `folder` starts it with this.
    static void SetUpTestSuiteIn(const std::filesystem::path& folder)
    {
        folder_ = folder;
        start();
    }
    static void TearDownTestSuite()
    {
        window_.reset();
        process_.reset();
        folder_.clear();
    }

    void SetUp() override
    {
        if (!process_ || process_->hasEnded()) start();
        window().setOutput(L"");
        if (!window().isSelected(window().lowerCaseOption)) window().select(window().lowerCaseOption);
        window().setPolyphoneState(BST_UNCHECKED);
        window().setInput(InputPrompt);
        window().setOutput(L"");
    }

    static const MainWindow& window() { return *window_; }
    static const LorvaneProcess& process() { return *process_; }

private:
    static void start()
    {
        window_.reset();
        process_ = std::make_unique<LorvaneProcess>(folder_.empty() ? BuildOutputFolder() : folder_);
        window_ = std::make_unique<MainWindow>(process_->waitForMainWindow());
    }

    static inline std::filesystem::path folder_;  // empty: the build's own
    static inline std::unique_ptr<LorvaneProcess> process_;
    static inline std::unique_ptr<MainWindow> window_;
};

}  // namespace lorvane::e2e
