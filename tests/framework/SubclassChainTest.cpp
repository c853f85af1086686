#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <ostream>
#include <string>
#include <vector>

#include "framework/CDialog.h"
#include "framework/CWnd.h"

namespace {

constexpr UINT kTestDialog = 100;  // FrameworkTest.rc

// Who saw the messages the tests look at, in the order they saw them.
using Trace = std::vector<std::string>;

bool Traced(UINT msg) { return msg == BM_SETCHECK || msg == WM_COMMAND || msg == WM_NCDESTROY; }

// Somebody else's subclass on the same window, as a control library or an
// accessibility tool may install it.
constexpr UINT_PTR kForeignId = 7;

LRESULT CALLBACK ForeignProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR id, DWORD_PTR ref) {
    auto* trace = reinterpret_cast<Trace*>(ref);
    if (Traced(msg)) trace->push_back("foreign");
    if (msg != WM_NCDESTROY) return ::DefSubclassProc(hwnd, msg, wp, lp);
    ::RemoveWindowSubclass(hwnd, &ForeignProc, id);
    const LRESULT result = ::DefSubclassProc(hwnd, msg, wp, lp);
    trace->push_back("foreign done");
    return result;
}

bool AddForeign(HWND hwnd, Trace& trace) {
    return ::SetWindowSubclass(hwnd, &ForeignProc, kForeignId, reinterpret_cast<DWORD_PTR>(&trace)) != FALSE;
}

class Probe : public CWnd {
public:
    explicit Probe(Trace& trace) : m_trace(trace) {}

protected:
    LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override {
        if (Traced(msg)) m_trace.push_back("object");
        return CWnd::WindowProc(msg, wp, lp);
    }

    Trace& m_trace;
};

enum class Foreign { None, Below, Above };

struct ChainCase {
    const char* name;
    Foreign foreign;
    Trace seenBy;  // who sees a message sent to the window, in order
};

void PrintTo(const ChainCase& c, std::ostream* os) { *os << c.name; }

const ChainCase kChains[] = {
    {"Alone", Foreign::None, {"object"}},
    {"ForeignBelow", Foreign::Below, {"object", "foreign"}},
    {"ForeignAbove", Foreign::Above, {"foreign", "object"}},
};

class SubclassChainTest : public ::testing::TestWithParam<ChainCase> {};

TEST_P(SubclassChainTest, DefaultReachesTheButtonAndDetachLeavesTheRestOfTheChain) {
    const ChainCase& c = GetParam();
    const HWND button = ::CreateWindowExW(0, L"BUTTON", L"check", WS_POPUP | BS_AUTOCHECKBOX, 0, 0, 80, 20, nullptr,
                                          nullptr, ::GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(nullptr, button);
    const LONG_PTR classProc = ::GetWindowLongPtrW(button, GWLP_WNDPROC);
    Trace trace;
    Probe probe(trace);
    ASSERT_TRUE(c.foreign != Foreign::Below || AddForeign(button, trace));
    ASSERT_TRUE(probe.SubclassWindow(button));
    ASSERT_TRUE(c.foreign != Foreign::Above || AddForeign(button, trace));
    EXPECT_EQ(&probe, CWnd::FromHandle(button));

    // The button's own procedure keeps the check state: default processing got there.
    ::SendMessageW(button, BM_SETCHECK, BST_CHECKED, 0);
    EXPECT_EQ(c.seenBy, trace);
    EXPECT_EQ(BST_CHECKED, ::SendMessageW(button, BM_GETCHECK, 0, 0));

    trace.clear();
    EXPECT_EQ(button, probe.UnsubclassWindow());
    EXPECT_EQ(nullptr, CWnd::FromHandle(button));
    ::SendMessageW(button, BM_SETCHECK, BST_UNCHECKED, 0);
    EXPECT_EQ(BST_UNCHECKED, ::SendMessageW(button, BM_GETCHECK, 0, 0));
    EXPECT_EQ(c.foreign == Foreign::None ? Trace{} : Trace{"foreign"}, trace);

    // Once the foreign subclass leaves too, nothing of ours is left in the way.
    ::RemoveWindowSubclass(button, &ForeignProc, kForeignId);
    EXPECT_EQ(classProc, ::GetWindowLongPtrW(button, GWLP_WNDPROC));
    ::DestroyWindow(button);
}

INSTANTIATE_TEST_SUITE_P(Chains, SubclassChainTest, ::testing::ValuesIn(kChains),
                         [](const ::testing::TestParamInfo<ChainCase>& info) { return info.param.name; });

// Goes with its window, as the program's run-time controls and modeless windows may.
class SelfDeletingProbe : public Probe {
public:
    SelfDeletingProbe(Trace& trace, bool& deleted) : Probe(trace), m_deleted(deleted) {}

protected:
    void PostNcDestroy() override {
        m_deleted = true;
        delete this;
    }

private:
    bool& m_deleted;
};

TEST(SubclassLifetimeTest, ObjectDeletedWithItsWindowLetsTheForeignSubclassFinish) {
    Trace trace;
    bool deleted = false;
    auto* probe = new SelfDeletingProbe(trace, deleted);
    ASSERT_TRUE(probe->Create(nullptr, L"", WS_POPUP, RECT{0, 0, 20, 20}, nullptr, 0));
    const HWND hwnd = probe->GetSafeHwnd();
    ASSERT_TRUE(AddForeign(hwnd, trace));

    ::DestroyWindow(hwnd);
    EXPECT_TRUE(deleted);
    EXPECT_EQ((Trace{"foreign", "object", "foreign done"}), trace);
    EXPECT_FALSE(::IsWindow(hwnd));
}

class ProbeDialog : public CDialog {
public:
    explicit ProbeDialog(Trace& trace) : CDialog(kTestDialog), m_trace(trace) {}

protected:
    void OnCancel() override { m_trace.push_back("OnCancel"); }
    LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override {
        if (Traced(msg)) m_trace.push_back("object");
        return CDialog::WindowProc(msg, wp, lp);
    }

private:
    Trace& m_trace;
};

// The dialog's object attaches from inside the dialog manager; its default
// processing must still end there, under whatever subclass comes on top.
TEST(SubclassDialogTest, DefaultProcessingReachesTheDialogManagerUnderAForeignSubclass) {
    Trace trace;
    ProbeDialog dlg(trace);
    ASSERT_TRUE(dlg.Create(kTestDialog));
    const HWND hwnd = dlg.GetSafeHwnd();
    ASSERT_TRUE(AddForeign(hwnd, trace));

    const LRESULT defId = ::SendMessageW(hwnd, DM_GETDEFID, 0, 0);
    EXPECT_EQ(DC_HASDEFID, HIWORD(defId));
    EXPECT_EQ(IDOK, LOWORD(defId));

    // The dialog manager turns Close into Cancel, which comes down the whole chain.
    ::SendMessageW(hwnd, WM_CLOSE, 0, 0);
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageW(&msg);
    EXPECT_EQ((Trace{"foreign", "object", "OnCancel"}), trace);

    dlg.DestroyWindow();
    EXPECT_EQ(nullptr, dlg.GetSafeHwnd());
}

}  // namespace

