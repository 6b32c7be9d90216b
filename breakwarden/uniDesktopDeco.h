#pragma once
// The desktop-status picture: a small borderless picture at the top right of the work area that
// stays beneath every other window; white pixels of the picture are see-through. Made on demand
// and freed when closed.
#include <windows.h>

#include <cstdint>

#include "ExtCtrls.h"
#include "Forms.h"
#include "Menus.h"

// Its width on a screen: 250 pixels for every 1024 of screen width, truncated.
int DecoWidth(int screenWidth);
// Its height for that width, keeping the picture's proportions (truncated); 0 for an empty picture.
int DecoHeight(int pictureWidth, int pictureHeight, int width);

// Where "置顶"/"置底" puts the picture: flag 0 to the top (25 from the work area's top), flag 1 to
// the bottom (10 from its bottom); 10 from its right either way. The caption offers the other place.
struct TDecoPlace {
  int left, top;
  uint8_t nextFlag;
  const wchar_t* caption;
};
TDecoPlace DecoPlace(uint8_t flag, int workWidth, int workHeight, int width, int height);

// The window's new place after a drag: moved by the distance from the press to the release
// (both in window coordinates).
POINT DecoDragTo(POINT windowPos, POINT press, POINT release);

class TfrmDesktopDeco : public TForm {
 public:
  explicit TfrmDesktopDeco(TComponent* AOwner);

  TImage* Image1 = nullptr;
  TPopupMenu* PopupMenu1 = nullptr;
  TMenuItem* NSetPosition = nullptr;
  TMenuItem* NSetup = nullptr;
  TMenuItem* NHide = nullptr;

  void FormCreate(TObject* Sender);
  void FormShow(TObject* Sender);
  void FormClose(TObject* Sender, TCloseAction& Action);
  void FormDestroy(TObject* Sender);
  void Image1MouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
  void Image1MouseUp(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
  void NSetPositionClick(TObject* Sender);
  void NSetupClick(TObject* Sender);
  void NHideClick(TObject* Sender);

  // 0: the next placement goes to the top; 1: to the bottom.
  uint8_t FPositionFlag = 0;
  // Where the left button went down on the picture (window coordinates).
  POINT FPress{};

  void WndProc(TMessage& m) override;

 protected:
  void CreateParams(TCreateParams& p) override;

 private:
  bool keepingBottom_ = false;
};

// The desktop-status picture made last.
extern TfrmDesktopDeco* frmDesktopDeco;
