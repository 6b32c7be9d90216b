#pragma once
// The about-and-help window: made at start-up, hidden for the whole run. Its links open the
// maker's pages; its creation tells a first run of this copy and, 3 s later, runs the first-run
// setup (laptop question, path file, start with Windows, the guided welcome).
#include <string>

#include "ComCtrls.h"
#include "ExtCtrls.h"
#include "Forms.h"
#include "StdCtrls.h"
#include "Buttons.h"

// The path file of this program and the version text it writes there.
inline constexpr const wchar_t* kBkwdPathFile = L"dir1";
inline constexpr const wchar_t* kBkwdPathFileVersion = L"30";

// Whether line 1 of the path file names another executable than exePath: an empty line, another
// folder or another name. The same file spelled otherwise (letter case, short names) is the same
// executable, so both are compared in their long forms, letter case aside.
bool IsFirstRun(const std::wstring& pathFileLine, const std::wstring& exePath);

class TfrmAboutHelp : public TForm {
 public:
  explicit TfrmAboutHelp(TComponent* AOwner);
  ~TfrmAboutHelp() override;

  TPageControl* PageControl1 = nullptr;
  TTabSheet* TabSheet1 = nullptr;
  TTabSheet* TabSheet3 = nullptr;
  TLabel* lblVersion = nullptr;
  TLabel* lblHomePageOnP1 = nullptr;
  TLabel* lblEmailOnP1 = nullptr;
  TImage* Image1 = nullptr;
  TSpeedButton* btnQQ = nullptr;
  TSpeedButton* btnWangWang = nullptr;
  TLabel* lblHelp = nullptr;
  TLabel* btnSuggestion = nullptr;
  TLabel* lblUpdate = nullptr;
  TLabel* lblVote = nullptr;
  TLabel* lblHomePageOnP2 = nullptr;
  TLabel* lblEmailOnP2 = nullptr;
  TTimer* tmrFirstSetup = nullptr;

  void FormCreate(TObject* Sender);
  // Page n (0 about, 1 help and support), restored, shown and brought to the front.
  void ShowPage(int n);
  void procWelcome();

  void lblHelpClick(TObject* Sender);
  void lblUpdateClick(TObject* Sender);
  void btnSuggestionClick(TObject* Sender);
  void lblVoteClick(TObject* Sender);
  void lblHomePageOnP1Click(TObject* Sender);
  void btnCopyEmailAddrClick(TObject* Sender);
  void btnQQClick(TObject* Sender);
  void btnWangWangClick(TObject* Sender);
  void Image1Click(TObject* Sender);
  void tmrFirstSetupTimer(TObject* Sender);

 private:
  HWND Owner();
};
extern TfrmAboutHelp* frmAboutHelp;
