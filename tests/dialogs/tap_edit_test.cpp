// CTapEdit: one synchronous report to the parent when the pen goes down,
// none on release, and no reaction of the field itself to the tap.
#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "../platform/win/msg_recorder.h"
#include "dialogs/tap_edit.h"
#include "dialogs_test_res.h"
#include "framework/cdialog.h"
#include "host/headless/robot.h"
#include "keypad/keypad_ids.h"
#include "keypad/tessapad.h"
#include "res/modules.h"
#include "win/controls/register_controls.h"

namespace {

constexpr int kOther = 1010;
constexpr int kTapped = 1005;

// A tap field that tells whether its pen-down handler is still running.
class CProbeTapEdit : public CTapEdit {
 public:
  bool insideDown = false;

 protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    bool down = message == WM_LBUTTONDOWN;
    if (down) insideDown = true;
    LRESULT result = CTapEdit::WindowProc(message, wParam, lParam);
    if (down) insideDown = false;
    return result;
  }
};

struct Report {
  WPARAM wParam;
  LPARAM lParam;
};

class CTapsDlg : public CDialog {
 public:
  CTapsDlg() : CDialog(300) {}
  CProbeTapEdit m_edit;
  std::vector<Report> reports;
  std::function<void()> reaction;  // what the dialog does about a tap on m_edit

 protected:
  BOOL OnInitDialog() override {
    CDialog::OnInitDialog();
    m_edit.SubclassDlgItem(kTapped, this);
    m_edit.SetSel(2, 3, TRUE);
    return TRUE;
  }
  // WM_USER is also the dialog manager's DM_GETDEFID: only wParam 255 is a tap.
  LRESULT OnTapReport(WPARAM wParam, LPARAM lParam) {
    if (wParam != CTapEdit::kTapReport) return Default();
    reports.push_back({wParam, lParam});
    if (lParam == reinterpret_cast<LPARAM>(&m_edit) && reaction) reaction();
    return 0;
  }
  const MessageMap* GetMessageMap() const override {
    static const MessageMap map(CDialog::GetThisMessageMap(), {
        MapMessage(WM_USER, &CTapsDlg::OnTapReport),
    });
    return &map;
  }
};

class TapEditTest : public WindowTest {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    win::RegisterControlClasses();
    module = res::RegisterEmbeddedModule(mensora_res_blobs::dialogs_test_res(), u"\\test.exe");
    res::SetMainModule(module);
  }
  void TearDown() override {
    FreeLibrary(module);
    WindowTest::TearDown();
  }
  HINSTANCE module = nullptr;
};

TEST_F(TapEditTest, APenDownIsReportedOnceAndTheFieldItselfDoesNothing) {
  CTapsDlg dlg;
  host::Robot robot;
  robot.PressControl(kTapped);
  robot.Do([&] {
    ASSERT_EQ(dlg.reports.size(), 1u);
    EXPECT_EQ(dlg.reports[0].wParam, WPARAM(255));
    EXPECT_EQ(dlg.reports[0].lParam, reinterpret_cast<LPARAM>(&dlg.m_edit));
    // No focus, no caret moved, no selection started, no capture.
    EXPECT_EQ(GetFocus(), GetDlgItem(dlg.m_hWnd, kOther));
    int start = 0, end = 0;
    dlg.m_edit.GetSel(start, end);
    EXPECT_EQ(start, 2);
    EXPECT_EQ(end, 3);
    EXPECT_EQ(GetCapture(), nullptr);
  });
  robot.ReleaseControl(kTapped);
  robot.Do([&] { EXPECT_EQ(dlg.reports.size(), 1u); });  // lifting reports nothing
  robot.TapControl(kTapped);
  robot.Do([&] { EXPECT_EQ(dlg.reports.size(), 2u); });
  robot.Key(VK_RETURN, u'\r');
  EXPECT_EQ(dlg.DoModal(), IDOK);
  EXPECT_TRUE(robot.errors().empty());
  EXPECT_EQ(dlg.reports.size(), 2u);
}

TEST_F(TapEditTest, TheParentsModalKeypadRunsInsideTheTapAndItsTextShowsAfterwards) {
  CTapsDlg dlg;
  dlg.reaction = [&] {
    std::u16string value;
    if (TSP_InputNumber(value, RGB(255, 255, 255), 2)) dlg.m_edit.SetWindowText(value);
  };
  host::Robot robot;
  robot.TapControl(kTapped);
  robot.Do([&] {
    EXPECT_EQ(WindowText(GetActiveWindow()), u"Numerical Input");
    EXPECT_TRUE(dlg.m_edit.insideDown);  // the tap handler waits for the keypad
  });
  robot.TapControl(IDC_KEY_4).TapControl(IDC_KEY_2).TapControl(IDOK);
  robot.Do([&] {
    EXPECT_FALSE(dlg.m_edit.insideDown);
    EXPECT_EQ(dlg.m_edit.GetWindowText(), u"42");
  });
  robot.Key(VK_RETURN, u'\r');
  EXPECT_EQ(dlg.DoModal(), IDOK);
  EXPECT_TRUE(robot.errors().empty());
  EXPECT_EQ(dlg.reports.size(), 1u);
}

}  // namespace
