// The product table as data: codes, names, files, window classes, command tables, web pages.
#include "uniQVShare.h"

namespace {

const wchar_t* const kBKWDDisplay[] = {L"Restalon.exe", nullptr};
const wchar_t* const kZEPTDisplay[] = {L"Zeptor.exe", L"Pelgrin.exe", L"Quosso.exe", nullptr};
const wchar_t* const kSaverDeckDisplay[] = {L"Sonavista.exe", nullptr};
const wchar_t* const kMINVDisplay[] = {L"Minvar.exe", nullptr};
const wchar_t* const kDeskpanelDisplay[] = {L"Deskora.exe", nullptr};

const wchar_t* const kBKWDCurrent[] = {L"KMR474747_50", L"KMR474747_45", L"KMR474747_40", L"KMR474747_35",
                                       kClassBKWD,      L"KMR474747_25", nullptr};
const wchar_t* const kBKWDOld[] = {L"KMR474747_20", L"KMR474747_15", L"KMR474747_1", nullptr};
const wchar_t* const kZEPTCurrent[] = {L"KMR474747_250_ZEPT", L"KMR474747_245_ZEPT", L"KMR474747_240_ZEPT", nullptr};
const wchar_t* const kZEPTOld[] = {L"KMR474747_235_ZEPT", L"KMR474747_230_ZEPT", L"KMR474747_225_ZEPT",
                                   L"KMR474747_220_ZEPT", L"KMR474747_2_ZEPT", nullptr};
const wchar_t* const kSaverDeckCurrent[] = {
    L"KMR474747_350_SaverDeck", L"KMR474747_345_SaverDeck", L"KMR474747_340_SaverDeck", L"KMR474747_335_SaverDeck",
    L"KMR474747_330_SaverDeck", kClassSaverDeck,           L"KMR474747_320_SaverDeck", nullptr};
const wchar_t* const kSaverDeckOld[] = {L"KMR474747_315_SaverDeck", L"KMR474747_3_SaverDeck", nullptr};
const wchar_t* const kDeskpanelCurrent[] = {
    L"KMR474747_450_DESKPANEL", L"KMR474747_445_DESKPANEL", L"KMR474747_440_DESKPANEL", L"KMR474747_435_DESKPANEL",
    L"KMR474747_430_DESKPANEL", L"KMR474747_425_DESKPANEL", kClassDeskpanel,           nullptr};
const wchar_t* const kDeskpanelOld[] = {L"KMR474747_4_DESKPANEL", nullptr};
const wchar_t* const kMINVCurrent[] = {L"KMR474747_550_MINV", L"KMR474747_545_MINV", L"KMR474747_540_MINV",
                                       L"KMR474747_535_MINV", L"KMR474747_530_MINV", L"KMR474747_525_MINV",
                                       L"KMR474747_520_MINV", L"KMR474747_5_MINV",  nullptr};
const wchar_t* const kNone[] = {nullptr};

const UINT kBKWDCommands[] = {WM_BKWD_SHOWWELCOME, WM_BKWD_OPENSETUPSCR, WM_BKWD_OPENSTAT};
const UINT kZEPTCommands[] = {WM_ZEPT_ACTIVATE};
// The message numbers skip 0x818A..0x818F.
const UINT kSaverDeckCommands[] = {
    WM_SAVERDECK_SHOW,          WM_SAVERDECK_TOGGLEACCOMP,         WM_SAVERDECK_NEXTMUSIC,
    WM_SAVERDECK_SCR_INTURN,    WM_SAVERDECK_SCR_RANDOM,           WM_SAVERDECK_SCR_INTURN_MUSIC,
    WM_SAVERDECK_SCR_RANDOM_MUSIC, WM_SAVERDECK_SETUPACCOMP,       WM_SAVERDECK_SCR_INTURN_BYSETTING,
    WM_SAVERDECK_SCR_RANDOM_BYSETTING, WM_SAVERDECK_SCR_INTURN_BYSETTING2, WM_SAVERDECK_SHOWHIDE,
    WM_SAVERDECK_CMD12,         WM_SAVERDECK_CMD13,                WM_SAVERDECK_SHOWPLAY,
    WM_SAVERDECK_RESTARTACCOMP, WM_SAVERDECK_STOPMUSIC};
const UINT kDeskpanelCommands[] = {WM_DESKPANEL_SHOW, WM_DESKPANEL_REMIND};
const UINT kMINVCommands[] = {WM_MINV_ACTIVATE};

template <size_t N>
constexpr int Count(const UINT (&)[N]) {
  return int(N);
}

const ProductInfo kProducts[] = {
    {pcBKWD, L"BKWD", L"dir1", L"breakwarden.exe", kBKWDDisplay, kBKWDCurrent, kBKWDOld, kBKWDCommands,
     Count(kBKWDCommands), L"Restalon", L"Restalon", L"", L"help/restalon.html", L"vote/restalon.html"},
    {pcZEPT, L"ZEPT", L"dir2", L"zept.exe", kZEPTDisplay, kZEPTCurrent, kZEPTOld, kZEPTCommands,
     Count(kZEPTCommands), L"Pelgrin", L"Pelgrin", L"", L"help/pelgrin.html", L"vote/pelgrin.html"},
    {pcSaverDeck, L"SaverDeck", L"dir3", L"saverdeck.exe", kSaverDeckDisplay, kSaverDeckCurrent, kSaverDeckOld,
     kSaverDeckCommands, Count(kSaverDeckCommands), L"Sonavista", L"Sonavista", L"/A", L"help/sonavista.html",
     L"vote/sonavista.html"},
    {pcMINV, L"MINV", L"dir5", L"minv.exe", kMINVDisplay, kMINVCurrent, kNone, kMINVCommands,
     Count(kMINVCommands), L"", L"Minvar", L"", L"help/minvar.html", L"vote/minvar.html"},
    {pcDeskpanel, L"DESKPANEL", L"dir4", L"deskpanel.exe", kDeskpanelDisplay, kDeskpanelCurrent, kDeskpanelOld,
     kDeskpanelCommands, Count(kDeskpanelCommands), L"Deskorin", L"Deskora", L"", L"help/deskora.html", nullptr},
};

}  // namespace

const ProductInfo* FindProduct(ProductCode code) {
  for (const ProductInfo& p : kProducts)
    if (p.code == code) return &p;
  return nullptr;
}

std::vector<std::wstring> OlderClasses(ProductCode code, const wchar_t* ownClass) {
  std::vector<std::wstring> out;
  const ProductInfo* p = FindProduct(code);
  if (!p) return out;
  const std::wstring own = ownClass;
  bool after = false;
  for (const wchar_t* const* c = p->currentClasses; *c; ++c) {
    if (after) out.push_back(*c);
    after = after || own == *c;
  }
  for (const wchar_t* const* c = p->oldClasses; *c; ++c) out.push_back(*c);
  return out;
}

UINT CommandMessage(ProductCode code, SiblingCommand cmd) {
  const ProductInfo* p = FindProduct(code);
  return p && cmd < p->commandCount ? p->commands[cmd] : 0;
}

std::wstring InstanceMutexName(ProductCode code) {
  const ProductInfo* p = FindProduct(code);
  return std::wstring(L"Local\\Quovel.") + (p ? p->productKey : L"") + L".Instance";
}

std::wstring InstanceReadyName(ProductCode code) {
  const ProductInfo* p = FindProduct(code);
  return std::wstring(L"Local\\Quovel.") + (p ? p->productKey : L"") + L".Ready";
}
