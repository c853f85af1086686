#include "framework/ClientFit.h"

#include <algorithm>

SIZE GrownClientSize(SIZE client, const RECT& bounds, SIZE margin) {
    if (::IsRectEmpty(&bounds)) return client;
    return SIZE{std::max<LONG>(client.cx, bounds.right + margin.cx),
                std::max<LONG>(client.cy, bounds.bottom + margin.cy)};
}

namespace {

struct Union {
    HWND parent;
    RECT bounds;
};

BOOL CALLBACK AddChild(HWND child, LPARAM param) {
    auto* u = reinterpret_cast<Union*>(param);
    // EnumChildWindows walks grandchildren too; a control's own children lie inside it.
    if (::GetParent(child) != u->parent) return TRUE;
    RECT r{};
    ::GetWindowRect(child, &r);
    ::MapWindowPoints(nullptr, u->parent, reinterpret_cast<POINT*>(&r), 2);
    ::UnionRect(&u->bounds, &u->bounds, &r);
    return TRUE;
}

}  // namespace

RECT ChildrenBounds(HWND window) {
    Union u{window, RECT{}};
    ::EnumChildWindows(window, AddChild, reinterpret_cast<LPARAM>(&u));
    return u.bounds;
}

void GrowClientToChildren(HWND window, SIZE margin) {
    RECT client{};
    ::GetClientRect(window, &client);
    const SIZE have{client.right, client.bottom};
    const SIZE want = GrownClientSize(have, ChildrenBounds(window), margin);
    if (want.cx == have.cx && want.cy == have.cy) return;
    RECT outer{};
    ::GetWindowRect(window, &outer);
    ::SetWindowPos(window, nullptr, 0, 0, outer.right - outer.left + want.cx - have.cx,
                   outer.bottom - outer.top + want.cy - have.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}
