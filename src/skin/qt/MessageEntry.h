#pragma once
// A window's message map as a table: which member handles a control's command
// (a button click, a menu item) and which handles a private window request.
//
//   using Entry = MessageEntry<CMyDlg>;
//   const Entry kMessages[] = {
//       Entry::Command(kIdOk, &CMyDlg::OnOK),
//       Entry::Request(0x5350, &CMyDlg::OnOpenRequest),
//   };

#include <cstdint>

namespace tessel {

template <class Window>
struct MessageEntry {
    using CommandHandler = void (Window::*)();
    using RequestHandler = intptr_t (Window::*)(uintptr_t wParam, intptr_t lParam);

    static constexpr MessageEntry Command(int id, CommandHandler handler) {
        return {static_cast<uint32_t>(id), handler, nullptr};
    }
    static constexpr MessageEntry Request(uint32_t message, RequestHandler handler) {
        return {message, nullptr, handler};
    }

    uint32_t id;
    CommandHandler command;
    RequestHandler request;
};

}  // namespace tessel
