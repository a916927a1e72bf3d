#include "framework/Dialog.h"
#include "framework/Event.h"
#include "framework/Text.h"
#include "framework/WorkerThread.h"

#include "../support/Pump.h"
#include "controls/WaitingPopupIds.h"
#include "shell/ResourceIds.h"

#include <gtest/gtest.h>

#include <atomic>

namespace qivyun {
namespace {

// A part of the probe dialog with a table of its own.
struct ProbePart {
    static const MessageMap<ProbePart> messages;

    void OnClicked(int id) { calls.push_back("part " + std::to_string(id)); }
    LRESULT OnUser(WPARAM wParam, LPARAM) { return static_cast<LRESULT>(wParam * 2); }

    std::vector<std::string> calls;
};

const MessageMap<ProbePart> ProbePart::messages = {
    OnClick(1200, &ProbePart::OnClicked, 1200),
    OnClick(1202, &ProbePart::OnClicked, 1202),
    OnMessage(WM_APP + 6, &ProbePart::OnUser),
};

// The waiting popup's template serves as a plain dialog here.
class ProbeDialog : public DialogImpl<ProbeDialog> {
public:
    ProbeDialog() : DialogImpl(IDD_WAITING_POPUP) {}
    static const MessageMap<ProbeDialog> messages;

    void OnFirst() { calls.push_back("first"); }
    void OnSecond() { calls.push_back("second"); }
    void OnWithArgument(int value) { calls.push_back("argument " + std::to_string(value)); }
    LRESULT OnUser(WPARAM wParam, LPARAM lParam) { return static_cast<LRESULT>(wParam + lParam); }

