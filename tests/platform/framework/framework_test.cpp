// The framework: dialog objects built from templates, message maps with
// their base tables, controls bound to objects that change only what they
// handle, and objects that outlive their windows.
#include "framework/cdialog.h"
#include "framework/cwinapp.h"
#include "framework/app_state.h"
#include "framework_fixture.h"
#include "host/headless/robot.h"
#include "win/dialog.h"

namespace {

// A control that swallows the pen going down and leaves everything else to
// the control's own procedure.
class CSwallowDown : public CWnd {
 protected:
  LRESULT OnDown(WPARAM, LPARAM) {
    ++downs;
    return 0;
  }
  const MessageMap* GetMessageMap() const override {
    static const MessageMap map(CWnd::GetThisMessageMap(), {
        MapMessage(WM_LBUTTONDOWN, &CSwallowDown::OnDown),
    });
    return &map;
  }

 public:
  int downs = 0;
};

class CTestDlg : public CDialog {
 public:
  CTestDlg() : CDialog(200) {}
  int commands = 0;
  int initCount = 0;
  CSwallowDown m_tap;

 protected:
  BOOL OnInitDialog() override {
    CDialog::OnInitDialog();
    ++initCount;
    m_tap.SubclassDlgItem(1002, this);
    SetDlgItemText(1001, u"ready");
    return TRUE;
  }
  void OnFirst() { ++commands; }
  LRESULT OnUser(WPARAM w, LPARAM) { return LRESULT(w * 2); }
  const MessageMap* GetMessageMap() const override {
    static const MessageMap map(CDialog::GetThisMessageMap(), {
        MapCommand(1001, &CTestDlg::OnFirst),
        MapMessage(WM_USER, &CTestDlg::OnUser),
    });
    return &map;
  }
};


}  // namespace

TEST_F(FrameworkTest, DialogObjectRunsTwiceAndRoutesThroughItsMap) {
  CTestDlg dlg;
  for (int run = 1; run <= 2; ++run) {
    host::Robot robot;
    robot.Do([&] {
           EXPECT_EQ(dlg.GetDlgItem(1001)->GetWindowText(), u"ready");
           EXPECT_EQ(dlg.SendMessage(WM_USER, 21), 42);
           SendDlgCommand(dlg.m_hWnd, 1001);
         })
        .TapControl(1002)
        .Key(VK_RETURN, u'\r');
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_TRUE(robot.errors().empty());
    EXPECT_EQ(dlg.initCount, run);
    EXPECT_EQ(dlg.commands, run);
    EXPECT_EQ(dlg.m_hWnd, nullptr);  // the window is gone, the object stays
    EXPECT_EQ(dlg.m_tap.m_hWnd, nullptr);
    EXPECT_EQ(dlg.m_tap.downs, run);
  }
  // The swallowed press never reached the control; its release did.
  EXPECT_EQ(rec.Log({WM_LBUTTONDOWN}).size(), 0u);
  EXPECT_EQ(rec.Log({WM_LBUTTONUP}).size(), 2u);
}

TEST_F(FrameworkTest, MissingTemplateAndTemporaryWrappers) {
  CDialog missing(999);
  EXPECT_EQ(missing.DoModal(), -1);
  HWND plain = rec.Create("plain", WS_POPUP, {0, 26, 100, 100});
  CWnd* temp = CWnd::FromHandle(plain);
  ASSERT_NE(temp, nullptr);
  EXPECT_EQ(CWnd::FromHandle(plain), temp);
  EXPECT_EQ(CWnd::FromHandlePermanent(plain), nullptr);
  CWnd bound;
  EXPECT_TRUE(bound.Attach(plain));
  EXPECT_FALSE(CWnd().Attach(plain));  // one object per window
  EXPECT_EQ(CWnd::FromHandle(plain), &bound);
  bound.ModifyStyle(0, WS_DISABLED);
  EXPECT_FALSE(IsWindowEnabled(plain));
  EXPECT_EQ(bound.Detach(), plain);
}

TEST_F(FrameworkTest, ApplicationRunsUntilQuit) {
  struct App : CWinApp {
    BOOL InitInstance() override {
      PostQuitMessage(4660);
      return TRUE;
    }
  } app;
  EXPECT_EQ(AfxGetApp(), &app);
  EXPECT_EQ(AfxRunApp(app), 4660);
}
