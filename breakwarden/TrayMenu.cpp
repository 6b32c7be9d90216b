// The tray menu's look, the hot keys and the quick tools: the plain functions of TrayMenu.h and
// the main window's handlers for them.
#include "TrayMenu.h"

#include "DisplayZoom.h"
#include "EventLog.h"
#include "QVSeams.h"
#include "ScrRules.h"
#include "Seams.h"
#include "uniQVShare.h"
#include "uniSetup.h"
#include "unitFrmMain.h"

// ---- plain functions ---------------------------------------------------------------------------

THotKeyAction DecodeHotKey(LPARAM lParam) {
  const UINT modifiers = LOWORD(lParam), key = HIWORD(lParam);
  if (modifiers != MOD_WIN) return THotKeyAction::None;
  for (const THotKey& k : kHotKeys)
    if (k.key == key) return k.action;
  return THotKeyAction::None;
}

std::array<uint8_t, 7> HotKeyIdentifiers(const std::array<ATOM, 7>& atoms) {
  std::array<uint8_t, 7> ids{};
  bool used[256] = {};
  for (size_t n = 0; n < atoms.size(); ++n) {
    uint8_t id = uint8_t(atoms[n] & 0xFF);
    while (used[id]) ++id;  // wraps within 0..255; seven keys always find one
    used[id] = true;
    ids[n] = id;
  }
  return ids;
}

void StartQuickTool(HWND owner, const TQuickTool& tool) {
  ShellCalls().Execute(owner, L"open", tool.file, tool.params, L"", tool.show);
}

void OpenMakerPage(HWND owner, const std::wstring& page) {
  ShellCalls().Execute(owner, L"", HomePageAddress() + page, L"", L"", SW_SHOWNORMAL);
}

bool OpenUsefulLink(HWND owner, const std::wstring& itemName) {
  for (const TUsefulLink& l : kUsefulLinks) {
    if (itemName != l.item) continue;
    switch (l.kind) {
      case TUsefulLink::Radio: OpenRadioSearch(owner); break;
      case TUsefulLink::Search: OpenWebSearch(owner, l.word); break;
      case TUsefulLink::Page: OpenMakerPage(owner, l.word); break;
      case TUsefulLink::Promo: OpenPromoPage(owner, false, 0); break;
    }
    return true;
  }
  return false;
}

std::wstring ShortCutsText(const std::vector<std::wstring>& entries) {
  std::wstring text;
  for (const std::wstring& e : entries) text += e + L", ";
  return text;
}

int MenuBandWidth(const RECT& r) { return RoundHalfEven((r.right - (r.left + kMenuGutter)) / double(kMenuBands)); }

void MeasureMenuItem(TCanvas& canvas, const std::wstring& caption, int& width, int& height) {
  const SIZE s = canvas.TextExtent(caption);
  height = s.cy + 7;
  width = s.cx + 16 + kMenuGutter;
}

void DrawMenuItemOn(TCanvas& c, const std::wstring& caption, bool checked, bool selected, const RECT& r) {
  const int h = r.bottom - r.top;
  c.Brush.Style = bsSolid;
  c.Brush.Color = clGreen;
  c.FillRect(r);
  if (checked) {
    c.Brush.Color = clRed;
    c.Polygon({{r.left, r.top}, {r.left, r.bottom}, {16, r.top + h / 2}});
  }
  const int bandsLeft = r.left + kMenuGutter;
  if (selected) {
    c.Font.Color = clWhite;
    const int w = MenuBandWidth(r);
    for (int i = 0; i < kMenuBands; ++i) {
      c.Brush.Color = TColor(RGB(0, 0, 25 * i));
      c.FillRect(RECT{bandsLeft + i * w, r.top, bandsLeft + (i + 1) * w, r.bottom});
    }
  } else {
    c.Brush.Color = cl3DLight;
    c.FillRect(RECT{bandsLeft, r.top, r.right, r.bottom});
    c.Font.Color = clBlack;
  }
  c.Brush.Style = bsClear;
  if (caption == L"-") {
    c.MoveTo(bandsLeft, r.top + h / 2);
    c.LineTo(r.right, r.top + h / 2);
  } else {
    const std::wstring text = L"  " + caption;
    c.TextOut(bandsLeft + kMenuTextIndent, r.top + (h - c.TextHeight(text)) / 2, text);
  }
}

// ---- the main window's handlers -----------------------------------------------------------------

void TfrmMain::MenusMeasureItem(TObject* Sender, TCanvas* ACanvas, int& Width, int& Height) {
  auto* item = dynamic_cast<TMenuItem*>(Sender);
  if (item && ACanvas) MeasureMenuItem(*ACanvas, item->Caption, Width, Height);
}

void TfrmMain::MenusDrawItem(TObject* Sender, TCanvas* ACanvas, const RECT& ARect, bool Selected) {
  auto* item = dynamic_cast<TMenuItem*>(Sender);
  if (item && ACanvas) DrawMenuItem(item, ACanvas, item->Caption, Selected, ARect);
}

void TfrmMain::DrawMenuItem(TMenuItem* item, TCanvas* canvas, const std::wstring& caption, bool selected,
                            const RECT& r) {
  DrawMenuItemOn(*canvas, caption, item && item->Checked, selected, r);
}