    std::vector<std::string> calls;
    std::string text = "写入的文字";
    ProbePart part;

protected:
    void DoDataExchange(DataExchange& exchange) override { exchange.Text(IDC_POPUP_MESSAGE, text); }
};

const MessageMap<ProbeDialog> ProbeDialog::messages = {
    OnClick(1200, &ProbeDialog::OnFirst),
    OnClick(1200, &ProbeDialog::OnSecond),
    OnClick(1201, &ProbeDialog::OnWithArgument, 7),
    RouteToPart(&ProbeDialog::part),
    OnMessage(WM_APP + 5, &ProbeDialog::OnUser),
};

TEST(Framework, MessageMapRoutesToTheFirstMatchingEntryWithItsArguments) {
    ProbeDialog dialog;
    ASSERT_TRUE(dialog.Create(nullptr));
    SendMessageA(dialog.Handle(), WM_COMMAND, MAKEWPARAM(1200, BN_CLICKED), 0);
    SendMessageA(dialog.Handle(), WM_COMMAND, MAKEWPARAM(1201, BN_CLICKED), 0);
    SendMessageA(dialog.Handle(), WM_COMMAND, MAKEWPARAM(1201, EN_CHANGE), 0);  // other code: not a click
    EXPECT_EQ(dialog.calls, (std::vector<std::string>{"first", "argument 7"}));
    EXPECT_EQ(SendMessageA(dialog.Handle(), WM_APP + 5, 40, 2), 42);
}

TEST(Framework, PartsTableIsTriedInItsEntrysPlaceAndRunsOnThePart) {
    ProbeDialog dialog;
    ASSERT_TRUE(dialog.Create(nullptr));
    for (int id : {1200, 1202, 1203}) SendMessageA(dialog.Handle(), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0);
    EXPECT_EQ(dialog.calls, std::vector<std::string>{"first"});  // the dialog's earlier entry wins
    EXPECT_EQ(dialog.part.calls, std::vector<std::string>{"part 1202"});
    EXPECT_EQ(SendMessageA(dialog.Handle(), WM_APP + 6, 21, 0), 42);
    // What the part does not answer goes on to the entries after it.
    EXPECT_EQ(SendMessageA(dialog.Handle(), WM_APP + 5, 40, 2), 42);
}

TEST(Framework, DataExchangeWritesAndReadsControls) {
    ProbeDialog dialog;
    ASSERT_TRUE(dialog.Create(nullptr));
    EXPECT_EQ(dialog.ItemText(IDC_POPUP_MESSAGE), "写入的文字");  // written by the initialisation
    dialog.SetItemText(IDC_POPUP_MESSAGE, "用户改过");
    dialog.UpdateData(true);
    EXPECT_EQ(dialog.text, "用户改过");
}

// Under every system code page: the dialogs and their controls are Unicode windows, GBK texts reach
// them as the same UTF-16, and a text that GBK cannot hold is whole where it is read wide.
TEST(Framework, TextsReachTheWindowsAsUtf16) {
    ProbeDialog dialog;
    ASSERT_TRUE(dialog.Create(nullptr));
    const HWND control = dialog.Item(IDC_POPUP_MESSAGE);
    EXPECT_TRUE(IsWindowUnicode(dialog.Handle()));
    EXPECT_TRUE(IsWindowUnicode(control));
    dialog.SetItemText(IDC_POPUP_MESSAGE, "用户改过");
    EXPECT_EQ(WideTextOf(control), L"用户改过");
    SetWindowTextW(control, L"Zo\u00EB \uD55C");
    EXPECT_EQ(dialog.ItemText(IDC_POPUP_MESSAGE), "Zo? ?");
    EXPECT_EQ(WideTextOf(control), L"Zo\u00EB \uD55C");
    // The string table, from the resources as UTF-16.
    EXPECT_EQ(LoadGbkString(ModuleInstance(), ID_LIST_DOWNLOAD), "调用迅雷下载本文件");
}

bool ownerWasDisabled = false;
Dialog* runningModal = nullptr;

void CALLBACK CancelTheModalDialog(HWND ownerWindow, UINT, UINT_PTR id, DWORD) {
    KillTimer(ownerWindow, id);
    ownerWasDisabled = !IsWindowEnabled(ownerWindow);
    PostMessageA(runningModal->Handle(), WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
}

TEST(Framework, ModalDialogEndsWithItsResultAndReenablesTheOwner) {
    ProbeDialog owner;
    ASSERT_TRUE(owner.Create(nullptr));
    ProbeDialog modal;
    runningModal = &modal;
    UINT_PTR timer = SetTimer(owner.Handle(), 1, 50, CancelTheModalDialog);
    ASSERT_NE(timer, 0u);
    EXPECT_EQ(modal.DoModal(owner.Handle()), IDCANCEL);
    EXPECT_TRUE(ownerWasDisabled);
    EXPECT_FALSE(modal.Exists());
    EXPECT_TRUE(IsWindowEnabled(owner.Handle()));
}

TEST(Framework, WorkerStepsRunOnTheWindowThreadUntilTheWindowIsGone) {
    auto dialog = std::make_unique<ProbeDialog>();
    ASSERT_TRUE(dialog->Create(nullptr));
    std::shared_ptr<UiGate> gate = dialog->Gate();
    DWORD uiThread = GetCurrentThreadId();

    std::atomic<DWORD> stepThread{0};
    std::atomic<bool> firstRan{false};
    WorkerThread worker;
    ASSERT_TRUE(worker.Start([&] {
        firstRan = gate->Run([&] { stepThread = GetCurrentThreadId(); });
        return 1u;
    }));
    ASSERT_TRUE(test::PumpUntil([&] { return !worker.IsRunning(); }));
    EXPECT_TRUE(firstRan);
    EXPECT_EQ(stepThread.load(), uiThread);

    // Once the window is destroyed (and its object with it), a worker's step is refused.
    dialog.reset();
    EXPECT_FALSE(gate->IsOpen());
    std::atomic<bool> touched{false};
    std::atomic<bool> accepted{true};
    ASSERT_TRUE(worker.Start([&] {
        accepted = gate->Run([&] { touched = true; });
        return 0u;
    }));
    ASSERT_TRUE(worker.Wait(5000));
    EXPECT_FALSE(accepted);
    EXPECT_FALSE(touched);
    worker.Release();
    EXPECT_FALSE(worker.IsRunning());
    EXPECT_FALSE(worker.HasThread());
}

TEST(Framework, GateWaitEndsWhenTheEventIsSetOrTheWindowIsGone) {
    auto dialog = std::make_unique<ProbeDialog>();
    ASSERT_TRUE(dialog->Create(nullptr));
    std::shared_ptr<UiGate> gate = dialog->Gate();
    Event done;
    std::atomic<int> result{-1};
    WorkerThread worker;
    const auto waitOnce = [&] {
        result = -1;
        return worker.Start([&] {
            result = gate->Wait(done) ? 1 : 0;
            return 0u;
        });
    };

    // A set made before the wait begins still lets it through, once.
    done.Set();
    ASSERT_TRUE(waitOnce());
    ASSERT_TRUE(worker.Wait(5000));
    EXPECT_EQ(result.load(), 1);

    ASSERT_TRUE(waitOnce());
    EXPECT_FALSE(worker.Wait(200)) << "the event was spent by the first wait";
    dialog.reset();
    ASSERT_TRUE(worker.Wait(5000));
    EXPECT_EQ(result.load(), 0);
}

TEST(Framework, ProgramsRunUnderTheChineseCodePage) {
    // Every text of the programs is GBK: the ANSI code page must be 936.
    EXPECT_EQ(GetACP(), 936u);
}

TEST(Framework, PumpUntilGivesUpAfterItsBound) {
    DWORD start = GetTickCount();
    EXPECT_FALSE(test::PumpUntil([] { return false; }, 100));
    EXPECT_GE(GetTickCount() - start, 90u);
}

}  // namespace
}  // namespace qivyun
