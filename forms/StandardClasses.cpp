// The component classes a form description may name, and the application's start. This file
// sits above every control, so that the controls and the forms need not know one another.
#include "Buttons.h"
#include "ComCtrls.h"
#include "Description.h"
#include "Dialogs.h"
#include "ExtCtrls.h"
#include "Forms.h"
#include "GroupCtrls.h"
#include "ListCtrls.h"
#include "Menus.h"
#include "StdCtrls.h"

namespace {
void RegisterStandardClasses() {
  RegisterComponentClass("TButton", [](TComponent* o) { return new TButton(o); });
  RegisterComponentClass("TLabel", [](TComponent* o) { return new TLabel(o); });
  RegisterComponentClass("TEdit", [](TComponent* o) { return new TEdit(o); });
  RegisterComponentClass("TCheckBox", [](TComponent* o) { return new TCheckBox(o); });
  RegisterComponentClass("TTimer", [](TComponent* o) { return new TTimer(o); });
  RegisterComponentClass("TImage", [](TComponent* o) { return new TImage(o); });
  RegisterComponentClass("TPopupMenu", [](TComponent* o) { return new TPopupMenu(o); });
  RegisterComponentClass("TMainMenu", [](TComponent* o) { return new TMainMenu(o); });
  RegisterComponentClass("TMenuItem", [](TComponent* o) { return new TMenuItem(o); });
  RegisterComponentClass("TComboBox", [](TComponent* o) { return new TComboBox(o); });
  RegisterComponentClass("TColorBox", [](TComponent* o) { return new TColorBox(o); });
  RegisterComponentClass("TListBox", [](TComponent* o) { return new TListBox(o); });
  RegisterComponentClass("TCheckListBox", [](TComponent* o) { return new TCheckListBox(o); });
  RegisterComponentClass("TMemo", [](TComponent* o) { return new TMemo(o); });
  RegisterComponentClass("TGroupBox", [](TComponent* o) { return new TGroupBox(o); });
  RegisterComponentClass("TPanel", [](TComponent* o) { return new TPanel(o); });
  RegisterComponentClass("TBevel", [](TComponent* o) { return new TBevel(o); });
  RegisterComponentClass("TRadioButton", [](TComponent* o) { return new TRadioButton(o); });
  RegisterComponentClass("TRadioGroup", [](TComponent* o) { return new TRadioGroup(o); });
  RegisterComponentClass("TScrollBar", [](TComponent* o) { return new TScrollBar(o); });
  RegisterComponentClass("TSpeedButton", [](TComponent* o) { return new TSpeedButton(o); });
  RegisterComponentClass("TPageControl", [](TComponent* o) { return new TPageControl(o); });
  RegisterComponentClass("TTabSheet", [](TComponent* o) { return new TTabSheet(o); });
  RegisterComponentClass("TUpDown", [](TComponent* o) { return new TUpDown(o); });
  RegisterComponentClass("TProgressBar", [](TComponent* o) { return new TProgressBar(o); });
  RegisterComponentClass("TOpenDialog", [](TComponent* o) { return new TOpenDialog(o); });
  RegisterComponentClass("TSaveDialog", [](TComponent* o) { return new TSaveDialog(o); });
  RegisterComponentClass("TOpenPictureDialog", [](TComponent* o) { return new TOpenPictureDialog(o); });
  RegisterComponentClass("TFontDialog", [](TComponent* o) { return new TFontDialog(o); });
  RegisterComponentClass("TColorDialog", [](TComponent* o) { return new TColorDialog(o); });
}
}  // namespace

void InitApplication() {
  if (Application) return;
  RegisterStandardClasses();
  Application = new TApplication();
  static TScreen screen;
  Screen = &screen;
}