void TfrmMain::WMHotKey(TMessage& m) {
  m.Result = 0;
  switch (DecodeHotKey(m.LParam)) {
    case THotKeyAction::BlackScreen:
      RecordEvent(false, true, 0, ekManualScreenSaver, true);
      if (frmSetup) frmSetup->ShowInternalSCR(false);
      break;
    case THotKeyAction::NotePad: NOpenNotePadClick(nullptr); break;
    case THotKeyAction::Calculator: NOpenCalculatorClick(nullptr); break;
    case THotKeyAction::Word: NOpenWordClick(nullptr); break;
    case THotKeyAction::ScreenSaverSwitch:
      if (frmSetup) frmSetup->cbxEnableSelfSCRClick(nullptr);
      break;
    case THotKeyAction::Overlay: NShowSOTClick(nullptr); break;
    case THotKeyAction::Excel: NOpenExcelClick(nullptr); break;
    case THotKeyAction::None: break;
  }
}

void TfrmMain::NOpenNotePadClick(TObject*) { StartQuickTool(Handle(), kNotePad); }
void TfrmMain::NOpenCalculatorClick(TObject*) { StartQuickTool(Handle(), kCalculator); }
void TfrmMain::NOpenWordClick(TObject*) { StartQuickTool(Handle(), kWord); }
void TfrmMain::NOpenExcelClick(TObject*) { StartQuickTool(Handle(), kExcel); }
void TfrmMain::NSetMouseClick(TObject*) { StartQuickTool(Handle(), kMouseSettings); }
// Wine answers E_NOTIMPL; nothing is reported either way.
void TfrmMain::NSysShutdownInterfaceClick(TObject*) { ShowShutDownDialog(); }

void TfrmMain::NHintSmallWindowClick(TObject*) {
  // The countdown or the break window already says when the break is.
  if (FBreakState != stWorking) return;
  ShowRemindWindow(frmSetup ? frmSetup->cbbSelectBreakHintSmallWindow : nullptr, rkNextBreak);
}

void TfrmMain::NModeClick(TObject* Sender) {
  const TMenuItem* const items[] = {NModeFree, NModePassword, NModeInterference, NModeEnforce};
  for (int mode = 0; mode < 4; ++mode)
    if (Sender && Sender == items[mode]) SetBreakMode(mode);
}

void TfrmMain::SetBreakMode(int mode) {
  TMenuItem* const items[] = {NModeFree, NModePassword, NModeInterference, NModeEnforce};
  for (int i = 0; i < 4; ++i)
    if (items[i]) items[i]->Checked = i == mode;
  if (!frmSetup) return;
  frmSetup->rbxSelectBreakMode->SetItemIndex(mode);
  frmSetup->rbxSelectBreakModeClick(nullptr);
}

void TfrmMain::NShortCutsClick(TObject*) { ShowShortCuts(); }

void TfrmMain::ShowShortCuts() {
  std::vector<std::wstring> entries;
  if (frmSetup)
    for (int i = 0; i < frmSetup->cbbHotKeyAction->Items.Count(); ++i)
      entries.push_back(frmSetup->cbbHotKeyAction->Items[i]);
  Dialogs().MessageBox(nullptr, ShortCutsText(entries), kShortCutsCaption, MB_ICONINFORMATION | MB_OK);
}

void TfrmMain::MoreUsefulLinksClick(TObject* Sender) {
  if (auto* item = dynamic_cast<TMenuItem*>(Sender)) OpenUsefulLink(Handle(), item->Name());
}

void TfrmMain::NSharesClick(TObject*) { OpenMakerPage(Handle(), kSharesPage); }
void TfrmMain::NHomePageClick(TObject*) { OpenHomePage(Handle()); }
void TfrmMain::NLaunchDeskpanelClick(TObject*) { CallDeskpanel(Handle(), 0); }

void TfrmMain::NShowSOTClick(TObject*) {
  if (frmSetup && NShowSOT) frmSetup->cbxShowSOT->SetChecked(!NShowSOT->Checked);
}

void TfrmMain::NDesktopDecoClick(TObject*) {
  if (frmSetup && NDesktopDeco) frmSetup->cbxShowDesktopDeco->SetChecked(!NDesktopDeco->Checked);
}

// The screen-saver switch of the tray menu; the settings dialog's box runs it too.
void TfrmMain::NDisableSelfSCRClick(TObject* Sender) {
  TfrmSetup* const st = frmSetup;
  TCheckBox* const box = st ? st->cbxEnableSelfSCR : nullptr;
  if (!box || Sender != box) {
    NDisableSelfSCR->Checked = !NDisableSelfSCR->Checked;
    // The box's own handler asks, then runs this again for the box.
    if (box) box->SetChecked(!NDisableSelfSCR->Checked);
  }
  const bool disabled = NDisableSelfSCR->Checked;
  NDisableSelfSCR->Caption = ScrSwitchItemCaption(disabled);
  if (disabled) {
    ShowPopHint(clTeal, clRed, kScrDisabledNotice);
    // The minutes as they are now; a later change acts at the next disabling.
    if (st && st->cbxAutoRestoreDisabledSCR->Checked()) {
      st->tmrToRestoreDisabledSCR->SetInterval(ScrRestoreIntervalMs(st->updRestoreSCRAfterMins->Position()));
      st->tmrToRestoreDisabledSCR->SetEnabled(true);
    }
  } else {
    ShowPopHint(clTeal, clLime, kScrEnabledNotice);
    if (st) st->tmrToRestoreDisabledSCR->SetEnabled(false);
  }
}
