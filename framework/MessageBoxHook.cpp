#include "framework/MessageBoxHook.h"

#include <utility>

namespace {
MessageBoxHook& Hook() {
    static MessageBoxHook hook;
    return hook;
}
}  // namespace

MessageBoxHook SetMessageBoxHook(MessageBoxHook hook) {
    MessageBoxHook previous = std::move(Hook());
    Hook() = std::move(hook);
    return previous;
}

int VelMessageBox(HWND owner, LPCWSTR text, LPCWSTR caption, UINT type) {
    if (Hook()) return Hook()(owner, text, caption, type);
    return ::MessageBoxW(owner, text, caption, type);
}
