// The skins: a picture stretched over the main window, the colour of its two lists, the check
// marks of the "皮肤" items, the flat button look and the light captions of dark skins.
#include <cstring>
#include <cwchar>

#include "SkinTable.h"
#include "uniSaverDeck.h"
#include "uniSetupSaverDeck.h"

namespace {
const wchar_t kSkinItemPrefix[] = L"NSkin";

// The main window's speed buttons that take the flat look.
std::vector<TSpeedButton*> LookButtons(TfrmSaverDeck* f) {
  return {f->bbtPlay,     f->bbtPause,      f->bbtStop,    f->bbtNext,          f->bbtPrev,
          f->bbtOpen,     f->bbtVol,        f->bbtFormsPosChange, f->btnSCRSetup, f->btnScrPreview,
          f->btnSetupDuLiBanYing, f->btnPlayScr, f->btnPlayScrWithMus};
}

void SetListColors(TfrmSaverDeck* f, TColor c) {
  f->cbbSCRSaversName->SetColor(c);
  f->cbbBanYing->SetColor(c);
}
}  // namespace

// ---- the settings dialog's side: the choice in cbbSkins and cbxUseFlatButton --------------------

void TfrmSetupSaverDeck::cbbSkinsChange(TObject*) {
  // A stored index outside the table (or none) is skin 0, and the list says so.
  const int skin = ValidSkin(cbbSkins->ItemIndex());
  if (cbbSkins->ItemIndex() != skin) cbbSkins->SetItemIndex(skin);
  TfrmSaverDeck* f = frmSaverDeck;
  if (!f) return;
  if (skin > 0) {
    LoadSkinPicture(SkinResourceName(skin));
  } else {
    f->Image1->Picture.Clear();
    f->Image1->PictureChanged();
  }
  f->CheckSkinMenu(skin);
  if (cbxUseFlatButton->Checked()) ApplyFlatButtonColors();
  for (TSpeedButton* b : {f->btnSCRSetup, f->btnScrPreview, f->btnSetupDuLiBanYing}) b->SetCaptionColor(clBlack);
}

bool TfrmSetupSaverDeck::LoadSkinPicture(const std::wstring& name) {
  TImage* image = frmSaverDeck ? frmSaverDeck->Image1 : nullptr;
  if (!image) return false;
  image->Picture.Clear();
  try {
    HRSRC r = FindResourceW(nullptr, name.c_str(), MAKEINTRESOURCEW(10));
    if (!r) throw EInvalidGraphic(L"picture resource " + name + L" not found");
    TJPEGImage jpeg;
    jpeg.LoadFromMemory(LockResource(LoadResource(nullptr, r)), SizeofResource(nullptr, r));
    // Kept as a bitmap: the transit window and the list colours read its pixels.
    auto bitmap = std::make_shared<TBitmap>();
    bitmap->SetSize(jpeg.Width(), jpeg.Height());
    std::memcpy(bitmap->Bits(), jpeg.Bitmap().Bits(), size_t(jpeg.Width()) * jpeg.Height() * sizeof(uint32_t));
    image->Picture.Graphic = bitmap;
  } catch (const std::exception& e) {
    // The picture stays cleared: the window shows its plain colour and the rest still applies.
    image->PictureChanged();
    Application->HandleException(e);
    return false;
  }
  image->PictureChanged();
  return true;
}

void TfrmSetupSaverDeck::ApplyFlatButtonColors() {
  TfrmSaverDeck* f = frmSaverDeck;
  if (!f) return;
  const int skin = ValidSkin(cbbSkins->ItemIndex());
  TColor c = f->Color();
  // Skin 0, and a picture that did not load, give the window's own colour.
  if (skin > 0 && !PicturePixel(f->Image1->Picture, SkinSampleX(skin), kSkinSampleY, c)) c = f->Color();
  SetListColors(f, c);
}

void TfrmSetupSaverDeck::cbxUseFlatButtonClick(TObject*) {
  TfrmSaverDeck* f = frmSaverDeck;
  if (!f) return;
  const bool flat = cbxUseFlatButton->Checked();
  for (TSpeedButton* b : LookButtons(f)) b->SetFlat(flat);
  if (flat) ApplyFlatButtonColors();
  else SetListColors(f, clBtnFace);
}

// ---- the main window's side: the "皮肤" items and the light captions ----------------------------

void TfrmSaverDeck::NSkin00Click(TObject* Sender) {
  auto* item = dynamic_cast<TMenuItem*>(Sender);
  if (!item || !frmSetupSaverDeck) return;
  const std::wstring name = item->Name();
  // NSkin00 .. NSkin13: the number is the name's sixth and seventh characters.
  if (name.size() != 7 || name.compare(0, 5, kSkinItemPrefix) != 0 || !iswdigit(name[5]) || !iswdigit(name[6]))
    return;
  const int skin = (name[5] - L'0') * 10 + (name[6] - L'0');
  if (skin >= kSkinCount) return;
  frmSetupSaverDeck->cbbSkins->SetItemIndex(skin);
  frmSetupSaverDeck->cbbSkinsChange(nullptr);
  CheckSkinMenu(skin);
}

void TfrmSaverDeck::CheckSkinMenu(int skin) {
  if (skin < 0 || skin >= kSkinCount) return;
  auto SetSkinChecks = [this](int checked) {
    for (int i = 0; i < kSkinCount; ++i) {
      wchar_t name[16];
      swprintf(name, 16, L"%ls%02d", kSkinItemPrefix, i);
      if (auto* item = dynamic_cast<TMenuItem*>(FindComponent(name))) item->Checked = i == checked;
    }
  };
  SetSkinChecks(skin);
}

void TfrmSaverDeck::btnScrPreviewMouseMove(TObject* Sender, TShiftState, int X, int Y) {
  auto* b = dynamic_cast<TSpeedButton*>(Sender);
  if (!b || !frmSetupSaverDeck) return;
  const int skin = frmSetupSaverDeck->cbbSkins->ItemIndex();
  if (!SkinHasLightCaptions(skin)) return;
  // Set only when it changes (the button repaints then): mouse moves come many times a second.
  b->SetCaptionColor(LightCaptionAt(skin, X, Y, b->Width(), b->Height()) ? clWhite : clBlack);
}
