#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "LorvaneWindow.h"
#include "MessageBoxWindow.h"

namespace lorvane::e2e {

// Lorvane's main window in another process, driven through window messages.
class MainWindow : public LorvaneWindow {
public:
    // Finds the controls by their kind and text; throws when one is missing.
    explicit MainWindow(HWND window);

    HWND copyButton;
    HWND aboutButton;
    HWND clearButton;
    HWND exitButton;
    HWND convertButton;
    HWND inputBox;
    HWND outputBox;
    HWND lowerCaseOption;
    HWND firstUpperCaseOption;
    HWND upperCaseOption;
    HWND polyphoneCheckBox;
    HWND optionsLabel;

    std::wstring input() const;
    void setInput(const std::wstring& text) const;
    std::wstring output() const;
    void setOutput(const std::wstring& text) const;

    // Presses Convert and returns the output box's new text.
    std::wstring convert() const;
    // Selects an option button as the user would, running its handler when
    // it was not selected yet.
    void select(HWND option) const;
    bool isSelected(HWND option) const;
    // Ticks or clears the check box as a click of the user would.
    void togglePolyphone() const;
    // Sets the check box's state without any handler running.
    void setPolyphoneState(WPARAM state) const;
    LRESULT polyphoneState() const;

    // Sends a click to `button` until `done` holds. Under Wine a click sent
    // from another process is now and then lost; a second one is harmless
    // where `done` tells whether the first one took effect.
    void press(HWND button, const std::function<bool()>& done, const char* what) const;
    // Posts a click to a button whose handler shows a message box, and waits
    // for the box.
    MessageBoxWindow pressExpectingMessageBox(HWND button, const char* what) const;

    // The control that has the keyboard focus in Lorvane's GUI thread.
    HWND focus() const;
    // Returns once Lorvane has handled every message posted to it so far.
    void drainPostedMessages() const;

private:
    DWORD processId_ = 0;
    DWORD threadId_ = 0;
};

}  // namespace lorvane::e2e