// Stands in for a window whose handler runs a modal loop, inside which the
// message that closes the window arrives: its owner destroys and deletes it.
class ModalLoopProbe : public CWnd {
public:
    static constexpr UINT kRunLoop = WM_APP + 1;
    ModalLoopProbe(Trace& trace, HWND closer) : m_trace(trace), m_closer(closer) {}
    ~ModalLoopProbe() override { m_trace.push_back("deleted"); }

protected:
    LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override {
        if (msg != kRunLoop) return CWnd::WindowProc(msg, wp, lp);
        ::SendMessageW(m_closer, WM_APP, 0, reinterpret_cast<LPARAM>(this));
        // Still inside the handler: the object must be whole, the window gone.
        m_trace.push_back(::IsWindow(m_hWnd) ? "handler sees its window" : "handler returns");
        return 0;
    }

private:
    Trace& m_trace;
    HWND m_closer;
};

// The owner's side: what the main window does with a panel window that says goodbye.
class Closer : public CWnd {
protected:
    LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override {
        if (msg != WM_APP) return CWnd::WindowProc(msg, wp, lp);
        CWnd::DestroyAndDelete(reinterpret_cast<CWnd*>(lp));
        return 0;
    }
};

TEST(SubclassLifetimeTest, DeleteWaitsForTheHandlerThatRanTheClosingMessage) {
    Closer closer;
    ASSERT_TRUE(closer.Create(nullptr, L"", WS_POPUP, RECT{0, 0, 20, 20}, nullptr, 0));
    Trace trace;
    auto* probe = new ModalLoopProbe(trace, closer.GetSafeHwnd());
    ASSERT_TRUE(probe->Create(nullptr, L"", WS_POPUP, RECT{0, 0, 20, 20}, nullptr, 0));
    const HWND hwnd = probe->GetSafeHwnd();

    ::SendMessageW(hwnd, ModalLoopProbe::kRunLoop, 0, 0);
    EXPECT_EQ((Trace{"handler returns", "deleted"}), trace);
    EXPECT_FALSE(::IsWindow(hwnd));
}

TEST(SubclassLifetimeTest, DeleteOutsideAnyHandlerIsImmediate) {
    Trace trace;
    auto* probe = new ModalLoopProbe(trace, nullptr);
    ASSERT_TRUE(probe->Create(nullptr, L"", WS_POPUP, RECT{0, 0, 20, 20}, nullptr, 0));
    const HWND hwnd = probe->GetSafeHwnd();
    CWnd::DestroyAndDelete(probe);
    EXPECT_EQ((Trace{"deleted"}), trace);
    EXPECT_FALSE(::IsWindow(hwnd));
}
