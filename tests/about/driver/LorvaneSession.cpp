#include "LorvaneSession.h"

#include <stdexcept>

#include "Polling.h"

namespace lorvane::about_tests {

LorvaneSession::LorvaneSession() : main_(process_.waitForMainWindow()) {}

AboutBox LorvaneSession::openAbout() const
{
    main_.press(main_.aboutButton, [&] { return !aboutBoxes().empty(); }, "About");
    const AboutBox box(aboutBoxes().front());
    HWND ok = box.control(IDOK);
    if (!e2e::WaitUntil([&] { return focus() == ok; }, e2e::Milliseconds(5'000)))
        throw std::runtime_error("the About box opened without the focus on OK");
    return box;
}

void LorvaneSession::notifyAboutClicked() const
{
    const int id = GetDlgCtrlID(main_.aboutButton);
    DWORD_PTR ignored = 0;
    if (!SendMessageTimeoutW(main_.hwnd(), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                             reinterpret_cast<LPARAM>(main_.aboutButton), SMTO_NORMAL, 60'000, &ignored))
        throw std::runtime_error("the main window did not answer the About button's notification");
}

std::vector<HWND> LorvaneSession::aboutBoxes() const { return AboutBoxesOf(process_.id(), main_.hwnd()); }

}  // namespace lorvane::about_tests
