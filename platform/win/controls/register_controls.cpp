// Registration of all control classes; see register_controls.h.
#include "win/controls/register_controls.h"

#include "win/controls/button.h"
#include "win/controls/combobox.h"
#include "win/controls/edit.h"
#include "win/controls/listview.h"
#include "win/controls/static_control.h"
#include "win/controls/updown.h"

namespace win {

void RegisterControlClasses() {
  RegisterButtonClass();
  RegisterStaticClass();
  RegisterEditClass();
  RegisterListViewClass();
  RegisterComboBoxClass();
  RegisterUpDownClass();
}

}  // namespace win
