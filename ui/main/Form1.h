#pragma once

#include <windows.h>

#include <array>
#include <memory>
#include <optional>

#include "ApplicationWindow.h"
#include "Font.h"
#include "main/Form1Layout.h"
#include "table/LoadTable.h"

namespace lorvane::ui {

// The main window: the input and output boxes, the options and the five
// command buttons. It owns the pinyin table for as long as it lives. Form1 is
// the name it was given, and kept.
class Form1 : public ApplicationWindow {
public:
    explicit Form1(Application& application);

    // Creates the window and its controls, loads the table and shows the
    // window. Returns 0, or the exit code after a failure it has reported.
    int startUp();

protected:
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void layOut(UINT dpi) override;
    void paintContent(HDC dc) override;

private:
    // Given names, kept as they are: the window's events, its handlers and ConvertText.
    void Form_Initialize();
    void Form_Load();
    void Command1_Click();
    void CheckZLSB_Click();
    void OptFirstUpperCase_Click();
    void OptLowerCase_Click();
    void OptUpperCase_Click();
    void CmdCls_Click();
    void CmdCopy_Click();
    void CmdExit_Click();
    void CmdAbout_Click();
    void ConvertText();

    void createControls();
    void onCommand(int id, int notification);
    void onOptionClicked();
    void reconvertIfOutputShown();
    void changeOutputCase(bool upper);
    void setOutput(const std::wstring& text);
    LRESULT focusedButtonAsDefault() const;
    bool isChecked(Form1ControlId id) const;

    platform::Font font_;
    Form1ControlId selectedOption_ = IdOptLowerCase;

    // The pinyin table, its index, and its file, which stays open while the
    // program runs.
    std::optional<LoadedTable> table_;
};

}  // namespace lorvane::ui
