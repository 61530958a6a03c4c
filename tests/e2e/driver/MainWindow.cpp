#include "MainWindow.h"

#include <stdexcept>
#include <vector>

#include "Polling.h"
#include "WindowQuery.h"

namespace lorvane::e2e {
namespace {

// The conversion writes only letters, blanks and parentheses: this text in
// the output box shows that no conversion has replaced it yet.
constexpr wchar_t NotConvertedYet[] = L"〔尚未转换〕";

constexpr Milliseconds EffectTimeout(2'000);

HWND childWithText(HWND parent, const wchar_t* className, const wchar_t* text)
{
    for (HWND child : ChildrenOf(parent))
        if (ClassOf(child) == className && TextOf(child) == text) return child;
    throw std::runtime_error("the main window has no " + testing::Utf8(className) + " \"" + testing::Utf8(text) + "\"");
}

}  // namespace

MainWindow::MainWindow(HWND window)
    : LorvaneWindow(window),
      copyButton(childWithText(window, L"Button", L"复制(&C)")),
      aboutButton(childWithText(window, L"Button", L"关于...(&a)")),
      clearButton(childWithText(window, L"Button", L"清  除")),
      exitButton(childWithText(window, L"Button", L"退出(&Q)")),
      convertButton(childWithText(window, L"Button", L"转换(&S)")),
      inputBox(nullptr),
      outputBox(nullptr),
      lowerCaseOption(childWithText(window, L"Button", L"字母全部小写")),
      firstUpperCaseOption(childWithText(window, L"Button", L"首字母大写")),
      upperCaseOption(childWithText(window, L"Button", L"字母全部大写")),
      polyphoneCheckBox(childWithText(window, L"Button", L"多音字智能识别（准确率70%）")),
      optionsLabel(childWithText(window, L"Static", L"选项："))
{
    std::vector<HWND> boxes;
    for (HWND child : ChildrenOf(window))
        if (_wcsicmp(ClassOf(child).c_str(), L"RICHEDIT50W") == 0) boxes.push_back(child);
    if (boxes.size() != 2)
        throw std::runtime_error("the main window has " + std::to_string(boxes.size()) +
                                 " rich edit boxes instead of 2");
    const bool firstIsUpper = RectInParent(boxes[0]).top < RectInParent(boxes[1]).top;
    inputBox = firstIsUpper ? boxes[0] : boxes[1];
    outputBox = firstIsUpper ? boxes[1] : boxes[0];
    threadId_ = GetWindowThreadProcessId(window, &processId_);
}

std::wstring MainWindow::input() const { return TextOf(inputBox); }
void MainWindow::setInput(const std::wstring& text) const { SetTextOf(inputBox, text); }
std::wstring MainWindow::output() const { return TextOf(outputBox); }
void MainWindow::setOutput(const std::wstring& text) const { SetTextOf(outputBox, text); }

std::wstring MainWindow::convert() const
{
    setOutput(NotConvertedYet);
    press(convertButton, [&] { return output() != NotConvertedYet; }, "Convert");
    return output();
}

void MainWindow::select(HWND option) const
{
    if (isSelected(option)) {
        SendMessageW(option, BM_CLICK, 0, 0);
        return;
    }
    press(option, [&] { return isSelected(option); }, "an option button");
}

bool MainWindow::isSelected(HWND option) const { return SendMessageW(option, BM_GETCHECK, 0, 0) == BST_CHECKED; }

void MainWindow::togglePolyphone() const
{
    const LRESULT before = polyphoneState();
    press(polyphoneCheckBox, [&] { return polyphoneState() != before; }, "the check box");
}

void MainWindow::setPolyphoneState(WPARAM state) const { SendMessageW(polyphoneCheckBox, BM_SETCHECK, state, 0); }

LRESULT MainWindow::polyphoneState() const { return SendMessageW(polyphoneCheckBox, BM_GETCHECK, 0, 0); }

void MainWindow::press(HWND button, const std::function<bool()>& done, const char* what) const
{
    const auto click = [&] {
        DWORD_PTR ignored = 0;
        SendMessageTimeoutW(button, BM_CLICK, 0, 0, SMTO_NORMAL, 60'000, &ignored);
    };
    if (!PressUntil(click, done, EffectTimeout))
        throw std::runtime_error(std::string("pressing ") + what + " had no effect after " +
                                 std::to_string(PressAttempts) + " clicks");
}

MessageBoxWindow MainWindow::pressExpectingMessageBox(HWND button, const char* what) const
{
    std::optional<MessageBoxWindow> box;
    if (PressUntil([&] { PostMessageW(button, BM_CLICK, 0, 0); },
                   [&] { return (box = FindMessageBox(processId_)).has_value(); }, Milliseconds(5'000)))
        return *box;
    throw std::runtime_error(std::string("pressing ") + what + " showed no message box after " +
                             std::to_string(PressAttempts) + " clicks");
}

HWND MainWindow::focus() const
{
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    if (!GetGUIThreadInfo(threadId_, &info))
        throw std::runtime_error("GetGUIThreadInfo failed for Lorvane's thread (error " +
                                 std::to_string(GetLastError()) + ")");
    return info.hwndFocus;
}

void MainWindow::drainPostedMessages() const
{
    DrainPostedMessages(aboutButton, EffectTimeout, [] { return false; },
                        "Lorvane did not handle its posted messages");
}

}  // namespace lorvane::e2e
