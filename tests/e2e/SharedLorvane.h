#pragma once

#include <gtest/gtest.h>

#include <fstream>
#include <memory>

#include "CaseTableAndWords.h"
#include "LorvaneProcess.h"
#include "MainWindow.h"
#include "ProgramCopy.h"

namespace lorvane::e2e {

inline constexpr wchar_t InputPrompt[] = L"快快输入文本，单击转换。\r\n";

// One Lorvane for all the tests of a suite, as a start costs about a second
// under Wine: a copy of Lorvane.exe whose pymb.dat is the conversion cases'
// table, so that what the tests expect does not change with data/pymb.dat.
// Each test begins from the start-up settings with the prompt in the input
// box and the output box empty.
class SharedLorvane : public ::testing::Test {
protected:
    static void SetUpTestSuite() { start(); }
    static void TearDownTestSuite()
    {
        window_.reset();
        process_.reset();
        copy_.reset();
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
        if (!copy_) {
            copy_ = std::make_unique<ProgramCopy>(L"lorvane-shared");
            std::ofstream(copy_->table(), std::ios::binary) << testing::CaseTableFile();
        }
        process_ = std::make_unique<LorvaneProcess>(copy_->folder());
        window_ = std::make_unique<MainWindow>(process_->waitForMainWindow());
    }

    static inline std::unique_ptr<ProgramCopy> copy_;
    static inline std::unique_ptr<LorvaneProcess> process_;
    static inline std::unique_ptr<MainWindow> window_;
};

}  // namespace lorvane::e2e
